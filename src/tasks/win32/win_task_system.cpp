#include "tasks/win32/win_task_system.h"

#include <windows.h>
#include <shellapi.h>

#include "base/win32/handles.h"
#include "base/win32/text.h"

namespace kalvoro::win {

namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t value[MAX_PATH * 2] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(value) : std::wstring();
}

void AppendToLog(const std::wstring& log_file, const std::string& line) {
    const FileHandle log(::CreateFileW(log_file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (log) ::WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

WinTaskShell::WinTaskShell() : log_(EnvironmentValue(kShellLogVariable)) {}

bool WinTaskShell::FileExists(const std::string& utf8_path) {
    if (utf8_path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(Widen(utf8_path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WinTaskShell::OpenFile(const std::string& utf8_path) {
    if (!log_.empty()) AppendToLog(log_, utf8_path + "\r\n");
    ::ShellExecuteW(nullptr, L"open", Widen(utf8_path).c_str(), L"", L"", SW_SHOWNORMAL);
}

WinSystemPower::WinSystemPower() : fake_log_(EnvironmentValue(kFakePowerVariable)) {}

void WinSystemPower::ShutDownComputer() {
    if (!fake_log_.empty()) {
        AppendToLog(fake_log_, "power off\r\n");
        return;
    }
    HANDLE raw_token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw_token)) {
        const KernelHandle token(raw_token);
        TOKEN_PRIVILEGES privileges{};
        if (::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
        }
    }
    ::ExitWindowsEx(EWX_POWEROFF, 0);
}

}  // namespace kalvoro::win
