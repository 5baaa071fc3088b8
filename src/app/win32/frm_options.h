#pragma once
// TFrmOptions (系统设置): the settings dialog. Six pages down its left side (常规, 报时, 皮肤, 时钟,
// 消息, 校时); transparency, always-on-top, the date line's cycling and LED or plain time act on the
// running bar at once, the two 应用(&A) buttons apply a bar or clock skin, and everything else is
// written to "skin.ini" when the dialog goes, whichever way it is closed.
//
//   OptionsContext context{core.settings(), core.app_dir(), ...};   // the host fills the hooks
//   ShowOptions(bar_hwnd, context, item->tag);

#include <windows.h>

#include <functional>
#include <string>

#include "app/options_save.h"
#include "app/settings.h"
#include "timesvc/time_sync.h"

namespace kalvoro::win {

inline constexpr char kOptionsCaption[] = "系统设置";
inline constexpr char kUnknownVersionText[] = "无法识别的文件版本！";
inline constexpr char kUnknownVersionCaption[] = "警告";
inline constexpr int kOptionsPageCount = 6;
inline constexpr int kOptionsWidth = 470;
inline constexpr int kOptionsHeight = 340;

// Control identifiers, for the host's tests and the program's end-to-end tests.
enum OptionsControlId : int {
    kOptTabFirst = 1100,  // + page index
    kOptRunAtStart = 1110,
    kOptStartHidden,
    kOptOnTop,
    kOptDefWin,
    kOptDateLoop,
    kOptHourChime = 1120,
    kOptHalfChime,
    kOptChimeTypeGroup,
    kOptChimeTypeFirst,  // four radio buttons
    kOptHotKeyGroup = 1130,
    kOptHotKeyOn,
    kOptHotKey1,
    kOptHotKey2,
    kOptSkinList = 1140,
    kOptSkinPreview,
    kOptSkinApply,
    kOptBarAlpha,
    kOptBarAlphaLabel,
    kOptClockList = 1150,
    kOptClockPreview,
    kOptClockApply,
    kOptLed,
    kOptPlain,
    kOptFont,
    kOptClockLabel,
    kOptManualClose = 1160,
    kOptAutoClose,
    kOptAutoSecLabel,
    kOptAutoSec,
    kOptReminderNone,
    kOptReminderStart,
    kOptReminderRepeat,
    kOptReminderStepLabel,
    kOptReminderStep,
    kOptMsgAlpha,
    kOptMsgAlphaLabel,
    kOptAutoSync = 1180,
    kOptSyncEvery,
    kOptSyncStep,
    kOptSyncHours,
    kOptSyncNow,
    kOptLastSync,
};

// What the dialog reads from the running bar and does to it.
struct OptionsBarHooks {
    int alpha = 200;      // the bar's alpha now (the slider starts here, not at BAR/Tr)
    LedFontSettings led;  // digits or plain text as the bar shows them now, and the text's font
    std::function<void(int alpha)> set_transparency;  // the bar and every showing child window
    std::function<void(bool on_top)> set_on_top;
    std::function<void(bool on)> set_date_loop;
    std::function<void(const LedFontSettings& led)> apply_led_font;  // digits or text, at once
};

struct OptionsContext {
    Settings& settings;
    std::string app_dir;   // ends in "\"
    std::string exe_path;  // the Run entry's program
    OptionsBarHooks bar;
    // 立即校正: one synchronisation on the calling thread.
    std::function<SyncResult()> sync_now;
    // Sent after the keys are written: the popup program reloads them.
    std::function<void()> notify_popup;
    // Called once the dialog shows, with its window (tests drive it from here).
    std::function<void(HWND dialog)> on_shown;
    // The Run key's root for writing; tests may point it elsewhere.
    HKEY run_key_root = HKEY_CURRENT_USER;
};

// Opens the dialog on a page (0..5; a negative or larger index keeps 常规), runs it modally and
// saves when it goes.
void ShowOptions(HWND owner, OptionsContext& context, int page);

// The Run entry "Kalvoro": set when the value under the local machine or the current user starts
// this program. Refused access reads as not set.
bool RunEntryPresent(const std::string& exe_path, HKEY user_root = HKEY_CURRENT_USER);
// On: the start command under the current user (which needs no rights) and a machine entry
// removed where allowed; off: the value removed from both. False when the registry refused.
bool WriteRunEntry(const std::string& exe_path, bool on, HKEY user_root = HKEY_CURRENT_USER);

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Kalvoro";

}  // namespace kalvoro::win
