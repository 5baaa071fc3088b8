// Drives the real Kalvoro.exe for a while the way a user would (display modes, calendar paging,
// dialogs opened and closed, menus opened and dismissed) and judges the samples the
// program writes about itself under its KALVORO_CENSUS switch: "gdi user rss_kb handles" per minute.
//
//   soak_driver <application folder> <minutes> <census file> [actions]
//
// Exit code 0 when the objects and the memory stayed flat, 1 when they grew, 2 when the run failed.
// The driver keeps the bar alone on screen over each sample. The rule: the baseline is the larger of
// the samples after minutes 1 and 2 (every action has run by then); the largest of the
// last three samples may exceed it by at most 16 GDI objects, 4 windows, 16 kernel handles and
// 10 % + 4 MB of resident memory.

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Main menu rows: the command id is 1000 + row.
constexpr int kCompact = 1000;
constexpr int kClock = 1001;
constexpr int kCalendar = 1002;
constexpr int kWeather = 1003;
constexpr int kMarks = 1006;
constexpr int kWorldTime = 1007;
constexpr int kTasks = 1005;
constexpr int kAbout = 1018;
constexpr UINT kTrayCallback = WM_APP + 1;

DWORD g_pid = 0;
HWND g_bar = nullptr;
HANDLE g_process = nullptr;

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms) {
    const ULONGLONG deadline = ::GetTickCount64() + timeout_ms;
    while (true) {
        if (condition()) return true;
        if (::GetTickCount64() >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
}

void Pause(DWORD ms) {
    WaitFor([] { return false; }, ms);
}

struct Finder {
    const wchar_t* class_name;
    bool visible_only;
    HWND found;
};

BOOL CALLBACK FindOne(HWND hwnd, LPARAM lparam) {
    auto& finder = *reinterpret_cast<Finder*>(lparam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != g_pid) return TRUE;
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (std::wstring(name) != finder.class_name) return TRUE;
    if (finder.visible_only && !::IsWindowVisible(hwnd)) return TRUE;
    finder.found = hwnd;
    return FALSE;
}

HWND FindOfProcess(const wchar_t* class_name, bool visible_only = true) {
    Finder finder{class_name, visible_only, nullptr};
    ::EnumWindows(FindOne, reinterpret_cast<LPARAM>(&finder));
    return finder.found;
}

bool Alive() {
    return ::WaitForSingleObject(g_process, 0) == WAIT_TIMEOUT;
}

bool Answers() {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(g_bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 30000, &result) != 0;
}

int g_failures = 0;

void Check(bool ok, const char* what) {
    if (ok) return;
    ++g_failures;
    std::printf("soak: %s\n", what);
    std::fflush(stdout);
}

void Command(int id) {
    ::PostMessageW(g_bar, WM_COMMAND, id, 0);
}

// Opens a dialog from the menu and closes it as the given button would.
void OpenAndClose(int id, WPARAM close_with, const char* what) {
    Command(id);
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindOfProcess(L"KalvoroSkinnedDialog")) != nullptr; }, 20000)) {
        Check(false, what);
        return;
    }
    Pause(300);
    if (close_with == 0) {
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    } else {
        ::PostMessageW(dialog, WM_COMMAND, close_with, 0);
    }
    Check(WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, 20000), what);
    // A dialog that outlived its close is ended so the run goes on.
    if (::IsWindow(dialog)) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    WaitFor([] { return FindOfProcess(L"KalvoroSkinnedDialog") == nullptr; }, 10000);
}

void PageCalendar() {
    Command(kCalendar);
    HWND calendar = nullptr;
    if (!WaitFor([&] { return (calendar = FindOfProcess(L"TFrmCalendar")) != nullptr; }, 20000)) {
        Check(false, "calendar did not show");
        return;
    }
    HWND control = ::GetWindow(calendar, GW_CHILD);
    if (!control) return;
    const WPARAM keys[] = {VK_NEXT, VK_NEXT, VK_NEXT,  VK_RIGHT, VK_DOWN, VK_PRIOR, VK_PRIOR,
                           VK_LEFT, VK_UP,   VK_PRIOR, VK_HOME,  VK_END,  VK_NEXT};
    for (const WPARAM key : keys) {
        ::PostMessageW(control, WM_KEYDOWN, key, 1);
        ::PostMessageW(control, WM_KEYUP, key, 0xC0000001);
        Pause(100);
    }
}

void OpenAndDismissMenu() {
    ::PostMessageW(g_bar, kTrayCallback, 0, WM_RBUTTONUP);
    HWND menu = nullptr;
    bool opened = WaitFor([&] { return (menu = FindOfProcess(L"#32768")) != nullptr; }, 10000);
    if (!opened) {
        // Now and then Wine drops the first open; a user would click again.
        ::PostMessageW(g_bar, kTrayCallback, 0, WM_RBUTTONUP);
        opened = WaitFor([&] { return (menu = FindOfProcess(L"#32768")) != nullptr; }, 10000);
    }
    Check(opened, "menu did not open");
    Pause(300);
    if (menu) ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    if (!WaitFor([] { return FindOfProcess(L"#32768") == nullptr; }, 3000)) {
        ::PostMessageW(g_bar, WM_CANCELMODE, 0, 0);
        Check(WaitFor([] { return FindOfProcess(L"#32768") == nullptr; }, 10000), "menu did not close");
    }
}

// The actions of a round; a fifth argument picks some (e.g. "menu,about") to find what grows.
std::wstring g_actions = L"modes,calendar,marks,world,about,tasks,menu";

bool Does(const wchar_t* action) {
    return g_actions.find(action) != std::wstring::npos;
}

void StayQuietOverTheNextSample();

// A round takes longer than the quiet time before a sample on a busy machine, so the driver looks
// at the clock before each action, not only between rounds.
void RunRound() {
    const int modes[] = {kCompact, kClock, kCalendar, kWeather, kCompact};
    for (const int mode : modes) {
        if (!Does(L"modes")) break;
        StayQuietOverTheNextSample();
        Command(mode);
        Pause(500);
    }
    const auto act = [](const wchar_t* action, const std::function<void()>& run) {
        if (!Does(action)) return;
        StayQuietOverTheNextSample();
        run();
    };
    act(L"calendar", [] { PageCalendar(); });
    act(L"marks", [] { OpenAndClose(kMarks, IDCANCEL, "mark list did not open or close"); });
    act(L"world", [] { OpenAndClose(kWorldTime, 0, "world time did not open or close"); });
    act(L"about", [] { OpenAndClose(kAbout, IDCANCEL, "about did not open or close"); });
    act(L"tasks", [] { OpenAndClose(kTasks, IDCANCEL, "task list did not open or close"); });
    act(L"menu", [] { OpenAndDismissMenu(); });
    Pause(200);
    Command(kCompact);
    Check(Answers(), "the bar stopped answering");
}

std::wstring g_census;
ULONGLONG g_period_ms = 60000;
ULONGLONG g_first_sample_at = 0;

std::size_t SampleLines() {
    std::ifstream in{std::filesystem::path(g_census)};
    std::size_t lines = 0;
    std::string line;
    while (std::getline(in, line)) ++lines;
    return lines;
}

// Samples are taken with the bar alone on screen: a dialog open at that moment would count as growth.
// The bar samples on a fixed grid from its first sample; the driver keeps quiet from 25 s before a
// sample is due until its line is written, and for a sample due a moment ago whose line is late.
void StayQuietOverTheNextSample() {
    const ULONGLONG elapsed = ::GetTickCount64() - g_first_sample_at;
    const ULONGLONG into_period = elapsed % g_period_ms;
    std::size_t lines_due = 0;  // lines in the file once the sample in question is written
    if (into_period < 5000) {
        lines_due = static_cast<std::size_t>(elapsed / g_period_ms) + 1;
    } else if (g_period_ms - into_period <= 25000) {
        lines_due = static_cast<std::size_t>(elapsed / g_period_ms) + 2;
    } else {
        return;
    }
    if (SampleLines() >= lines_due) return;
    Command(kCompact);
    WaitFor([&] { return SampleLines() >= lines_due; }, 40000);
}

struct Sample {
    long gdi = 0;
    long user = 0;
    long rss_kb = 0;
    long handles = 0;
};

std::vector<Sample> ReadSamples(const std::wstring& file) {
    std::vector<Sample> samples;
    std::ifstream in{std::filesystem::path(file)};
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Sample sample;
        if (fields >> sample.gdi >> sample.user >> sample.rss_kb >> sample.handles) samples.push_back(sample);
    }
    return samples;
}

bool Flat(const std::vector<Sample>& samples) {
    if (samples.size() < 5) {
        std::printf("soak: only %zu samples, at least 5 needed\n", samples.size());
        return false;
    }
    Sample base;
    for (std::size_t i = 1; i <= 2; ++i) {
        base.gdi = std::max(base.gdi, samples[i].gdi);
        base.user = std::max(base.user, samples[i].user);
        base.rss_kb = std::max(base.rss_kb, samples[i].rss_kb);
        base.handles = std::max(base.handles, samples[i].handles);
    }
    Sample top;
    for (std::size_t i = samples.size() - 3; i < samples.size(); ++i) {
        top.gdi = std::max(top.gdi, samples[i].gdi);
        top.user = std::max(top.user, samples[i].user);
        top.rss_kb = std::max(top.rss_kb, samples[i].rss_kb);
        top.handles = std::max(top.handles, samples[i].handles);
    }
    bool flat = true;
    const auto judge = [&](const char* what, long baseline, long largest, long allowed) {
        const bool ok = largest <= baseline + allowed;
        std::printf("soak: %-8s baseline %ld, last three at most %ld, allowed +%ld: %s\n", what, baseline, largest,
                    allowed, ok ? "flat" : "GREW");
        flat = flat && ok;
    };
    judge("gdi", base.gdi, top.gdi, 16);
    judge("user", base.user, top.user, 4);
    judge("handles", base.handles, top.handles, 16);
    judge("rss_kb", base.rss_kb, top.rss_kb, base.rss_kb / 10 + 4096);
    return flat;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: soak_driver <application folder> <minutes> <census file>\n");
        return 2;
    }
    const std::wstring dir = argv[1];
    const int minutes = std::max(1, _wtoi(argv[2]));
    const std::wstring census = argv[3];
    if (argc > 4) g_actions = argv[4];
    ::DeleteFileW(census.c_str());
    ::SetEnvironmentVariableW(L"KALVORO_CENSUS", census.c_str());

    const std::wstring exe = dir + L"\\Kalvoro.exe";
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                          &info)) {
        std::printf("soak: cannot start Kalvoro.exe (%lu)\n", ::GetLastError());
        return 2;
    }
    ::CloseHandle(info.hThread);
    g_process = info.hProcess;
    g_pid = info.dwProcessId;
    if (!WaitFor([] { return (g_bar = FindOfProcess(L"TFrmLED")) != nullptr; }, 60000)) {
        std::printf("soak: the bar did not show\n");
        ::TerminateProcess(g_process, 1);
        return 2;
    }

    wchar_t seconds[16] = {};
    if (::GetEnvironmentVariableW(L"KALVORO_CENSUS_SECONDS", seconds, 16) > 0 && _wtoi(seconds) > 0) {
        g_period_ms = static_cast<ULONGLONG>(_wtoi(seconds)) * 1000;
    }
    g_census = census;
    WaitFor([] { return SampleLines() > 0; }, 30000);
    g_first_sample_at = ::GetTickCount64();
    // The program samples at start and then each minute; a few seconds more let the last sample land.
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(minutes) * 60000 + 5000;
    int rounds = 0;
    while (::GetTickCount64() < end && Alive()) {
        StayQuietOverTheNextSample();
        RunRound();
        ++rounds;
    }
    const bool survived = Alive();
    Check(survived, "Kalvoro.exe ended during the run");
    if (survived) {
        ::PostMessageW(g_bar, WM_CLOSE, 0, 0);
        Check(::WaitForSingleObject(g_process, 30000) == WAIT_OBJECT_0, "Kalvoro.exe did not close");
        ::TerminateProcess(g_process, 1);
    }

    const std::vector<Sample> samples = ReadSamples(census);
    std::printf("soak: %d rounds in %d minutes; samples (minute: gdi user rss_kb handles):\n", rounds, minutes);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        std::printf("soak: %3zu: %ld %ld %ld %ld\n", i, samples[i].gdi, samples[i].user, samples[i].rss_kb,
                    samples[i].handles);
    }
    const bool flat = Flat(samples);
    std::printf("soak: %d failed actions; %s\n", g_failures, flat && g_failures == 0 ? "PASS" : "FAIL");
    return flat && g_failures == 0 ? 0 : 1;
}
