#include "app/win32/frm_options.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <stdexcept>
#include <array>
#include <vector>

#include "app/options_rules.h"
#include "app/win32/frm_options_preview.h"
#include "base/win32/gdi.h"
#include "base/win32/text.h"
#include "timesvc/win32/time_sync_service.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {

namespace {

constexpr std::array<const char*, kOptionsPageCount> kPageCaptions = {"常规", "报时", "皮肤", "时钟", "消息", "校时"};
constexpr std::array<const char*, 4> kDefWinItems = {"精简", "时钟", "日历", "天气"};
constexpr std::array<const char*, 4> kChimeTypes = {"语音报时", "钟声报时(单音)", "钟声报时(多音)", "消息报时"};
constexpr std::array<const char*, 7> kModifierItems = {
    "Alt", "Ctrl", "Shift", "Alt + Ctrl", "Alt + Shift", "Ctrl + Shift", "Alt + Ctrl + Shift"};

constexpr UINT_PTR kShownTimer = 1;
constexpr int kTabWidth = 70;
constexpr int kTabHeight = 30;
constexpr int kPageLeft = 96;
constexpr int kPageTop = 40;

struct SpinRange {
    int low;
    int high;
};
constexpr SpinRange kAutoSecRange{5, 3600};
constexpr SpinRange kReminderStepRange{1, 600};
constexpr SpinRange kSyncStepRange{1, 1000};

class TFrmOptions final : public SkinnedDialog {
public:
    TFrmOptions(OptionsContext& context, int page)
        : SkinnedDialog(kOptionsCaption, kOptionsWidth, kOptionsHeight),
          context_(context),
          start_page_(page),
          led_(context.bar.led) {}

protected:
    void OnCreateControls() override {
        INITCOMMONCONTROLSEX common{sizeof(common), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&common);
        for (int page = 0; page < kOptionsPageCount; ++page) {
            const HWND tab = AddControl(WC_BUTTONW, kPageCaptions[static_cast<std::size_t>(page)],
                                        BS_AUTORADIOBUTTON | BS_PUSHLIKE | (page == 0 ? WS_GROUP | WS_TABSTOP : 0), 0,
                                        8, kPageTop + page * kTabHeight, kTabWidth, kTabHeight, kOptTabFirst + page);
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

    void OnCommand(int id, int code) override {
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
                if (code == BN_CLICKED) ChooseFont();
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

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
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

private:
    // --- building ---------------------------------------------------------------------------------

    HWND OnPage(int page, HWND control) {
        if (!control) throw std::runtime_error("options control");
        pages_[static_cast<std::size_t>(page)].push_back(control);
        return control;
    }

    HWND AddGroup(int page, std::string_view text, int x, int y, int width, int height, int id = kNoId) {
        // See-through, so the dialog's background shows inside the frame.
        return OnPage(page, AddControl(WC_BUTTONW, text, BS_GROUPBOX, WS_EX_TRANSPARENT, x, y, width, height, id));
    }

    void AddSpin(int page, int x, int y, int width, int id, SpinRange range) {
        const HWND edit = OnPage(page, AddEdit("", x, y, width, 21, id, ES_NUMBER));
        const HWND spin = OnPage(
            page, AddControl(UPDOWN_CLASSW, "", UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0,
                             0, 0, 0, 0, kNoId));
        ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        ::SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(range.low), range.high);
        spins_.push_back({id, spin, range});
    }

    HWND AddSlider(int page, int x, int y, int width, int id) {
        const HWND slider =
            OnPage(page, AddControl(TRACKBAR_CLASSW, "", WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0, x, y, width, 28, id));
        ::SendMessageW(slider, TBM_SETRANGEMIN, FALSE, kOptionsMinAlpha);
        ::SendMessageW(slider, TBM_SETRANGEMAX, TRUE, kOptionsMaxAlpha);
        ::SendMessageW(slider, TBM_SETPAGESIZE, 0, 10);
        return slider;
    }

    void CreateGeneralPage() {
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

    void CreateChimePage() {
        constexpr int p = 1;
        OnPage(p, AddCheckBox("整点报时", kPageLeft, kPageTop, 100, 20, kOptHourChime));
        OnPage(p, AddCheckBox("半点报时", kPageLeft + 120, kPageTop, 100, 20, kOptHalfChime));
        AddGroup(p, "报时类型", kPageLeft - 6, kPageTop + 28, 360, 118, kOptChimeTypeGroup);
        for (int i = 0; i < static_cast<int>(kChimeTypes.size()); ++i) {
            OnPage(p, AddRadioButton(kChimeTypes[static_cast<std::size_t>(i)], kPageLeft + 10, kPageTop + 48 + i * 23,
                                     200, 20, kOptChimeTypeFirst + i, i == 0));
        }
        AddGroup(p, "热键报时", kPageLeft - 6, kPageTop + 156, 360, 56, kOptHotKeyGroup);
        OnPage(p, AddCheckBox("启用", kPageLeft + 10, kPageTop + 180, 56, 20, kOptHotKeyOn));
        OnPage(p, AddComboBox(kPageLeft + 70, kPageTop + 178, 150, 200, kOptHotKey1));
        for (const char* item : kModifierItems) AddItem(kOptHotKey1, item);
        OnPage(p, AddLabel("+", kPageLeft + 228, kPageTop + 182, 12, 16));
        OnPage(p, AddComboBox(kPageLeft + 244, kPageTop + 178, 60, 300, kOptHotKey2));
        for (char letter = 'A'; letter <= 'Z'; ++letter) AddItem(kOptHotKey2, std::string(1, letter));
    }

    void CreateSkinPage() {
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

    void CreateClockPage() {
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

    void CreateMessagePage() {
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

    void CreateTimePage() {
        constexpr int p = 5;
        OnPage(p, AddCheckBox("自动网络校时", kPageLeft, kPageTop, 160, 20, kOptAutoSync));
        OnPage(p, AddLabel("每", kPageLeft + 18, kPageTop + 32, 16, 16, kOptSyncEvery));
        AddSpin(p, kPageLeft + 36, kPageTop + 28, 70, kOptSyncStep, kSyncStepRange);
        OnPage(p, AddLabel("小时校正一次", kPageLeft + 112, kPageTop + 32, 100, 16, kOptSyncHours));
        OnPage(p, AddButton("立即校正", kPageLeft, kPageTop + 66, 90, 25, kOptSyncNow));
        OnPage(p, AddLabel(kLastSyncPrefix, kPageLeft, kPageTop + 104, 340, 32, kOptLastSync));
    }

    // --- pages ----------------------------------------------------------------------------------

    void TurnToPage(int page) {
        // The page-changing step: a package list is filled the first time its page shows.
        if (!page_filled_[static_cast<std::size_t>(page)]) {
            page_filled_[static_cast<std::size_t>(page)] = true;
            if (page == 2) FillPackageList(kOptSkinList, "Skin\\", ".sk", context_.settings.values().skin_file, skins_);
            if (page == 3)
                FillPackageList(kOptClockList, "Clock\\", ".cl", context_.settings.values().clock_file, clocks_);
        }
        page_ = page;
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

    // --- filling --------------------------------------------------------------------------------

    void SelectByText(int id, const std::string& text) {
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

    void SetSpin(int id, int value, SpinRange range) {
        SetItemText(id, std::to_string(std::clamp(value, range.low, range.high)));
    }

    int SpinValue(int id, SpinRange range, int fallback) const {
        return ClampSpinText(ItemText(id), range.low, range.high, fallback);
    }

    void SetSlider(int id, int label_id, int position) {
        position = std::clamp(position, kOptionsMinAlpha, kOptionsMaxAlpha);
        ::SendMessageW(Item(id), TBM_SETPOS, TRUE, position);
        SetItemText(label_id, TransparencyPercentLabel(position));
    }

    int SliderPosition(int id) const { return static_cast<int>(::SendMessageW(Item(id), TBM_GETPOS, 0, 0)); }

    void FillControls() {
        loading_ = true;
        Guarded([&] {
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

    void UpdateEnabling() {
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

    void EnableSpin(int id, bool on) {
        ::EnableWindow(Item(id), on);
        for (const Spin& spin : spins_) {
            if (spin.edit_id == id) ::EnableWindow(spin.arrows, on);
        }
    }

    // --- package lists and previews -------------------------------------------------------------

    void FillPackageList(int list_id, const std::string& folder, std::string_view extension, const std::string& current,
                         std::vector<PackageEntry>& entries) {
        entries = ListPackages(context_.app_dir + folder, extension);
        const HWND list = Item(list_id);
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        int selected = entries.empty() ? -1 : 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entries[i].name).c_str()));
            if (selected == 0 && entries[i].name == current) selected = static_cast<int>(i);
        }
        if (selected < 0) return;
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        if (list_id == kOptSkinList) {
            PreviewSkin();
        } else {
            PreviewClock();
        }
    }

    const PackageEntry* SelectedEntry(int list_id, const std::vector<PackageEntry>& entries) const {
        const int row = static_cast<int>(::SendMessageW(Item(list_id), LB_GETCURSEL, 0, 0));
        if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return nullptr;
        return &entries[static_cast<std::size_t>(row)];
    }

    void WarnUnknownVersion() {
        ::MessageBoxW(hwnd(), Widen(kUnknownVersionText).c_str(), Widen(kUnknownVersionCaption).c_str(),
                      MB_OK | MB_ICONWARNING);
    }

    void PreviewSkin() {
        skin_preview_.reset();
        skin_path_.clear();
        ::EnableWindow(Item(kOptSkinApply), FALSE);
        ::InvalidateRect(Item(kOptSkinPreview), nullptr, TRUE);
        const PackageEntry* entry = SelectedEntry(kOptSkinList, skins_);
        if (!entry) return;
        BarPreview preview = DrawBarPreview(entry->path, TodayText());
        if (preview.problem == SkinPackageProblem::kWrongVersion) {
            WarnUnknownVersion();
            return;
        }
        skin_preview_ = std::move(preview.picture);
        ::InvalidateRect(Item(kOptSkinPreview), nullptr, TRUE);
        if (preview.problem != SkinPackageProblem::kNone) return;
        skin_path_ = entry->path;
        ::EnableWindow(Item(kOptSkinApply), TRUE);
    }

    void PreviewClock() {
        clock_preview_.reset();
        clock_path_.clear();
        ::EnableWindow(Item(kOptClockApply), FALSE);
        ::InvalidateRect(Item(kOptClockPreview), nullptr, TRUE);
        const PackageEntry* entry = SelectedEntry(kOptClockList, clocks_);
        if (!entry) return;
        FacePreview face = LoadFacePreview(entry->path);
        if (face.problem == SkinPackageProblem::kWrongVersion) {
            WarnUnknownVersion();
            return;
        }
        if (face.problem != SkinPackageProblem::kNone || !face.picture) return;
        clock_preview_ = std::move(face.picture);
        RECT frame{};
        ::GetWindowRect(Item(kOptClockPreview), &frame);
        ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&frame), 2);
        ::SetWindowPos(Item(kOptClockPreview), nullptr, 0, 0, face.shown.width, face.shown.height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(Item(kOptClockPreview), nullptr, TRUE);
        clock_path_ = entry->path;
        ::EnableWindow(Item(kOptClockApply), TRUE);
    }

    void DrawPreview(const DRAWITEMSTRUCT& item) {
        const HBITMAP picture = item.CtlID == kOptSkinPreview ? skin_preview_.get() : clock_preview_.get();
        FillSolid(item.hDC, item.rcItem, ::GetSysColor(COLOR_BTNFACE));
        if (!picture) return;
        BITMAP info{};
        ::GetObjectW(picture, sizeof(info), &info);
        MemoryDC source(item.hDC);
        SelectObjectScope select(source.get(), picture);
        ::SetStretchBltMode(item.hDC, HALFTONE);
        ::StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
                     item.rcItem.bottom - item.rcItem.top, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }

    static std::string FileNameOf(const std::string& path) {
        const std::size_t slash = path.find_last_of("\\/");
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }

    void ApplySkin() {
        if (skin_path_.empty() || ::GetFileAttributesW(Widen(skin_path_).c_str()) == INVALID_FILE_ATTRIBUTES) return;
        context_.settings.ApplySkinFile(FileNameOf(skin_path_));
    }

    void ApplyClock() {
        if (clock_path_.empty() || ::GetFileAttributesW(Widen(clock_path_).c_str()) == INVALID_FILE_ATTRIBUTES) return;
        context_.settings.ApplyClockFile(FileNameOf(clock_path_));
    }

    // --- live effects ---------------------------------------------------------------------------

    void OnSlider(HWND slider) {
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

    void ChooseTimeStyle(bool digits) {
        if (loading_ || digits == led_.led_digits) return;
        led_.led_digits = digits;
        if (context_.bar.apply_led_font) context_.bar.apply_led_font(led_);
    }

    void ChooseFont() {
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

    void SyncNow() {
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

    // --- saving ---------------------------------------------------------------------------------

    OptionsValues CollectValues() const {
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

    void Save() {
        if (saved_) return;
        saved_ = true;
        if (run_changed_) {
            Guarded([&] { WriteRunEntry(context_.exe_path, IsChecked(kOptRunAtStart), context_.run_key_root); });
        }
        Guarded([&] { context_.settings.SaveOptions(CollectValues()); });
        if (context_.notify_popup) Guarded([&] { context_.notify_popup(); });
    }

    struct Spin {
        int edit_id;
        HWND arrows;
        SpinRange range;
    };

    OptionsContext& context_;
    int start_page_;
    int page_ = 0;
    bool turning_ = false;  // the page control's tag: the opening turn does not focus a list
    bool loading_ = false;
    bool saved_ = false;
    bool run_checked_at_start_ = false;
    bool run_changed_ = false;
    int applied_alpha_ = -1;
    LedFontSettings led_;
    OptionsValues read_;
    std::array<bool, kOptionsPageCount> page_filled_{};
    std::array<std::vector<HWND>, kOptionsPageCount> pages_;
    std::vector<Spin> spins_;
    std::vector<PackageEntry> skins_;
    std::vector<PackageEntry> clocks_;
    std::string skin_path_;
    std::string clock_path_;
    Bitmap skin_preview_;
    Bitmap clock_preview_;
};

}  // namespace

void ShowOptions(HWND owner, OptionsContext& context, int page) {
    TFrmOptions dialog(context, page);
    dialog.RunModal(owner);
}

}  // namespace kalvoro::win
