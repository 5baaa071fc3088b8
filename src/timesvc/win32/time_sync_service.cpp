#include "timesvc/win32/time_sync_service.h"

#include <windows.h>

#include "base/file_store.h"
#include "timesvc/time_history.h"
#include "timesvc/time_hosts.h"
#include "timesvc/win32/system_time_setter.h"
#include "timesvc/win32/winsock_time_transport.h"

namespace kalvoro::win {
namespace {

DateTime FromSystemTime(const SYSTEMTIME& time) {
    return EncodeDateTime({time.wYear, time.wMonth, time.wDay},
                          {time.wHour, time.wMinute, time.wSecond, time.wMilliseconds});
}

}  // namespace

DateTime SystemLocalClock::Now() {
    SYSTEMTIME time{};
    ::GetLocalTime(&time);
    return FromSystemTime(time);
}

DateTime SystemUtcNow() {
    SYSTEMTIME time{};
    ::GetSystemTime(&time);
    return FromSystemTime(time);
}

TimeSyncService::TimeSyncService(std::string app_dir)
    : app_dir_(std::move(app_dir)), switch_([this](int step_hours) {
          return std::make_unique<TSyncTime>(LoadTimeHosts(DiskFileStore(), app_dir_ + kTimeHostFileName),
                                             app_dir_ + kTimeCheckFileName, std::make_unique<WinsockTimeTransport>(),
                                             MakeSystemTimeSetter(), clock_, DiskFileStore(), step_hours);
      }) {}

void TimeSyncService::StartStopTimeSync(bool auto_sync, int step_hours) {
    switch_.StartStopTimeSync(auto_sync, step_hours);
}

SyncResult SyncTimeNow(const std::string& app_dir) {
    try {
        WinsockTimeTransport transport;
        const std::unique_ptr<ISystemTimeSetter> setter = MakeSystemTimeSetter();
        SystemLocalClock clock;
        TSyncTimeDir once(app_dir + kTimeHostFileName, app_dir + kTimeCheckFileName,
                          {transport, *setter, clock, DiskFileStore()});
        return once.Sync();
    } catch (...) {
        SyncResult failed;
        failed.outcome = SyncOutcome::kNoAnswer;
        failed.reason = kSyncNoAnswer;
        return failed;
    }
}

std::string LastSyncLabel(const std::string& app_dir) {
    const std::string text = ReadLastSyncText(DiskFileStore(), app_dir + kTimeCheckFileName);
    return text.empty() ? std::string{} : kLastSyncPrefix + text;
}

}  // namespace kalvoro::win
