#include "app/win32/frm_options_dialog.h"

#include <algorithm>
#include <stdexcept>

#include "app/options_rules.h"
#include "base/win32/text.h"
#include "timesvc/win32/time_sync_service.h"

namespace kalvoro::win::options_dialog {

void TFrmOptions::OnCreateControls() {
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&common);
    for (int page = 0; page < kOptionsPageCount; ++page) {
        const HWND tab = AddControl(WC_BUTTONW, kPageCaptions[static_cast<std::size_t>(page)],
                                    BS_AUTORADIOBUTTON | BS_PUSHLIKE | (page == 0 ? WS_GROUP | WS_TABSTOP : 0), 0, 8,
                                    kPageTop + page * kTabHeight, kTabWidth, kTabHeight, kOptTabFirst + page);
        if (!tab) throw std::runtime_error("options tab");
    }
    AddButton("关闭(&C)", kOptionsWidth - 90, kOptionsHeight - 36, 75, 25, IDCANCEL);
    CreateGeneralPage();
    CreateChimePage();
    CreateSkinPage();
    CreateClockPage();
    CreateMessagePage();
    CreateTimePage();

    run_checked_at_start_ = RunEntryPresent(context_.exe_path, context_.run_key_root);
    SetChecked(kOptRunAtStart, run_checked_at_start_);
    // A present entry is written again on closing, in the form this program writes.
    run_changed_ = run_checked_at_start_;

    turning_ = true;
    TurnToPage(start_page_ >= 0 && start_page_ < kOptionsPageCount ? start_page_ : 0);
    turning_ = false;
    FillControls();
    const std::string last_sync = LastSyncLabel(context_.app_dir);
    if (!last_sync.empty()) SetItemText(kOptLastSync, last_sync);
    if (context_.on_shown) ::SetTimer(hwnd(), kShownTimer, 10, nullptr);
}

void TFrmOptions::OnCommand(int id, int code) {
    if (id >= kOptTabFirst && id < kOptTabFirst + kOptionsPageCount) {
        if (code == BN_CLICKED) TurnToPage(id - kOptTabFirst);
        return;
    }
    switch (id) {
        case kOptRunAtStart:
            if (code == BN_CLICKED) run_changed_ = true;
            break;
        case kOptOnTop:
            if (code == BN_CLICKED && !loading_ && context_.bar.set_on_top)
                context_.bar.set_on_top(IsChecked(kOptOnTop));
            break;
        case kOptDateLoop:
            if (code == BN_CLICKED && !loading_ && context_.bar.set_date_loop)
                context_.bar.set_date_loop(IsChecked(kOptDateLoop));
            break;
        case kOptLed:
        case kOptPlain:
            if (code == BN_CLICKED) ChooseTimeStyle(IsChecked(kOptLed));
            break;
        case kOptFont:
            if (code == BN_CLICKED) PickTimeFont();
            break;
        case kOptSkinList:
            if (code == LBN_SELCHANGE) PreviewSkin();
            break;
        case kOptClockList:
            if (code == LBN_SELCHANGE) PreviewClock();
            break;
        case kOptSkinApply:
            if (code == BN_CLICKED) ApplySkin();
            break;
        case kOptClockApply:
            if (code == BN_CLICKED) ApplyClock();
            break;
        case kOptSyncNow:
            if (code == BN_CLICKED) SyncNow();
            break;
        default:
            break;
    }
    if (code == BN_CLICKED) UpdateEnabling();
}

LRESULT TFrmOptions::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_HSCROLL:
            Guarded([&] { OnSlider(reinterpret_cast<HWND>(lparam)); });
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (item->CtlID == kOptSkinPreview || item->CtlID == kOptClockPreview) {
                Guarded([&] { DrawPreview(*item); });
                return TRUE;
            }
            break;
        }
        case WM_TIMER:
            if (wparam == kShownTimer) {
                ::KillTimer(hwnd(), kShownTimer);
                Guarded([&] { context_.on_shown(hwnd()); });
                return 0;
            }
            break;
        case WM_DESTROY:
            // The controls still exist here; the dialog saves whichever way it was closed.
            Save();
            break;
        default:
            break;
    }
    return SkinnedDialog::HandleMessage(message, wparam, lparam);
}

void TFrmOptions::TurnToPage(int page) {
    // The page-changing step: a package list is filled the first time its page shows.
    if (!page_filled_[static_cast<std::size_t>(page)]) {
        page_filled_[static_cast<std::size_t>(page)] = true;
        if (page == 2) FillPackageList(kOptSkinList, "Skin\\", ".sk", context_.settings.values().skin_file, skins_);
        if (page == 3) FillPackageList(kOptClockList, "Clock\\", ".cl", context_.settings.values().clock_file, clocks_);
    }
    for (int i = 0; i < kOptionsPageCount; ++i) {
        ::SendMessageW(Item(kOptTabFirst + i), BM_SETCHECK, i == page ? BST_CHECKED : BST_UNCHECKED, 0);
        for (const HWND control : pages_[static_cast<std::size_t>(i)]) {
            ::ShowWindow(control, i == page ? SW_SHOW : SW_HIDE);
        }
    }
    if (!turning_ && (page == 2 || page == 3)) {
        const HWND list = Item(page == 2 ? kOptSkinList : kOptClockList);
        const int selected = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
        if (selected >= 0) ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        ::SetFocus(list);
    }
}

void TFrmOptions::SelectByText(int id, const std::string& text) {
    const HWND combo = Item(id);
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i) {
        wchar_t item[64] = {};
        if (::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= 63) continue;
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        if (Narrow(item) == text) found = i;
    }
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void TFrmOptions::SetSpin(int id, int value, SpinRange range) {
    SetItemText(id, std::to_string(std::clamp(value, range.low, range.high)));
}

int TFrmOptions::SpinValue(int id, SpinRange range, int fallback) const {
    return ClampSpinText(ItemText(id), range.low, range.high, fallback);
}

void TFrmOptions::SetSlider(int id, int label_id, int position) {
    position = std::clamp(position, kOptionsMinAlpha, kOptionsMaxAlpha);
    ::SendMessageW(Item(id), TBM_SETPOS, TRUE, position);
    SetItemText(label_id, TransparencyPercentLabel(position));
}

void TFrmOptions::FillControls() {
    loading_ = true;
    filled_ = Guarded([&] {
        read_ = OptionsValuesFromFile(context_.settings.file().Load());
        SetChecked(kOptLed, led_.led_digits);
        SetChecked(kOptPlain, !led_.led_digits);
        SetChecked(kOptOnTop, read_.on_top);
        SetChecked(kOptStartHidden, read_.start_hidden);
        // A stored value outside the list means what the bar makes of it: the clock.
        SelectIndex(kOptDefWin, read_.default_win >= 0 && read_.default_win <= 3 ? read_.default_win : 1);
        SetChecked(kOptDateLoop, read_.date_loop);
        SetChecked(kOptHourChime, read_.hour_chime);
        SetChecked(kOptHalfChime, read_.half_chime);
        for (int i = 0; i < 4; ++i) SetChecked(kOptChimeTypeFirst + i, read_.chime_type == i);
        SelectByText(kOptHotKey1, read_.hot_key1);
        SelectByText(kOptHotKey2, read_.hot_key2);
        SetChecked(kOptHotKeyOn, read_.hot_key);
        SetChecked(kOptAutoClose, read_.msg_auto_close);
        SetChecked(kOptManualClose, !read_.msg_auto_close);
        SetSpin(kOptAutoSec, read_.msg_auto_sec, kAutoSecRange);
        SetSlider(kOptMsgAlpha, kOptMsgAlphaLabel, read_.msg_tran);
        SetChecked(kOptReminderNone, read_.reminder_mode == 0);
        SetChecked(kOptReminderStart, read_.reminder_mode == 1);
        SetChecked(kOptReminderRepeat, read_.reminder_mode == 2);
        SetSpin(kOptReminderStep, read_.reminder_step, kReminderStepRange);
        SetSlider(kOptBarAlpha, kOptBarAlphaLabel, context_.bar.alpha);
        applied_alpha_ = SliderPosition(kOptBarAlpha);
        SetChecked(kOptAutoSync, read_.auto_sync);
        SetSpin(kOptSyncStep, read_.sync_step_hours, kSyncStepRange);
    });
    loading_ = false;
    UpdateEnabling();
}

void TFrmOptions::UpdateEnabling() {
    OptionsChecks checks;
    checks.hour_chime = IsChecked(kOptHourChime);
    checks.half_chime = IsChecked(kOptHalfChime);
    checks.hot_key = IsChecked(kOptHotKeyOn);
    checks.auto_sync = IsChecked(kOptAutoSync);
    checks.auto_close = IsChecked(kOptAutoClose);
    checks.repeat_reminder = IsChecked(kOptReminderRepeat);
    checks.plain_time = IsChecked(kOptPlain);
    const OptionsEnabled enabled = EnabledControls(checks);
    const auto enable = [&](int id, bool on) { ::EnableWindow(Item(id), on); };
    enable(kOptChimeTypeGroup, enabled.chime_type);
    for (int i = 0; i < 4; ++i) enable(kOptChimeTypeFirst + i, enabled.chime_type);
    enable(kOptHotKey1, enabled.hot_key_lists);
    enable(kOptHotKey2, enabled.hot_key_lists);
    enable(kOptSyncEvery, enabled.sync_step);
    enable(kOptSyncHours, enabled.sync_step);
    EnableSpin(kOptSyncStep, enabled.sync_step);
    enable(kOptAutoSecLabel, enabled.auto_seconds);
    EnableSpin(kOptAutoSec, enabled.auto_seconds);
    enable(kOptReminderStepLabel, enabled.reminder_step);
    EnableSpin(kOptReminderStep, enabled.reminder_step);
    enable(kOptFont, enabled.font_button);
}

void TFrmOptions::EnableSpin(int id, bool on) {
    ::EnableWindow(Item(id), on);
    for (const Spin& spin : spins_) {
        if (spin.edit_id == id) ::EnableWindow(spin.arrows, on);
    }
}

OptionsValues TFrmOptions::CollectValues() const {
    OptionsValues v;
    v.led = led_;
    v.transparency = SliderPosition(kOptBarAlpha);
    v.on_top = IsChecked(kOptOnTop);
    v.start_hidden = IsChecked(kOptStartHidden);
    v.default_win = SelectedIndex(kOptDefWin);
    if (v.default_win < 0) v.default_win = read_.default_win;
    v.date_loop = IsChecked(kOptDateLoop);
    v.hour_chime = IsChecked(kOptHourChime);
    v.half_chime = IsChecked(kOptHalfChime);
    v.chime_type = read_.chime_type;  // none of the four chosen keeps the stored value
    for (int i = 0; i < 4; ++i) {
        if (IsChecked(kOptChimeTypeFirst + i)) v.chime_type = i;
    }
    v.hot_key1 = ItemText(kOptHotKey1);
    v.hot_key2 = ItemText(kOptHotKey2);
    v.hot_key = IsChecked(kOptHotKeyOn);
    v.msg_auto_close = IsChecked(kOptAutoClose);
    v.msg_auto_sec = SpinValue(kOptAutoSec, kAutoSecRange, read_.msg_auto_sec);
    v.msg_tran = SliderPosition(kOptMsgAlpha);
    v.reminder_mode = IsChecked(kOptReminderStart) ? 1 : IsChecked(kOptReminderRepeat) ? 2 : 0;
    v.reminder_step = SpinValue(kOptReminderStep, kReminderStepRange, read_.reminder_step);
    v.auto_sync = IsChecked(kOptAutoSync);
    v.sync_step_hours = SpinValue(kOptSyncStep, kSyncStepRange, read_.sync_step_hours);
    return v;
}

void TFrmOptions::Save() {
    if (saved_) return;
    saved_ = true;
    if (run_changed_) {
        Guarded([&] { WriteRunEntry(context_.exe_path, IsChecked(kOptRunAtStart), context_.run_key_root); });
    }
    // Controls that were never filled hold no choice of the user's: nothing is written from them.
    if (filled_) Guarded([&] { context_.settings.SaveOptions(CollectValues()); });
    if (context_.notify_popup) Guarded([&] { context_.notify_popup(); });
}

}  // namespace kalvoro::win::options_dialog

namespace kalvoro::win {

void ShowOptions(HWND owner, OptionsContext& context, int page) {
    options_dialog::TFrmOptions dialog(context, page);
    dialog.RunModal(owner);
}

}  // namespace kalvoro::win
