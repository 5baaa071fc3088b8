#pragma once
// One copy per log-on: a 4-byte shared block, local to the session, holds the bar's window handle.

#include <windows.h>

#include "base/win32/handles.h"

namespace kalvoro::win {

inline constexpr wchar_t kSingleInstanceName[] = L"{890B9BDE-EEE5-41EC-A4B8-F217ABDC0D17}";

class SingleInstance {
public:
    enum class Role { kOnly, kFirst, kSecond };

    SingleInstance();  // opens or creates the block; without it every start runs as the only copy

    // The block holds a live window of another copy: restore it and report kSecond. A handle that
    // no longer names a window (the first copy died) is taken over, so a stale block never keeps
    // the program from starting.
    Role Check();
    // Stores the bar's window handle once it exists.
    void Register(HWND bar);

private:
    KernelHandle mapping_;
    MappedView view_;
};

}  // namespace kalvoro::win
