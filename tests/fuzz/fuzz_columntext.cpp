// Arbitrary bytes as column text: the tag reader must tokenise and answer every query without
// crashing, reading columns back may only fail with a conversion error, and a caption written by
// a column must read back unchanged.
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/XmlReader.h"
#include "framework/core/Exception.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    XmlReader reader;
    reader.SetText(text);
    int tokens = 0;
    while (reader.Next()) {
        ++tokens;
        const int kind = reader.TokenKind();
        if (kind < 1 || kind > 5) __builtin_trap();
        (void)reader.IsElement();
        (void)reader.TagName();
        (void)reader.Attribute("Caption");
        (void)reader.Attribute("width");
        (void)reader.Attribute(text.substr(0, 8));
    }
    if (tokens != reader.Count()) __builtin_trap();

    TVGColumnCollection columns(nullptr);
    try {
        columns.FromString(text);
    } catch (const EConvertError&) {
    }

    // The writer escapes what the reader decodes; line breaks and "&" are outside that promise.
    if (text.find_first_of("\r\n&") == std::string::npos) {
        TVGColumnCollection written(nullptr);
        TVGColumn* column = written.Add();
        column->SetCaption(text);
        column->SetFieldName(text);
        column->SetFormat(text);
        TVGColumnCollection read(nullptr);
        read.FromString(written.ToString());
        if (read.Count() != 1) __builtin_trap();
        if (read.Items(0)->Caption() != text) __builtin_trap();
        if (read.Items(0)->FieldName() != text) __builtin_trap();
    }
    return 0;
}
