#pragma once
// TFrmClock: the analog clock, a borderless window shaped by its clock face (magenta is
// see-through, the window blends with an alpha) that shows the face, the hour, minute and second
// hands and the centre cap of the clock skin. The content lives in ClockFace; this window copies
// its composed surface to the screen, drags itself by any of its pictures, carries the context
// menu and the drop shadow, and fades out and destroys itself when closed.
//
// The host (the display-mode logic) wires it so:
//
//   ClockWindowHost host;
//   host.owner = bar_hwnd;  host.shadows_on = ShadowsOnFlag();
//   host.on_menu_command = [&](ClockMenuCommand c) { ... };   // see ClockMenuCommand
//   host.on_closed = [&] { clock_closed = true; };            // clear the reference
//   auto clock = std::make_unique<TFrmClock>(host);
//   clock->Create();
//   clock->LoadClockSkin(clock_skin_path, false, bar_menu_colours);
//   clock->ShowAt(left, top, transparency, now);   // top from the window's Height() when above the bar
//   ... every tick while clock->IsVisible(): clock->UpdateClockHands(now);
//   ... another mode: clock->CloseFromModeSwitch();

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "base/date_time.h"
#include "base/file_store.h"
#include "base/win32/gdi.h"
#include "base/win32/handles.h"
#include "base/win32/window.h"
#include "skin/clock_face.h"
#include "skin/menu_colors.h"
#include "ui/win32/form_shadow.h"

namespace kalvoro::win {

// The context menu's items, in display order (切换到 is the submenu of the two switches).
enum class ClockMenuCommand : int {
    kTasks = 0,         // PM_DingShi 定时任务: the task list
    kWorldTime,         // PM_CSSJ 城市时间查询
    kClockStyle,        // PM_OptionType 时钟样式: options on page 3 "时钟"
    kTimeCorrection,    // PM_OptionTime 时间校正: options on page 5 "校时"
    kSwitchToCalendar,  // PM_RiLi 日历: display mode 1
    kSwitchToWeather,   // PM_TianQi 天气: display mode 3
    kCloseWindow,       // PM_Hide 关闭窗口: the window closes itself after reporting it
};
inline constexpr int kClockMenuCommandCount = 7;

struct ClockWindowHost {
    HWND owner = nullptr;  // the bar
    bool shadows_on = false;
    IFileStore* files = nullptr;  // nullptr: the disk
    // The bar's 16 x 16 menu images (magenta see-through) and the image of each command, -1 none.
    HBITMAP menu_images = nullptr;
    std::array<int, kClockMenuCommandCount> menu_image_index{-1, -1, -1, -1, -1, -1, -1};
    // Every chosen item. The window does nothing else for them but 关闭窗口, which closes it.
    std::function<void(ClockMenuCommand)> on_menu_command;
    // The window is gone (its shadow with it). Runs last: the host may free this object in it.
    std::function<void()> on_closed;
};

class TFrmClock final : public Window {
public:
    static constexpr wchar_t kClassName[] = L"TFrmClock";
    static constexpr int kFirstMenuId = 100;  // + ClockMenuCommand

    explicit TFrmClock(ClockWindowHost host);
    ~TFrmClock() override;

    // The window, hidden: layered, magenta keyed, alpha 255; the shadow when shadows are on.
    bool Create();

    // A clock skin package: in full, the face, the window's size, the hands and cap placed about
    // the pivot; colours_only takes only the menu colours (a clock skin has none of its own: they
    // are the bar's). A missing or damaged package or another version changes no picture.
    void LoadClockSkin(const std::string& path, bool colours_only, const MenuColors& bar_menu_colours);
    // The package "skin.ini" names (SKIN/ClockFile) in app_dir + "Clock\"; app_dir ends in "\".
    // The options dialog calls it in full after a new clock skin, colours only after a new bar skin.
    void ReloadClockSkin(const std::string& app_dir, const std::string& clock_file, bool colours_only,
                         const MenuColors& bar_menu_colours);

    // Opening: place, hands for now, show, alpha to the opacity, the shadow shown and refreshed.
    void ShowAt(int left, int top, int opacity, DateTime now);
    // Turns the hands to the time; only a hand whose angle changed is turned again, and the window
    // is repainted only when one did. Allocates nothing.
    void UpdateClockHands(DateTime now);
    // 55..255 from the options dialog's transparency.
    void SetOpacity(int opacity);

    // Closing from another display mode: full alpha, shadow refreshed, pending messages run, close.
    void CloseFromModeSwitch();
    // Closing: fades out when visible (the shadow goes first), destroys the window and its shadow,
    // then tells the host. Nothing of this object is touched after on_closed.
    void CloseWindow();

    int Width() const { return face_.Width(); }
    int Height() const { return face_.Height(); }
    const ClockFace& Face() const { return face_; }
    const TFormShadow* Shadow() const { return shadow_.get(); }
    bool ShadowShownOnce() const { return shadow_shown_; }
    HMENU ContextMenu() const { return menu_.get(); }
    const MenuColors& MenuColours() const { return menu_colours_; }

    // What choosing a menu item does (an id from kFirstMenuId).
    void RunMenuCommand(int id);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnDestroyed() override;

private:
    struct MenuRow;
    struct Surface;

    void BuildMenu();
    void ShowMenu(POINT screen);
    void ResizeToFace();
    void ComposeAndPaint(HDC target);
    void OnPaint();

    ClockWindowHost host_;
    ClockFace face_;
    std::unique_ptr<Surface> surface_;
    std::unique_ptr<TFormShadow> shadow_;
    bool shadow_shown_ = false;
    MenuColors menu_colours_;
    std::unique_ptr<std::array<MenuRow, 10>> rows_;
    win::MenuHandle menu_;
    Font menu_font_;
};

}  // namespace kalvoro::win
