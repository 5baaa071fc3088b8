#include <windows.h>

#include "base/gbk.h"

namespace kalvoro::gbk_backend {
namespace {

// Always the Simplified Chinese code page, whatever the system's ANSI code page is.
constexpr UINT kGbkCodePage = 936;

}  // namespace

bool DecodeUnit(std::string_view unit, char32_t& code_point) {
    if (unit.empty() || unit.size() > 2) return false;
    wchar_t wide[2] = {};
    const int count =
        MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, unit.data(), static_cast<int>(unit.size()), wide, 2);
    if (count != 1) return false;
    code_point = static_cast<char32_t>(wide[0]);
    return true;
}

std::size_t EncodeCodePoint(char32_t code_point, char out[2]) {
    if (code_point > 0xFFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) return 0;
    const wchar_t wide = static_cast<wchar_t>(code_point);
    char bytes[4] = {};
    BOOL used_default = FALSE;
    const int count =
        WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes, nullptr, &used_default);
    if (used_default || count < 1 || count > 2) return 0;
    out[0] = bytes[0];
    out[1] = count == 2 ? bytes[1] : '\0';
    return static_cast<std::size_t>(count);
}

}  // namespace kalvoro::gbk_backend
