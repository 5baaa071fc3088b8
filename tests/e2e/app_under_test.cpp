#include "e2e/app_under_test.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kalvoro::e2e {

namespace fs = std::filesystem;

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        PumpFor(std::chrono::milliseconds(50));
    }
}

namespace {

void SendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
}

bool CursorAt(POINT at) {
    POINT cursor{};
    return ::GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y;
}

bool LeftButtonDown() {
    return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

}  // namespace

bool DragWithMouse(POINT from, POINT to, int steps, const std::function<bool()>& arrived) {
    using namespace std::chrono_literals;
    // The system's move loop reads the mouse at its own pace: the input is paced, and the result
    // is waited for with a generous limit.
    SendMouse(0, from);
    PumpFor(200ms);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= steps; ++step) {
        PumpFor(40ms);
        SendMouse(0, POINT{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    }
    PumpFor(300ms);
    SendMouse(MOUSEEVENTF_LEFTUP, to);
    return WaitFor(arrived);
}

void PumpFor(std::chrono::milliseconds duration) {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

AppUnderTest::AppUnderTest() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    dir_ = std::wstring(temp) + L"kalvoro-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter);
    std::error_code ec;
    fs::remove_all(dir_, ec);
    fs::create_directories(dir_, ec);
    fs::copy(fs::path(KALVORO_APP_DIR), fs::path(dir_),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
}

AppUnderTest::~AppUnderTest() {
    if (Running()) Kill();
    std::error_code ec;
    for (int attempt = 0; attempt < 20 && fs::exists(dir_, ec); ++attempt) {
        fs::remove_all(dir_, ec);
        if (ec) ::Sleep(100);
    }
}

void AppUnderTest::WriteSettings(const std::string& gbk_text) const {
    WriteFileBytes(PathOf(L"skin.ini"), gbk_text);
}

std::string AppUnderTest::ReadSettings() const {
    return ReadFileBytes(PathOf(L"skin.ini"));
}

void AppUnderTest::UsePopupDouble() const {
    std::error_code ec;
    fs::copy_file(fs::path(KALVORO_POPUP_DOUBLE), fs::path(PathOf(L"Sablewin.exe")),
                  fs::copy_options::overwrite_existing, ec);
}

namespace {

struct FindArgs {
    DWORD pid;
    const wchar_t* class_name;
    bool visible_only;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lparam) {
    auto& args = *reinterpret_cast<FindArgs*>(lparam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != args.pid) return TRUE;
    wchar_t name[128] = {};
    ::GetClassNameW(hwnd, name, 128);
    if (std::wstring(name) != args.class_name) return TRUE;
    if (args.visible_only && !::IsWindowVisible(hwnd)) return TRUE;
    args.found->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> FindWindows(DWORD pid, const wchar_t* class_name, bool visible_only) {
    std::vector<HWND> found;
    FindArgs args{pid, class_name, visible_only, &found};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&args));
    return found;
}

win::KernelHandle Launch(const std::wstring& exe, const std::wstring& dir, const std::wstring& arguments, DWORD& pid) {
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                          &info)) {
        return {};
    }
    ::CloseHandle(info.hThread);
    pid = info.dwProcessId;
    return win::KernelHandle(info.hProcess);
}

}  // namespace

std::vector<HWND> AppUnderTest::WindowsOfClass(const wchar_t* class_name) const {
    return FindWindows(process_id_, class_name, true);
}

std::vector<HWND> AppUnderTest::AllWindowsOfClass(const wchar_t* class_name) const {
    return FindWindows(process_id_, class_name, false);
}

bool AppUnderTest::Start(const std::wstring& arguments) {
    process_ = Launch(PathOf(L"Kalvoro.exe"), dir_, arguments, process_id_);
    if (!process_) return false;
    // The bar shows itself once its start-up has run (even a bar started hidden shows first).
    return WaitFor([&] {
        const auto bars = FindWindows(process_id_, L"TFrmLED", false);
        bar_ = bars.empty() ? nullptr : bars.front();
        return bar_ != nullptr && ::IsWindowVisible(bar_);
    });
}

HANDLE AppUnderTest::LaunchOnly(const std::wstring& arguments) const {
    DWORD pid = 0;
    return Launch(PathOf(L"Kalvoro.exe"), dir_, arguments, pid).release();
}

DWORD AppUnderTest::StartSecondCopy(const std::wstring& arguments) {
    DWORD pid = 0;
    win::KernelHandle second = Launch(PathOf(L"Kalvoro.exe"), dir_, arguments, pid);
    if (!second) return 0xFFFFFFFF;
    if (!WaitFor([&] { return ::WaitForSingleObject(second.get(), 0) == WAIT_OBJECT_0; })) {
        ::TerminateProcess(second.get(), 99);
        return 0xFFFFFFFE;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(second.get(), &code);
    return code;
}

bool AppUnderTest::Running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool AppUnderTest::Close() {
    if (!Running()) return true;
    ::PostMessageW(bar_, WM_CLOSE, 0, 0);
    return WaitFor([&] { return !Running(); });
}

void AppUnderTest::Kill() {
    if (!process_) return;
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
}

}  // namespace kalvoro::e2e
