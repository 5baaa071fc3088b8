#include "app/win32/popup_link.h"

#include <cstdint>

#include "base/win32/handles.h"

namespace kalvoro::win {

void PopupLink::OnRegister(HWND popup) {
    if (started_process_id_ == 0 || !::IsWindow(popup)) return;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(popup, &owner);
    if (owner == started_process_id_) popup_ = popup;
}

bool PopupLink::EnsureRunning() {
    if (popup_ && ::IsWindow(popup_)) return true;
    if (::GetFileAttributesW(program_path_.c_str()) == INVALID_FILE_ATTRIBUTES) return false;

    popup_ = nullptr;
    std::wstring command = L"\"" + program_path_ + L"\" " +
                           std::to_wstring(static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(bar_)));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program_path_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return false;
    }
    KernelHandle process_handle(process.hProcess);
    started_process_id_ = process.dwProcessId;
    KernelHandle thread_handle(process.hThread);

    // The registration arrives as a message to the bar, so keep its messages flowing meanwhile; a
    // popup program that never registers or dies at once must not hang the clock.
    const ULONGLONG deadline = ::GetTickCount64() + kRegistrationTimeoutMs;
    while (!(popup_ && ::IsWindow(popup_))) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        HANDLE waits[] = {process_handle.get()};
        const DWORD woke =
            ::MsgWaitForMultipleObjects(1, waits, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) {
            // It ended; a registration it sent before ending may still be queued.
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            return popup_ && ::IsWindow(popup_);
        }
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

bool PopupLink::ShowText(std::string_view utf8_text) {
    if (!EnsureRunning()) return false;
    std::string payload = PopupPayload(utf8_text);
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = payload.data();
    // A popup program that hangs must not take the clock with it.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(popup_, WM_COPYDATA, reinterpret_cast<WPARAM>(bar_), reinterpret_cast<LPARAM>(&data),
                          SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    return true;
}

void PopupLink::Notify(long what) const {
    if (popup_ && ::IsWindow(popup_)) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(popup_, kMsgPopupNotify, reinterpret_cast<WPARAM>(bar_), what, SMTO_ABORTIFHUNG,
                              kSendTimeoutMs, &ignored);
    }
}

}  // namespace kalvoro::win
