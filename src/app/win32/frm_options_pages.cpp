// The controls of the six pages of 系统设置, where they sit and what they list.

#include <stdexcept>

#include "app/options_rules.h"
#include "app/win32/frm_options_dialog.h"
#include "timesvc/win32/time_sync_service.h"

namespace kalvoro::win::options_dialog {

HWND TFrmOptions::OnPage(int page, HWND control) {
    if (!control) throw std::runtime_error("options control");
    pages_[static_cast<std::size_t>(page)].push_back(control);
    return control;
}

HWND TFrmOptions::AddGroup(int page, std::string_view text, int x, int y, int width, int height, int id) {
    // See-through, so the dialog's background shows inside the frame.
    return OnPage(page, AddControl(WC_BUTTONW, text, BS_GROUPBOX, WS_EX_TRANSPARENT, x, y, width, height, id));
}

void TFrmOptions::AddSpin(int page, int x, int y, int width, int id, SpinRange range) {
    const HWND edit = OnPage(page, AddEdit("", x, y, width, 21, id, ES_NUMBER));
    const HWND spin =
        OnPage(page, AddControl(UPDOWN_CLASSW, "", UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                                0, 0, 0, 0, 0, kNoId));
    ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    ::SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(range.low), range.high);
    spins_.push_back({id, spin, range});
}

HWND TFrmOptions::AddSlider(int page, int x, int y, int width, int id) {
    const HWND slider =
        OnPage(page, AddControl(TRACKBAR_CLASSW, "", WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0, x, y, width, 28, id));
    ::SendMessageW(slider, TBM_SETRANGEMIN, FALSE, kOptionsMinAlpha);
    ::SendMessageW(slider, TBM_SETRANGEMAX, TRUE, kOptionsMaxAlpha);
    ::SendMessageW(slider, TBM_SETPAGESIZE, 0, 10);
    return slider;
}

void TFrmOptions::CreateGeneralPage() {
    constexpr int p = 0;
    AddGroup(p, "常规设置", kPageLeft - 6, kPageTop - 6, 360, 140);
    OnPage(p, AddCheckBox("Windows启动时运行", kPageLeft + 10, kPageTop + 18, 220, 20, kOptRunAtStart));
    OnPage(p, AddCheckBox("随系统启动时最小化", kPageLeft + 10, kPageTop + 44, 220, 20, kOptStartHidden));
    OnPage(p, AddCheckBox("总在最前面", kPageLeft + 10, kPageTop + 70, 220, 20, kOptOnTop));
    OnPage(p, AddLabel("运行时默认界面", kPageLeft + 10, kPageTop + 104, 100, 16));
    OnPage(p, AddComboBox(kPageLeft + 110, kPageTop + 100, 110, 160, kOptDefWin));
    for (const char* item : kDefWinItems) AddItem(kOptDefWin, item);
    // Kept for the file; the date line's cycling is switched from the bar itself.
    const HWND date_loop =
        AddCheckBox("日期 - 公历农历循环显示", kPageLeft + 10, kPageTop + 136, 220, 20, kOptDateLoop);
    ::ShowWindow(date_loop, SW_HIDE);
}

void TFrmOptions::CreateChimePage() {
    constexpr int p = 1;
    OnPage(p, AddCheckBox("整点报时", kPageLeft, kPageTop, 100, 20, kOptHourChime));
    OnPage(p, AddCheckBox("半点报时", kPageLeft + 120, kPageTop, 100, 20, kOptHalfChime));
    AddGroup(p, "报时类型", kPageLeft - 6, kPageTop + 28, 360, 118, kOptChimeTypeGroup);
    for (int i = 0; i < static_cast<int>(kChimeTypes.size()); ++i) {
        OnPage(p, AddRadioButton(kChimeTypes[static_cast<std::size_t>(i)], kPageLeft + 10, kPageTop + 48 + i * 23, 200,
                                 20, kOptChimeTypeFirst + i, i == 0));
    }
    AddGroup(p, "热键报时", kPageLeft - 6, kPageTop + 156, 360, 56, kOptHotKeyGroup);
    OnPage(p, AddCheckBox("启用", kPageLeft + 10, kPageTop + 180, 56, 20, kOptHotKeyOn));
    OnPage(p, AddComboBox(kPageLeft + 70, kPageTop + 178, 150, 200, kOptHotKey1));
    for (const char* item : kModifierItems) AddItem(kOptHotKey1, item);
    OnPage(p, AddLabel("+", kPageLeft + 228, kPageTop + 182, 12, 16));
    OnPage(p, AddComboBox(kPageLeft + 244, kPageTop + 178, 60, 300, kOptHotKey2));
    for (char letter = 'A'; letter <= 'Z'; ++letter) AddItem(kOptHotKey2, std::string(1, letter));
}

void TFrmOptions::CreateSkinPage() {
    constexpr int p = 2;
    OnPage(p, AddLabel("皮肤样式", kPageLeft, kPageTop, 100, 16));
    OnPage(p, AddListBox(kPageLeft, kPageTop + 18, 240, 110, kOptSkinList));
    OnPage(p, AddButton("应用(&A)", kPageLeft + 254, kPageTop + 18, 80, 25, kOptSkinApply));
    OnPage(p, AddControl(WC_STATICW, "", SS_OWNERDRAW, WS_EX_STATICEDGE, kPageLeft, kPageTop + 138, kBarWidth + 2,
                         kBarHeight + 2, kOptSkinPreview));
    OnPage(p, AddLabel("透明度", kPageLeft, kPageTop + 196, 60, 16));
    AddSlider(p, kPageLeft + 56, kPageTop + 190, 220, kOptBarAlpha);
    OnPage(p, AddLabel("", kPageLeft + 284, kPageTop + 196, 50, 16, kOptBarAlphaLabel));
    ::EnableWindow(Item(kOptSkinApply), FALSE);
}

void TFrmOptions::CreateClockPage() {
    constexpr int p = 3;
    OnPage(p, AddLabel("指针时钟", kPageLeft, kPageTop, 100, 16));
    OnPage(p, AddListBox(kPageLeft, kPageTop + 18, 200, 130, kOptClockList));
    OnPage(p, AddControl(WC_STATICW, "", SS_OWNERDRAW, 0, kPageLeft + 214, kPageTop + 18, kFacePreviewSide,
                         kFacePreviewSide, kOptClockPreview));
    OnPage(p, AddButton("应用(&A)", kPageLeft + 224, kPageTop + 124, 80, 25, kOptClockApply));
    AddGroup(p, "电子时钟", kPageLeft - 6, kPageTop + 160, 360, 56);
    OnPage(p, AddRadioButton("LED", kPageLeft + 10, kPageTop + 184, 60, 20, kOptLed, true));
    OnPage(p, AddRadioButton("普通", kPageLeft + 80, kPageTop + 184, 60, 20, kOptPlain, false));
    OnPage(p, AddButton("字体(&F)", kPageLeft + 160, kPageTop + 181, 80, 25, kOptFont));
    ::EnableWindow(Item(kOptClockApply), FALSE);
}

void TFrmOptions::CreateMessagePage() {
    constexpr int p = 4;
    AddGroup(p, "消息窗口关闭方式", kPageLeft - 6, kPageTop - 6, 360, 72);
    OnPage(p, AddRadioButton("手动关闭", kPageLeft + 10, kPageTop + 14, 90, 20, kOptManualClose, true));
    OnPage(p, AddRadioButton("自动关闭", kPageLeft + 110, kPageTop + 14, 90, 20, kOptAutoClose, false));
    OnPage(p, AddLabel("停留时间(秒)", kPageLeft + 10, kPageTop + 42, 90, 16, kOptAutoSecLabel));
    AddSpin(p, kPageLeft + 104, kPageTop + 38, 70, kOptAutoSec, kAutoSecRange);
    AddGroup(p, "日历标记消息", kPageLeft - 6, kPageTop + 74, 360, 72);
    OnPage(p, AddRadioButton("不显示", kPageLeft + 10, kPageTop + 94, 80, 20, kOptReminderNone, true));
    OnPage(p, AddRadioButton("启动时显示", kPageLeft + 100, kPageTop + 94, 100, 20, kOptReminderStart, false));
    OnPage(p, AddRadioButton("循环显示", kPageLeft + 210, kPageTop + 94, 90, 20, kOptReminderRepeat, false));
    OnPage(p, AddLabel("间隔时间(分)", kPageLeft + 10, kPageTop + 122, 90, 16, kOptReminderStepLabel));
    AddSpin(p, kPageLeft + 104, kPageTop + 118, 70, kOptReminderStep, kReminderStepRange);
    OnPage(p, AddLabel("消息窗口透明度", kPageLeft, kPageTop + 168, 100, 16));
    AddSlider(p, kPageLeft + 100, kPageTop + 162, 180, kOptMsgAlpha);
    OnPage(p, AddLabel("", kPageLeft + 288, kPageTop + 168, 50, 16, kOptMsgAlphaLabel));
}

void TFrmOptions::CreateTimePage() {
    constexpr int p = 5;
    OnPage(p, AddCheckBox("自动网络校时", kPageLeft, kPageTop, 160, 20, kOptAutoSync));
    OnPage(p, AddLabel("每", kPageLeft + 18, kPageTop + 32, 16, 16, kOptSyncEvery));
    AddSpin(p, kPageLeft + 36, kPageTop + 28, 70, kOptSyncStep, kSyncStepRange);
    OnPage(p, AddLabel("小时校正一次", kPageLeft + 112, kPageTop + 32, 100, 16, kOptSyncHours));
    OnPage(p, AddButton("立即校正", kPageLeft, kPageTop + 66, 90, 25, kOptSyncNow));
    OnPage(p, AddLabel(kLastSyncPrefix, kPageLeft, kPageTop + 104, 340, 32, kOptLastSync));
}

}  // namespace kalvoro::win::options_dialog
