// What 系统设置 does to the running program at once: transparency, LED or plain time, the
// font dialog, and 立即校正.

#include "app/win32/frm_options_dialog.h"

#include <commdlg.h>

#include "app/options_rules.h"
#include "base/win32/text.h"
#include "timesvc/win32/time_sync_service.h"

namespace kalvoro::win::options_dialog {

void TFrmOptions::OnSlider(HWND slider) {
    if (slider == Item(kOptMsgAlpha)) {
        SetItemText(kOptMsgAlphaLabel, TransparencyPercentLabel(SliderPosition(kOptMsgAlpha)));
        return;
    }
    if (slider != Item(kOptBarAlpha)) return;
    const int position = SliderPosition(kOptBarAlpha);
    SetItemText(kOptBarAlphaLabel, TransparencyPercentLabel(position));
    if (loading_ || position == applied_alpha_) return;
    applied_alpha_ = position;
    if (context_.bar.set_transparency) context_.bar.set_transparency(position);
    context_.settings.SetTransparency(position);
}

void TFrmOptions::ChooseTimeStyle(bool digits) {
    if (loading_ || digits == led_.led_digits) return;
    led_.led_digits = digits;
    if (context_.bar.apply_led_font) context_.bar.apply_led_font(led_);
}

void TFrmOptions::PickTimeFont() {
    LOGFONTW font{};
    {
        WindowDC screen(nullptr);
        font.lfHeight = -::MulDiv(led_.size_points, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    }
    font.lfWeight = led_.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = led_.italic;
    font.lfUnderline = led_.underline;
    font.lfStrikeOut = led_.strike_out;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = Widen(led_.name);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = hwnd();
    choose.lpLogFont = &font;
    choose.rgbColors = static_cast<COLORREF>(led_.colour);
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!::ChooseFontW(&choose)) return;
    led_.name = Narrow(font.lfFaceName);
    if (choose.iPointSize > 0) led_.size_points = choose.iPointSize / 10;
    led_.colour = static_cast<int>(choose.rgbColors);
    led_.bold = font.lfWeight >= FW_BOLD;
    led_.italic = font.lfItalic != 0;
    led_.underline = font.lfUnderline != 0;
    led_.strike_out = font.lfStrikeOut != 0;
    if (context_.bar.apply_led_font) context_.bar.apply_led_font(led_);
}

void TFrmOptions::SyncNow() {
    if (!context_.sync_now) return;
    const HWND button = Item(kOptSyncNow);
    ::EnableWindow(button, FALSE);
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    SetItemText(kOptLastSync, "正在校正…");
    ::UpdateWindow(hwnd());
    SyncResult result;
    const bool ran = Guarded([&] { result = context_.sync_now(); });
    ::SetCursor(previous);
    ::EnableWindow(button, TRUE);
    if (ran && !result.synced_at.empty()) {
        SetItemText(kOptLastSync, std::string(kLastSyncPrefix) + result.synced_at);
    } else if (ran && !result.reason.empty()) {
        SetItemText(kOptLastSync, result.reason);
    } else {
        const std::string last = LastSyncLabel(context_.app_dir);
        SetItemText(kOptLastSync, last.empty() ? std::string(kLastSyncPrefix) : last);
    }
    // Clicks made while it ran are not meant for the dialog that is back now.
    MSG stale{};
    while (::PeekMessageW(&stale, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

}  // namespace kalvoro::win::options_dialog
