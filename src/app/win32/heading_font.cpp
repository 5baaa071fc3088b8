#include "app/win32/heading_font.h"

#include <windows.h>

#include "base/win32/gdi.h"

namespace kalvoro::win {

namespace {

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontInstalled(const wchar_t* family) {
    WindowDC screen(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(query.lfFaceName, LF_FACESIZE, family, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExW(screen.get(), &query, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

std::wstring ChooseHeadingFont() {
    for (const wchar_t* family : {L"楷体_GB2312", L"楷体"}) {
        if (FontInstalled(family)) return family;
    }
    return L"宋体";
}

}  // namespace kalvoro::win
