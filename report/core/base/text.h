// Text helpers for Windows-1252 byte strings.
//
// All text inside the engine and the program logic is std::string holding Windows-1252 bytes,
// as in every file the program reads or writes. Conversion to Unicode happens only where text
// reaches a widget, a canvas or the terminal.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace report {

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 control characters of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view text);

// Appends the UTF-8 encoding of one Unicode code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-8 to Windows-1252. Characters that have no Windows-1252 byte, and invalid sequences,
// become '?'.
std::string Utf8ToCp1252(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

// True when some byte is 0x80 or above.
bool HasNonAscii(std::string_view text);

// Windows-1252 case mapping: a-z, the accented letters (é <-> É ...), š, œ, ž, ÿ <-> Ÿ.
// ß and µ have no single-byte upper case and stay as they are.
char UpperCaseChar(char c);
char LowerCaseChar(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Case-insensitive comparison under the Windows-1252 mapping: <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Removal of leading and/or trailing characters with codes up to 32 (blanks, line breaks,
// other control characters).
std::string Trim(std::string_view text);
std::string_view TrimmedView(std::string_view text);  // the same, without a copy
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Fills the placeholders of a message pattern in order: each "%s" or "%d" takes the next
// argument as it is; "%%" gives "%". Missing arguments leave the placeholder out.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace report
