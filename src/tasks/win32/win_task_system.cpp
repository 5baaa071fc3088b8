#include "tasks/win32/win_task_system.h"

#include <windows.h>
#include <shellapi.h>

#include "base/win32/handles.h"
#include "base/win32/seam_log.h"
#include "base/win32/text.h"

namespace kalvoro::win {

WinTaskShell::WinTaskShell() : log_(SeamLogFile(kShellLogVariable)) {}

bool WinTaskShell::FileExists(const std::string& utf8_path) {
    if (utf8_path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(Widen(utf8_path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WinTaskShell::OpenFile(const std::string& utf8_path) {
    if (!log_.empty()) AppendSeamLine(log_, utf8_path + "\r\n");
    ::ShellExecuteW(nullptr, L"open", Widen(utf8_path).c_str(), L"", L"", SW_SHOWNORMAL);
}

WinSystemPower::WinSystemPower() : fake_log_(SeamLogFile(kFakePowerVariable)) {}

void WinSystemPower::ShutDownComputer() {
    if (!fake_log_.empty()) {
        AppendSeamLine(fake_log_, "power off\r\n");
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
