#pragma once
// GBK (code page 936) is the encoding of every file the program reads or writes; the core works in
// UTF-8 and the Win32 calls in UTF-16. Conversions never fail: a byte sequence that is not GBK
// becomes U+FFFD one byte at a time, and a character GBK cannot hold becomes "?".
// Natively the code page comes from iconv ("CP936"), in the Windows build from code page 936
// explicitly, whatever the system code page is; both give the same results.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvoro {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Length of the text in GBK bytes (a Chinese character counts 2).
std::size_t GbkLength(std::string_view utf8);
// The longest prefix of the text whose GBK form has at most max_bytes bytes, never splitting a
// character.
std::string CutToGbkBytes(std::string_view utf8, std::size_t max_bytes);
// The same on GBK bytes: the length of the longest prefix of at most max_bytes bytes that does not
// end in the middle of a two-byte character.
std::size_t GbkCutLength(std::string_view gbk, std::size_t max_bytes);

namespace gbk_backend {
// One GBK unit (one byte below 0x80 or 0x80 itself, or a lead and trail byte) to a code point;
// false when the code page leaves it unassigned.
bool DecodeUnit(std::string_view unit, char32_t& code_point);
// One code point to GBK; returns the byte count (1 or 2), 0 when the code page cannot hold it.
std::size_t EncodeCodePoint(char32_t code_point, char out[2]);
}  // namespace gbk_backend

}  // namespace kalvoro
