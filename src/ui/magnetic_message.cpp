#include "ui/magnetic_message.h"

namespace kalvoro {

MagneticOutcome HandleMagneticMessage(TMagnetic& magnetic, const MagneticMessage& message) {
    MagneticOutcome outcome;
    switch (message.message) {
        case kMsgEnterSizeMove:
            magnetic.BeginMove(message.wnd);
            break;
        case kMsgMoving:
            if (message.proposed == nullptr || !magnetic.IsRegistered(message.wnd)) break;
            outcome.carried = magnetic.SnapMoving(message.wnd, *message.proposed);
            outcome.handled = true;
            outcome.result = 1;
            break;
        case kMsgSizing:
            if (message.proposed == nullptr || !magnetic.IsRegistered(message.wnd)) break;
            magnetic.SnapSizing(message.wnd, *message.proposed,
                                static_cast<SizingEdge>(message.wParam <= 8 ? static_cast<int>(message.wParam) : 0));
            outcome.handled = true;
            outcome.result = 1;
            break;
        case kMsgExitSizeMove:
            magnetic.EndMove();
            break;
        case kMsgCommand:
            magnetic.UpdateGlue();
            break;
        case kMsgSysCommand: {
            // The low four bits of a system command are the system's own.
            const std::uintptr_t command = message.wParam & 0xFFF0;
            if (command == kSysCommandMinimize || command == kSysCommandRestore) magnetic.UpdateGlue();
            break;
        }
        case kMsgWindowPosChanged:
            if (message.windowPosFlags & (kWindowPosShowWindow | kWindowPosHideWindow)) magnetic.UpdateGlue();
            break;
        default:
            break;
    }
    return outcome;
}

}  // namespace kalvoro
