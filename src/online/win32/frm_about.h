#pragma once
// TFrmAbout (关于): the logo, the version, the mail link and a notice line, with 确定(&O).

#include <windows.h>

#include <string>

namespace kalvoro::win {

inline constexpr int kAboutLogoId = 501;     // Image1
inline constexpr int kAboutVersionId = 502;  // Label1
inline constexpr int kAboutMailId = 503;     // RzURLLabel2
inline constexpr int kAboutNoticeId = 504;   // Label2
inline constexpr char kAboutCaption[] = "关于";
inline constexpr char kAboutNotice[] = "Kalvoro is free software. Thank you for using it.";

// "V" and the build's version, "V3.7.8".
std::string AboutVersionText();

// ShowAbout: the modal window over the owner; returns when it closes.
void ShowAbout(HWND owner);

}  // namespace kalvoro::win
