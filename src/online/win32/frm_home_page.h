#pragma once
// TFormHomePage (赞助软件作者): asks to make an announced address the browser's start page, showing
// the current start page and the new one as links.

#include <windows.h>

#include <string_view>

namespace kalvoro::win {

inline constexpr int kHomePageCurrentLinkId = 401;  // RzURLLabel1
inline constexpr int kHomePageNewLinkId = 402;      // RzURLLabel2

// True when the user chose 确定(&O).
bool ShowHomePageOffer(HWND owner, std::string_view current, std::string_view proposed);

}  // namespace kalvoro::win
