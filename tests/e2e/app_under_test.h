#pragma once
// Runs the real Kalvoro.exe in a fresh temporary application folder and finds its windows.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "base/win32/handles.h"

namespace kalvoro::e2e {

// Polls a condition instead of sleeping a fixed time; false when the time ran out.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Pumps this thread's messages for a while (tests own windows that must stay responsive).
void PumpFor(std::chrono::milliseconds duration);

// Drags with the left button from one screen point to another in steps, each waited for until the
// cursor is there; the button is released once `arrived` holds (the dragged window got there).
// False when it never did.
bool DragWithMouse(POINT from, POINT to, int steps, const std::function<bool()>& arrived);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

class AppUnderTest {
public:
    AppUnderTest();   // copies the built application folder into a new temporary folder
    ~AppUnderTest();  // ends the program if still running and removes the folder
    AppUnderTest(const AppUnderTest&) = delete;
    AppUnderTest& operator=(const AppUnderTest&) = delete;

    const std::wstring& dir() const { return dir_; }
    std::wstring PathOf(const std::wstring& name) const { return dir_ + L"\\" + name; }
    void WriteSettings(const std::string& gbk_text) const;
    std::string ReadSettings() const;
    // The popup test double in place of Sablewin.exe.
    void UsePopupDouble() const;

    // Starts Kalvoro.exe with the given arguments and waits for its bar to show; false when it did not.
    bool Start(const std::wstring& arguments = L"");
    // Starts a copy of the executable and returns its process at once (the caller owns it).
    HANDLE LaunchOnly(const std::wstring& arguments = L"") const;
    // Starts another copy of the same executable and waits for it to end; returns its exit code.
    DWORD StartSecondCopy(const std::wstring& arguments = L"");

    HWND bar() const { return bar_; }
    DWORD process_id() const { return process_id_; }
    bool Running() const;
    // Asks the bar to close as the 退出 item does and waits for the process to end.
    bool Close();
    void Kill();

    // Visible top-level windows of the program's process with this class name.
    std::vector<HWND> WindowsOfClass(const wchar_t* class_name) const;
    // The same, visible or not.
    std::vector<HWND> AllWindowsOfClass(const wchar_t* class_name) const;

private:
    std::wstring dir_;
    win::KernelHandle process_;
    DWORD process_id_ = 0;
    HWND bar_ = nullptr;
};

}  // namespace kalvoro::e2e
