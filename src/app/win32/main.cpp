// Kalvoro.exe: one copy per log-on; the bar is the main window and lives until the program ends.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <optional>
#include <string>

#include "app/win32/app_host.h"
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

// The environment variable KALVORO_FAKE_NOW="yyyy-mm-dd hh:mm:ss", read once here at start, makes
// the program's clock begin at that local time and run on with the real one: for seeing what a
// given moment does (a chime, a task) without waiting for it. The system clock is never set. A
// value that is not such a time is ignored.
class StartAtClock final : public kalvoro::IClock {
public:
    explicit StartAtClock(kalvoro::DateTime start) : offset_(start - real_.Now()) {}
    kalvoro::DateTime Now() override { return real_.Now() + offset_; }

private:
    kalvoro::win::LocalTimeClock real_;
    kalvoro::DateTime offset_;
};

std::optional<kalvoro::DateTime> FakeNowFromEnvironment() {
    wchar_t value[64] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"KALVORO_FAKE_NOW", value, 64);
    if (length == 0 || length >= 64) return std::nullopt;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    wchar_t rest = 0;
    if (::swscanf(value, L"%d-%d-%d %d:%d:%d%lc", &year, &month, &day, &hour, &minute, &second, &rest) != 6)
        return std::nullopt;
    if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return kalvoro::EncodeDateTime({year, month, day}, {hour, minute, second, 0});
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    using namespace kalvoro::win;
    ShadowsOnFlag() = true;
    SingleInstance instance;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    if (instance.Check() == SingleInstance::Role::kSecond) return 0;

    LocalTimeClock local_clock;
    std::optional<StartAtClock> fake_clock;
    if (const auto fake_now = FakeNowFromEnvironment()) fake_clock.emplace(*fake_now);
    kalvoro::IClock& clock = fake_clock ? static_cast<kalvoro::IClock&>(*fake_clock) : local_clock;
    kalvoro::AppCore core(kalvoro::DiskFileStore(), clock, kalvoro::AppDirectory());
    core.Load(::GetSystemMetrics(SM_CXSCREEN));
    AppHost host(core, FirstParameter());
    if (!host.Create()) return 1;
    instance.Register(host.bar_window());
    host.Show();

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
