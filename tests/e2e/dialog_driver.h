#pragma once
// Driving the program's own dialogs from the test process, as a user would: found by caption,
// their controls clicked, typed into and read through window messages.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "e2e/app_under_test.h"

namespace kalvoro::e2e {

// Sets an environment variable that the programs started meanwhile inherit; puts back the value
// it had before when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::wstring name, const std::wstring& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

// A visible dialog of the program with this caption, or null.
HWND FindDialog(const AppUnderTest& app, const std::wstring& caption);
// The same, waited for (null when it never came).
HWND WaitForDialog(const AppUnderTest& app, const std::wstring& caption,
                   std::chrono::milliseconds timeout = std::chrono::seconds(15));
// Visible system message boxes of the program.
std::vector<HWND> MessageBoxes(const AppUnderTest& app);

std::wstring TextOf(HWND window);
// The child control with this text, or null.
HWND ChildWithText(HWND parent, const std::wstring& text);
// Presses a button the way a click does; posted, so that a dialog the click opens does not hold
// up the test.
void Click(HWND button);
// Types text into a control character by character (WM_CHAR, UTF-16 units), as the keyboard does.
void Type(HWND control, const std::wstring& text);
// Selects an item of a combo box and tells its dialog, as choosing it from the list does.
void ChooseComboItem(HWND dialog, int combo_id, int index);

// Saves what the screen shows of the window under build/win64/screenshots/<name>.bmp.
void SnapshotWindow(HWND window, const std::wstring& name);

// The local time a number of seconds from now.
SYSTEMTIME LocalTimeIn(int seconds);
// "hh时mm分ss秒", as the task editor writes a time.
std::string TaskTimeText(const SYSTEMTIME& at);

// Lines of a UTF-8 log file that has one line per entry.
std::vector<std::string> ReadLogLines(const std::wstring& path);

}  // namespace kalvoro::e2e
