#pragma once
// The platform rich-edit control's reading of its text into a QTextDocument. Text that begins with
// "{\rtf" is rich text, read for its common subset: groups; \b \i \ul \strike and their "0" ends,
// \ulnone and \plain; \fs; \cf with \colortbl; \f with \fonttbl and \deff; \par \line \tab; \'hh
// (Windows-1252) and \uN with \ucN fallback skipping; the symbols \~ \_ \{ \} \\ and the named
// quotes and dashes. Unknown control words are passed over and ignorable (\*) and known non-text
// destinations (style sheet, info, pictures, headers, field instructions...) are skipped with
// their group. Other text is plain, UTF-8, lines broken at "\n", "\r\n" or "\r".
// Bad input never raises: unbalanced braces, truncated escapes and unknown words lose only the
// markup, every readable character is kept.
#include <string_view>

class QTextDocument;

namespace vexo {

bool IsRichText(std::string_view text);
// Replaces the document's content with the text, rich or plain as IsRichText decides.
void SetRichEditText(QTextDocument& document, std::string_view text);
// Replaces the document's content with the rich text (from its opening brace).
void ReadRichText(QTextDocument& document, std::string_view rtf);

} // namespace vexo
