#include "timesvc/win32/system_time_setter.h"

#include <windows.h>

#include <mutex>

#include "base/file_store.h"
#include "base/win32/handles.h"
#include "base/win32/seam_log.h"
#include "base/win32/text.h"

namespace kalvoro::win {
namespace {

// Enables the system-time privilege of the process token; false when the account does not hold it.
bool EnableSystemTimePrivilege() {
    HANDLE raw_token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw_token)) return false;
    const KernelHandle token(raw_token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &privileges.Privileges[0].Luid)) return false;
    if (!::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
    // AdjustTokenPrivileges succeeds without enabling what the token does not hold.
    return ::GetLastError() != ERROR_NOT_ALL_ASSIGNED;
}

bool ToSystemTime(DateTime utc, SYSTEMTIME& out) {
    const DateParts date = DecodeDate(utc);
    const TimeParts time = DecodeTime(utc);
    if (date.year < 1601 || date.year > 30827) return false;
    out = {};
    out.wYear = static_cast<WORD>(date.year);
    out.wMonth = static_cast<WORD>(date.month);
    out.wDay = static_cast<WORD>(date.day);
    out.wDayOfWeek = static_cast<WORD>(DayOfWeek(utc) - 1);
    out.wHour = static_cast<WORD>(time.hour);
    out.wMinute = static_cast<WORD>(time.minute);
    out.wSecond = static_cast<WORD>(time.second);
    out.wMilliseconds = static_cast<WORD>(time.millisecond);
    return true;
}

}  // namespace

SetTimeResult SystemTimeSetter::SetUtc(DateTime utc) {
    SYSTEMTIME time{};
    if (!ToSystemTime(utc, time)) return {false, "时间服务器的时间无效"};
    const bool privileged = EnableSystemTimePrivilege();
    if (::SetSystemTime(&time)) return {true, {}};
    const DWORD error = ::GetLastError();
    if (!privileged || error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_ACCESS_DENIED)
        return {false, kNoSystemTimeRight};
    return {false, "无法修改系统时间（错误 " + std::to_string(error) + "）"};
}

SetTimeResult DryRunTimeSetter::SetUtc(DateTime utc) {
    // The thread and the settings dialog may both log.
    static std::mutex log_mutex;
    std::lock_guard lock(log_mutex);
    std::string log = DiskFileStore().ReadAll(log_file_).value_or("");
    log += FormatDateTime("yyyy-mm-dd hh:nn:ss", utc) + " UTC\r\n";
    if (!DiskFileStore().WriteAtomic(log_file_, log)) return {false, "无法写入 " + log_file_};
    return {true, {}};
}

std::unique_ptr<ISystemTimeSetter> MakeSystemTimeSetter() {
    const std::wstring dry_run_log = SeamLogFile(L"KALVORO_DRY_SET_TIME");
    if (!dry_run_log.empty()) return std::make_unique<DryRunTimeSetter>(Narrow(dry_run_log));
    return std::make_unique<SystemTimeSetter>();
}

}  // namespace kalvoro::win
