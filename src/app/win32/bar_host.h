#pragma once
// What the bar hands on to the program that hosts it. The bar is a view with input: it shows the
// time, the date line and the tray icon and takes clicks, menu choices and drags; every choice
// that reaches beyond the bar itself, and every message addressed to the program rather than to
// the bar's view, goes to its host.

#include <windows.h>

#include "app/bar_menus.h"
#include "app/display_mode.h"
#include "base/display_scale.h"

namespace kalvoro::win {

class IBarHost {
public:
    virtual ~IBarHost() = default;

    // A menu item or a button of the bar.
    virtual void RunCommand(MenuCommand command, int tag) = 0;
    // The mode the menus show ticked.
    virtual DisplayMode CurrentMode() const = 0;

    // The bar went to the tray, or came back from it.
    virtual void BarHidden() = 0;
    virtual void BarRestored(BYTE alpha) = 0;
    // The bar's transparency changed; the child beside it takes the same.
    virtual void BarAlphaChanged(BYTE alpha) = 0;
    // The bar moved to a display of another resolution.
    virtual void BarScaleChanged(const DisplayScale& scale) = 0;

    // A message the bar's view does not handle: the program's timers, the tick's wake-ups (time
    // change, resume), the hot key, the popup program's and the online services' messages.
    // Returns true with its result when it was taken.
    virtual bool HandleProgramMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) = 0;

    // Closing, before the bar's own window goes: the place and mode are saved, the services stop
    // and the children close.
    virtual void BarClosing() = 0;
    // The bar's window is being destroyed.
    virtual void BarDestroyed() = 0;
};

}  // namespace kalvoro::win
