// Small Windows-side helper of the release test:
//   release_probe shown <class> [timeout ms]   waits for a visible window; prints "<hwnd> <pid> <rect>"
//   release_probe gone <class> [timeout ms]    waits until no such window is left
//   release_probe close <class>                 sends the window WM_CLOSE
//   release_probe command <class> <id>          posts the window WM_COMMAND <id> (a menu item)
//   release_probe title <class>                 prints the visible window's title in UTF-8
//   release_probe run <program> <arguments>     runs the program with <arguments> as its command
//                                               line, unquoted, waits, and exits with its exit code
// The installer wants "/D=<folder>" unquoted even when the folder has blanks, which a command
// line built from separate arguments (as wine builds it) never gives.
// Exit code 0 when the condition was met, 1 when the time ran out, 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

HWND FindVisible(const wchar_t* class_name) {
    for (HWND hwnd = FindWindowExW(nullptr, nullptr, class_name, nullptr); hwnd != nullptr;
         hwnd = FindWindowExW(nullptr, hwnd, class_name, nullptr)) {
        if (IsWindowVisible(hwnd)) return hwnd;
    }
    return nullptr;
}

bool WaitFor(bool want_shown, const wchar_t* class_name, DWORD timeout_ms) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
        HWND hwnd = want_shown ? FindVisible(class_name) : FindWindowW(class_name, nullptr);
        if (want_shown && hwnd != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            RECT rect{};
            GetWindowRect(hwnd, &rect);
            std::printf("%llu %lu %ld,%ld,%ld,%ld\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)),
                        pid, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
            return true;
        }
        if (!want_shown && hwnd == nullptr) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(100);  // polling another process's windows: nothing to wait on
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    const wchar_t* class_name = argv[2];
    const DWORD timeout_ms = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 60000;
    if (command == L"shown") return WaitFor(true, class_name, timeout_ms) ? 0 : 1;
    if (command == L"gone") return WaitFor(false, class_name, timeout_ms) ? 0 : 1;
    if (command == L"run") {
        std::wstring command_line = L"\"" + std::wstring(argv[2]) + L"\" " + (argc > 3 ? argv[3] : L"");
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            std::fprintf(stderr, "cannot start %ls (error %lu)\n", argv[2], GetLastError());
            return 2;
        }
        WaitForSingleObject(process.hThread, 0);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exit_code = 2;
        GetExitCodeProcess(process.hProcess, &exit_code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<int>(exit_code);
    }
    if (command == L"command") {
        HWND hwnd = FindWindowW(class_name, nullptr);
        if (hwnd == nullptr || argc < 4) return argc < 4 ? 2 : 1;
        PostMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(std::wcstoul(argv[3], nullptr, 10)), 0);
        return 0;
    }
    if (command == L"title") {
        HWND hwnd = FindVisible(class_name);
        if (hwnd == nullptr) return 1;
        wchar_t title[512] = {};
        GetWindowTextW(hwnd, title, 512);
        char utf8[2048] = {};
        WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof(utf8), nullptr, nullptr);
        std::fwrite(utf8, 1, std::strlen(utf8), stdout);
        std::fputc('\n', stdout);
        return 0;
    }
    if (command == L"close") {
        HWND hwnd = FindWindowW(class_name, nullptr);
        if (hwnd == nullptr) return 1;
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
    }
    return 2;
}
