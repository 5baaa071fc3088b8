#pragma once
// Setting the system clock. Setting it needs the system-time privilege, which the process enables
// first; ordinary users lack it, and then setting fails with a reason the settings dialog shows.
//
// The environment variable KALVORO_DRY_SET_TIME=<log file> makes the program write the time it
// would set to that file (one line "yyyy-mm-dd hh:mm:ss UTC" per setting, appended) and leave the
// clock alone: for trying synchronisation on a machine whose clock must not change.

#include <memory>
#include <string>

#include "timesvc/time_sync_ports.h"

namespace kalvoro::win {

inline constexpr char kDrySetTimeVariable[] = "KALVORO_DRY_SET_TIME";
inline constexpr char kNoSystemTimeRight[] = "没有修改系统时间的权限";

// SetSystemTime with the privilege enabled.
class SystemTimeSetter final : public ISystemTimeSetter {
public:
    SetTimeResult SetUtc(DateTime utc) override;
};

// Logs instead of setting.
class DryRunTimeSetter final : public ISystemTimeSetter {
public:
    explicit DryRunTimeSetter(std::string log_file) : log_file_(std::move(log_file)) {}
    SetTimeResult SetUtc(DateTime utc) override;

private:
    std::string log_file_;
};

// The dry-run setter when KALVORO_DRY_SET_TIME names a file, else the real one.
std::unique_ptr<ISystemTimeSetter> MakeSystemTimeSetter();

}  // namespace kalvoro::win
