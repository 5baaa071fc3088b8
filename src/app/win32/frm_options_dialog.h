#pragma once
// The settings dialog's window, shared by its files: frm_options.cpp (opening, pages, filling,
// enabling, saving), frm_options_pages.cpp (the controls of the six pages),
// frm_options_packages.cpp (package lists, previews, 应用) and frm_options_live.cpp (what acts on
// the running bar at once, the font dialog and 立即校正).

#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/options_save.h"
#include "app/win32/frm_options.h"
#include "app/win32/frm_options_preview.h"
#include "base/win32/gdi.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win::options_dialog {

inline constexpr std::array<const char*, kOptionsPageCount> kPageCaptions = {"常规", "报时", "皮肤",
                                                                             "时钟", "消息", "校时"};
inline constexpr std::array<const char*, 4> kDefWinItems = {"精简", "时钟", "日历", "天气"};
inline constexpr std::array<const char*, 4> kChimeTypes = {"语音报时", "钟声报时(单音)", "钟声报时(多音)", "消息报时"};
inline constexpr std::array<const char*, 7> kModifierItems = {
    "Alt", "Ctrl", "Shift", "Alt + Ctrl", "Alt + Shift", "Ctrl + Shift", "Alt + Ctrl + Shift"};

inline constexpr UINT_PTR kShownTimer = 1;
inline constexpr int kTabWidth = 70;
inline constexpr int kTabHeight = 30;
inline constexpr int kPageLeft = 96;
inline constexpr int kPageTop = 40;

struct SpinRange {
    int low;
    int high;
};
inline constexpr SpinRange kAutoSecRange{5, 3600};
inline constexpr SpinRange kReminderStepRange{1, 600};
inline constexpr SpinRange kSyncStepRange{1, 1000};

class TFrmOptions final : public SkinnedDialog {
public:
    TFrmOptions(OptionsContext& context, int page)
        : SkinnedDialog(kOptionsCaption, kOptionsWidth, kOptionsHeight),
          context_(context),
          start_page_(page),
          led_(context.bar.led) {}

protected:
    void OnCreateControls() override;
    void OnCommand(int id, int code) override;
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    // --- building ---------------------------------------------------------------------------------

    HWND OnPage(int page, HWND control);
    HWND AddGroup(int page, std::string_view text, int x, int y, int width, int height, int id = kNoId);
    void AddSpin(int page, int x, int y, int width, int id, SpinRange range);
    HWND AddSlider(int page, int x, int y, int width, int id);
    void CreateGeneralPage();
    void CreateChimePage();
    void CreateSkinPage();
    void CreateClockPage();
    void CreateMessagePage();
    void CreateTimePage();

    // --- pages ----------------------------------------------------------------------------------

    void TurnToPage(int page);

    // --- filling --------------------------------------------------------------------------------

    void SelectByText(int id, const std::string& text);
    void SetSpin(int id, int value, SpinRange range);
    int SpinValue(int id, SpinRange range, int fallback) const;
    void SetSlider(int id, int label_id, int position);

    int SliderPosition(int id) const { return static_cast<int>(::SendMessageW(Item(id), TBM_GETPOS, 0, 0)); }

    void FillControls();
    void UpdateEnabling();
    void EnableSpin(int id, bool on);

    // --- package lists and previews -------------------------------------------------------------

    void FillPackageList(int list_id, const std::string& folder, std::string_view extension, const std::string& current,
                         std::vector<PackageEntry>& entries);
    const PackageEntry* SelectedEntry(int list_id, const std::vector<PackageEntry>& entries) const;
    void WarnUnknownVersion();
    void PreviewSkin();
    void PreviewClock();
    void DrawPreview(const DRAWITEMSTRUCT& item);
    static std::string FileNameOf(const std::string& path);
    void ApplySkin();
    void ApplyClock();

    // --- live effects ---------------------------------------------------------------------------

    void OnSlider(HWND slider);
    void ChooseTimeStyle(bool digits);
    void PickTimeFont();
    void SyncNow();

    // --- saving ---------------------------------------------------------------------------------

    OptionsValues CollectValues() const;
    void Save();

    struct Spin {
        int edit_id;
        HWND arrows;
        SpinRange range;
    };
    OptionsContext& context_;
    int start_page_;
    bool turning_ = false;  // the page control's tag: the opening turn does not focus a list
    bool loading_ = false;
    bool saved_ = false;
    bool filled_ = false;  // every control holds its value from the file
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

}  // namespace kalvoro::win::options_dialog
