// Sablewin.exe <bar window handle in decimal>: the popup message program of one bar.

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>

#include "base/file_store.h"
#include "base/win32/handles.h"
#include "base/win32/text.h"
#include "popup/bar_handle_argument.h"
#include "base/popup_protocol.h"
#include "popup/win32/popup_host_window.h"

namespace {

struct ArgvDeleter {
    void operator()(LPWSTR* argv) const { LocalFree(argv); }
};

HWND BarFromCommandLine() {
    int count = 0;
    const std::unique_ptr<LPWSTR, ArgvDeleter> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!argv || count < 2) return nullptr;
    const auto handle = kalvoro::popup::ParseBarHandleArgument(kalvoro::Narrow(argv.get()[1]));
    if (!handle) return nullptr;
    HWND bar = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*handle));
    return IsWindow(bar) ? bar : nullptr;
}

int RunPopupProgram(HWND bar) {
    // One popup program per bar. A second one started for the same bar (the bar lost track of the
    // first) points the bar at the first again instead of leaving it waiting.
    const std::wstring instance_name = L"Local\\Kalvoro.Sablewin." + kalvoro::win::PopupHostWindow::TitleFor(bar);
    kalvoro::win::KernelHandle instance(CreateMutexW(nullptr, FALSE, instance_name.c_str()));
    if (instance && GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND running = kalvoro::win::PopupHostWindow::FindRunningInstance(bar)) {
            PostMessageW(bar, kalvoro::kMsgPopupRegister, 0, reinterpret_cast<LPARAM>(running));
        }
        return 0;
    }

    kalvoro::win::PopupHostWindow host(bar, kalvoro::DiskFileStore(), kalvoro::AppDirectory() + "skin.ini");
    if (!host.Create()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    HWND bar = BarFromCommandLine();
    if (!bar) return 1;
    int result = 1;
    kalvoro::win::Guarded([&] { result = RunPopupProgram(bar); });
    return result;
}
