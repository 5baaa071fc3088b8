#pragma once
// The popup program's main window: hidden, known to the bar through the registration message. It
// takes the bar's texts, keeps the message queue, puts a popup window on screen for every message
// that has room, closes them when their time is up, tells the bar to animate its tray icon while
// something is unread, and ends the program when the bar goes away.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "base/ini_file.h"
#include "base/win32/window.h"
#include "popup/message_queue.h"
#include "popup/popup_settings.h"
#include "popup/win32/popup_look.h"
#include "popup/win32/popup_window.h"

namespace kalvoro::win {

class PopupHostWindow final : public Window, private PopupWindowEvents {
public:
    static constexpr wchar_t kClassName[] = L"KalvoroSablewin";

    PopupHostWindow(HWND bar, IFileStore& files, std::string settings_path);
    ~PopupHostWindow() override;

    // Creates the hidden window and registers it with the bar.
    bool Create();

    // The window title that tells which bar an instance serves.
    static std::wstring TitleFor(HWND bar);
    // The main window of a running instance for this bar, or null.
    static HWND FindRunningInstance(HWND bar);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    BOOL OnCopyData(const COPYDATASTRUCT* data);
    void OnBarNotice(LPARAM notice);
    void OnTick();
    void ReloadSettings();
    void UpdateWorkArea();
    void CloseMessage(int id);
    // Brings the windows on screen in line with the queue and the tray icon with the read state.
    void Synchronise();
    void SetTrayAnimation(bool on);
    void Quit();

    void OnPopupClicked(int id) override;
    void OnPopupHeld(int id, bool held) override;
    void OnPopupFadedOut(int id) override;

    HWND bar_;
    IniFile settings_file_;
    popup::PopupSettings settings_;
    PopupLook look_;
    popup::MessageQueue queue_;
    std::map<int, std::unique_ptr<PopupWindow>> windows_;
    bool tray_animating_ = false;
    bool quitting_ = false;
};

}  // namespace kalvoro::win
