#pragma once
// A time of day as two plain integers. There is no empty time: 00:00 is an ordinary value.
#include <string>

namespace vexo {

class sDB_time {
public:
    int hour = 0;
    int minute = 0;

    sDB_time() = default;
    sDB_time(int h, int m) : hour(h), minute(m) {}

    void clear() { hour = minute = 0; }
    bool isEmpty() const { return false; }

    // Reads hh:mm by position: hour at character 0, minute at 3; any separator.
    void setText(const std::string& text);
    std::string text() const;      // 09:05
    std::string sqlQuoted() const; // '09:05'
    // Through the framework's time formatting; EConvertError for an impossible time.
    std::string format(const std::string& pattern) const;
    int minutes() const; // hour * 60 + minute, for sorting
};

} // namespace vexo
