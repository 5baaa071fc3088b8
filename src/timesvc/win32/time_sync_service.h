#pragma once
// The bar's time synchronisation and the settings dialog's 立即校正, over Winsock and the system
// clock. The host owns one TimeSyncService for its whole life:
//
//   TimeSyncService sync(AppDirectory());
//   sync.StartStopTimeSync(settings.auto_sync, settings.step_hours);   // at start-up and after
//                                                                      // the settings dialog
//   sync.Stop();                                                       // at closing (or destruction)
//
// and the settings dialog calls SyncTimeNow(AppDirectory()) for 立即校正.

#include <string>

#include "base/clock.h"
#include "timesvc/time_sync.h"

namespace kalvoro::win {

// The local wall clock of the system.
class SystemLocalClock final : public IClock {
public:
    DateTime Now() override;
};

// The system's UTC clock.
DateTime SystemUtcNow();

class TimeSyncService {
public:
    explicit TimeSyncService(std::string app_dir);
    ~TimeSyncService() { Stop(); }
    TimeSyncService(const TimeSyncService&) = delete;
    TimeSyncService& operator=(const TimeSyncService&) = delete;

    // TIME/AutoChcek on: starts the thread (its first attempt at once) or gives the running one the
    // new StepHour; off: ends the thread at once.
    void StartStopTimeSync(bool auto_sync, int step_hours);
    // Ends the thread at once, whatever it is doing.
    void Stop() { switch_.Stop(); }
    bool Running() const { return switch_.Thread() != nullptr; }

private:
    std::string app_dir_;
    SystemLocalClock clock_;
    TimeSyncSwitch switch_;
};

// One synchronisation now, on the calling thread (the settings dialog's 立即校正). On success its
// synced_at is the text for "最后校正于: "; on failure reason says why ("校正失败：…").
SyncResult SyncTimeNow(const std::string& app_dir);

// "最后校正于: " + the first line of "TimeCheck.lst", or empty when there is none.
std::string LastSyncLabel(const std::string& app_dir);
inline constexpr char kLastSyncPrefix[] = "最后校正于: ";

}  // namespace kalvoro::win
