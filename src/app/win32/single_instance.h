#pragma once
// One copy per log-on: a 4-byte shared block, local to the session, holds the bar's window handle.
// The block is filled only once the bar exists, so a copy also claims a named mutex at its very
// start: a second copy started during the first one's start-up still finds it.

#include <windows.h>

#include "base/win32/handles.h"

namespace kalvoro::win {

inline constexpr wchar_t kSingleInstanceName[] = L"{890B9BDE-EEE5-41EC-A4B8-F217ABDC0D17}";

class SingleInstance {
public:
    enum class Role { kOnly, kFirst, kSecond };

    SingleInstance();  // opens or creates the block; without it every start runs as the only copy

    // Another copy runs: wait for its bar (it may still be starting), restore it and report
    // kSecond. No other copy runs: kFirst, whatever the block holds (a handle left by a copy that
    // died is taken over). Only a window of the bar's class is ever restored.
    Role Check();
    // How long a second copy waits for the first copy's bar to appear.
    static constexpr DWORD kWaitForFirstMs = 10000;
    // Stores the bar's window handle once it exists.
    void Register(HWND bar);

private:
    HWND StoredBar() const;

    KernelHandle claim_;
    bool other_copy_running_ = false;
    KernelHandle mapping_;
    MappedView view_;
};

}  // namespace kalvoro::win
