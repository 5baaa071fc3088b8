#include "ui/win32/ui_globals.h"

#include "ui/win32/frame_skin.h"

namespace kalvoro::win {
namespace {

std::shared_ptr<const TMyWindow>& FrameSlot() {
    static std::shared_ptr<const TMyWindow> frame;
    return frame;
}

}  // namespace

bool& ShadowsOnFlag() {
    static bool shadows_on = false;
    return shadows_on;
}

void SetDialogFrameSkin(std::shared_ptr<const TMyWindow> frame) {
    FrameSlot() = std::move(frame);
}

std::shared_ptr<const TMyWindow> DialogFrameSkin() {
    std::shared_ptr<const TMyWindow>& frame = FrameSlot();
    if (!frame) frame = std::make_shared<const TMyWindow>();
    return frame;
}

}  // namespace kalvoro::win
