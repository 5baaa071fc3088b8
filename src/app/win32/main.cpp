// Kalvoro.exe: one copy per log-on; the bar is the main window and lives until the program ends.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/win32/frm_led.h"
#include "calendar/win32/local_time_clock.h"
#include "app/win32/single_instance.h"
#include "ui/win32/ui_globals.h"
#include "base/win32/handles.h"
#include "base/win32/text.h"

namespace {

std::wstring FirstParameter() {
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring first = (args && count > 1) ? args[1] : L"";
    if (args) ::LocalFree(args);
    return first;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    using namespace kalvoro::win;
    ShadowsOnFlag() = true;
    SingleInstance instance;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    if (instance.Check() == SingleInstance::Role::kSecond) return 0;

    LocalTimeClock clock;
    kalvoro::AppCore core(kalvoro::DiskFileStore(), clock, kalvoro::AppDirectory());
    core.Load(::GetSystemMetrics(SM_CXSCREEN));
    TFrmLED bar(core, FirstParameter());
    if (!bar.Create()) return 1;
    instance.Register(bar.hwnd());
    bar.Show();

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
