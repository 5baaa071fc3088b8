#include "app/win32/single_instance.h"

#include <cstdint>
#include <cwchar>
#include <string>

namespace kalvoro::win {

namespace {

constexpr wchar_t kBarClassName[] = L"TFrmLED";

bool IsBarWindow(HWND window) {
    if (!window || !::IsWindow(window)) return false;
    wchar_t name[64]{};
    ::GetClassNameW(window, name, 64);
    return std::wcscmp(name, kBarClassName) == 0;
}

}  // namespace

SingleInstance::SingleInstance() {
    const std::wstring claim_name = std::wstring(kSingleInstanceName) + L"-running";
    claim_.reset(::CreateMutexW(nullptr, FALSE, claim_name.c_str()));
    other_copy_running_ = claim_ && ::GetLastError() == ERROR_ALREADY_EXISTS;

    mapping_.reset(::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kSingleInstanceName));
    bool created = false;
    if (!mapping_) {
        mapping_.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(std::uint32_t),
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

HWND SingleInstance::StoredBar() const {
    if (!view_) return nullptr;
    const std::uint32_t stored = *static_cast<volatile std::uint32_t*>(view_.get());
    // Window handles are 32-bit values even in 64-bit processes.
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(stored));
}

SingleInstance::Role SingleInstance::Check() {
    if (!view_) return Role::kOnly;
    HWND first = StoredBar();
    if (claim_ && !other_copy_running_) return Role::kFirst;  // the block, if filled, is stale
    if (claim_) {
        // The other copy may still be starting: its bar appears in a moment.
        const ULONGLONG give_up = ::GetTickCount64() + kWaitForFirstMs;
        while (!IsBarWindow(first) && ::GetTickCount64() < give_up) {
            ::Sleep(50);
            first = StoredBar();
        }
        // A first copy that never shows its bar still keeps this one from starting a second bar.
        if (!IsBarWindow(first)) return Role::kSecond;
    } else if (!IsBarWindow(first)) {
        return Role::kFirst;  // no claim to be had: the block alone decides
    }

    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(first, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
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
