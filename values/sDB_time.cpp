#include "values/sDB_time.h"

#include "framework/core/SysUtils.h"
#include "values/sDB_fixedText.h"

#include <cstdint>
#include <cstdio>

namespace vexo {

namespace {

std::string printed(const char* format, int a, int b) {
    char buffer[48]; // two ints of at most 11 characters each, plus the format's own
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

} // namespace

void sDB_time::setText(const std::string& text) {
    const sDB_fixedText fixed(text, {2});
    hour = fixed.fieldAt(0);
    minute = fixed.fieldAt(3);
}

std::string sDB_time::text() const {
    return printed("%02i:%02i", hour, minute);
}

std::string sDB_time::sqlQuoted() const {
    return printed("'%02i:%02i'", hour, minute);
}

std::string sDB_time::format(const std::string& pattern) const {
    return FormatDateTime(pattern, EncodeTime(hour, minute, 0, 0));
}

int sDB_time::minutes() const {
    // Wraps only for absurd field values instead of overflowing.
    return static_cast<int>(static_cast<std::int64_t>(hour) * 60 + minute);
}

} // namespace vexo
