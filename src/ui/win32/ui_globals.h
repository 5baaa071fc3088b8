#pragma once
// Process-wide settings of the window behaviour, set once by the bar and read by every window.

#include <memory>

namespace kalvoro::win {

class TMyWindow;

// Windows create drop shadows only while this is on; the program sets it at start.
bool& ShadowsOnFlag();

// The frame every dialog gets: the bar sets it from the window skin. Until then, and after it is
// cleared, dialogs get the program's own look.
void SetDialogFrameSkin(std::shared_ptr<const TMyWindow> frame);
std::shared_ptr<const TMyWindow> DialogFrameSkin();

}  // namespace kalvoro::win
