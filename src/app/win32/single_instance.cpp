#include "app/win32/single_instance.h"

#include <cstdint>

namespace kalvoro::win {

SingleInstance::SingleInstance() {
    mapping_.reset(::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kSingleInstanceName));
    bool created = false;
    if (!mapping_) {
        mapping_.reset(
            ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(std::uint32_t),
                                 kSingleInstanceName));
        created = static_cast<bool>(mapping_);
    }
    if (!mapping_) return;
    view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(std::uint32_t)));
    if (!view_) {
        mapping_.reset();
        return;
    }
    if (created) *static_cast<volatile std::uint32_t*>(view_.get()) = 0;
}

SingleInstance::Role SingleInstance::Check() {
    if (!view_) return Role::kOnly;
    const std::uint32_t stored = *static_cast<volatile std::uint32_t*>(view_.get());
    // Window handles are 32-bit values even in 64-bit processes.
    const HWND first = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(stored));
    if (stored == 0 || !::IsWindow(first)) return Role::kFirst;

    ::SendMessageW(first, WM_SYSCOMMAND, SC_RESTORE, 0);
    const HWND popup = ::GetLastActivePopup(first);
    if (popup && popup != first && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup)) {
        ::SetForegroundWindow(popup);
    }
    return Role::kSecond;
}

void SingleInstance::Register(HWND bar) {
    if (!view_) return;
    *static_cast<volatile std::uint32_t*>(view_.get()) =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(bar));
}

}  // namespace kalvoro::win
