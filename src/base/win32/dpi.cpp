#include "base/win32/dpi.h"

namespace kalvoro::win {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename F>
F Lookup(const wchar_t* module_name, const char* name, bool load) {
    HMODULE module = ::GetModuleHandleW(module_name);
    if (!module && load) module = ::LoadLibraryW(module_name);  // kept loaded for the process
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

struct DpiFunctions {
    GetDpiForWindowFn for_window = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow", false);
    GetDpiForSystemFn for_system = Lookup<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem", false);
    GetDpiForMonitorFn for_monitor = Lookup<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor", true);
};

const DpiFunctions& Functions() {
    static const DpiFunctions functions;
    return functions;
}

DisplayScale ScaleOfMonitor(HMONITOR monitor) {
    UINT dpi_x = 0, dpi_y = 0;
    if (monitor && Functions().for_monitor &&
        SUCCEEDED(Functions().for_monitor(monitor, kEffectiveDpi, &dpi_x, &dpi_y))) {
        return DisplayScale::ForDpi(static_cast<int>(dpi_y));
    }
    return SystemScale();
}

}  // namespace

DisplayScale SystemScale() {
    if (Functions().for_system) return DisplayScale::ForDpi(static_cast<int>(Functions().for_system()));
    HDC screen = ::GetDC(nullptr);
    if (!screen) return {};
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return DisplayScale::ForDpi(dpi);
}

DisplayScale ScaleOfWindow(HWND window) {
    if (!window || !::IsWindow(window)) return SystemScale();
    if (Functions().for_window) return DisplayScale::ForDpi(static_cast<int>(Functions().for_window(window)));
    return ScaleOfMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

DisplayScale ScaleAt(POINT point) {
    return ScaleOfMonitor(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

}  // namespace kalvoro::win
