#pragma once
// Conversions between typed values and the texts the grid stores, written the Spanish way (decimal
// comma, "." between thousands of money), and small helpers on UTF-8 text. Text helpers work on
// characters; a malformed UTF-8 byte counts as one character and is kept as it is.
#include <string>

namespace vexo {

inline constexpr int moneyDecimals = 2;

std::string intToText(int value);
// "%0.*f" with a decimal comma. A negative count means six, as printf takes it; more than 1074
// decimals are written as 1074 (every double is exact by then). A result that rounds to zero
// carries no minus sign.
std::string floatToText(int decimals, double value);
// The framework's locale-aware reading; 0 for a text it cannot read.
double textToFloat(const std::string& text);
// A decimal number as the edit control and the grid's float cells read it: by the locale first,
// then as the grid's own text form (a decimal comma), so that a number the library wrote reads
// back whatever the locale's separator. EConvertError for anything else.
double decimalTextToFloat(const std::string& text);
// 1234.5 gives "1.234,50". NaN and infinities give the empty text, which is how an empty money cell
// reads; a value that rounds to zero gives "0,00" without a sign.
std::string moneyToText(double value);
// Reads money text whatever the locale's decimal separator: "." groups are dropped and the first
// "," is the decimal mark. Empty text gives 0; anything else unreadable raises EConvertError.
double textToMoney(const std::string& text);
std::string boolToText(bool value);
// true for "true", "si", "s", "sí" and "yes" in any letter case.
bool textToBool(const std::string& text);
// A decimal 32-bit colour; texts of 2147483648..4294967295 wrap to the negative system colours.
// Blanks around are allowed; anything else gives 0.
int textToColor(const std::string& text);
std::string quoteText(const std::string& text); // between double quotes, nothing escaped

void removeChar(char32_t c, std::string& text);
// Non-overlapping, left to right; the scan resumes after each inserted text. An empty find does nothing.
void replaceAll(const std::string& find, const std::string& repl, std::string& text);
char32_t stripAccent(char32_t c); // accented vowels of Latin-1 to plain ones; Ã, Õ, Ñ... unchanged
std::string stripAccents(const std::string& text);

// Writable access to one character of UTF-8 text; it reads as the character and assigning a
// character re-encodes it in place. A malformed byte reads as U+FFFD and is replaced as one
// character. Valid only while the text is not changed by other means.
class sCharRef {
public:
    sCharRef(std::string& text, std::size_t offset) : text_(text), offset_(offset) {}
    sCharRef(const sCharRef&) = default;
    operator char32_t() const;
    sCharRef& operator=(char32_t c); // EConvertError for a value that is no Unicode character
    sCharRef& operator=(const sCharRef& other) { return *this = static_cast<char32_t>(other); }

private:
    std::string& text_;
    std::size_t offset_;
};

// Character i of text, counted from 1; EListError outside 1..number of characters.
sCharRef charAt(std::string& text, int i);

} // namespace vexo
