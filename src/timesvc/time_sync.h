#pragma once
// One synchronisation of the system clock with a time server (SyncOnce), the one-shot
// synchroniser the settings dialog's 立即校正 uses (TSyncTimeDir), and the background thread that
// repeats it (TSyncTime): up to 60 attempts 10 s apart, then a pause of StepHour hours.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/clock.h"
#include "base/file_store.h"
#include "timesvc/time_sync_ports.h"

namespace kalvoro {

inline constexpr char kSyncNoHosts[] = "校正失败：没有可用的时间服务器";
inline constexpr char kSyncNoAnswer[] = "校正失败：时间服务器没有应答";
inline constexpr char kSyncSetFailedPrefix[] = "校正失败：";

enum class SyncOutcome {
    kNoHosts,    // "TimeHost.lst" missing, unreadable or without a usable line
    kNoAnswer,   // neither the Time Protocol nor SNTP gave a time
    kNoTime,     // the server answered 0: nothing set, the attempt still counts as done
    kSet,        // the clock was set
    kSetFailed,  // the server answered but the clock could not be set
};

struct SyncResult {
    SyncOutcome outcome = SyncOutcome::kNoHosts;
    std::string host;       // the server asked
    bool by_sntp = false;   // the answer came by SNTP
    std::string synced_at;  // "yyyy-mm-dd hh:mm:ss" after a completed attempt, else empty
    std::string reason;     // for a failure, the text for the user

    // Done: the cycle of attempts ends and "TimeCheck.lst" was rewritten.
    bool Done() const { return outcome == SyncOutcome::kSet || outcome == SyncOutcome::kNoTime; }
};

struct SyncServices {
    ITimeTransport& transport;
    ISystemTimeSetter& setter;
    IClock& local_clock;  // the local time written to the history after an attempt
    IFileStore& files;
};

// The steps every synchronisation shares: choose a host among all lines, ask it by the Time
// Protocol and, when it does not answer that, by SNTP; set the clock; rewrite the history.
class TimeSyncer {
public:
    TimeSyncer(std::vector<std::string> hosts, std::string history_file, SyncServices services,
               std::uint32_t seed = std::random_device{}());

    SyncResult SyncOnce();
    const std::vector<std::string>& Hosts() const { return hosts_; }

private:
    std::vector<std::string> hosts_;
    std::string history_file_;
    SyncServices services_;
    std::mt19937 random_;
};

// Reads the server list; a missing or unreadable file gives none.
std::vector<std::string> LoadTimeHosts(IFileStore& files, const std::string& hosts_file);

// The one-shot synchroniser of the settings dialog: one attempt on the calling thread.
class TSyncTimeDir {
public:
    TSyncTimeDir(const std::string& hosts_file, const std::string& history_file, SyncServices services);
    // The full result; SyncNow gives its time text (empty after a failure).
    SyncResult Sync();
    std::string SyncNow() { return Sync().synced_at; }

private:
    TimeSyncer syncer_;
};

// How long the thread waits; tests shorten the pauses.
struct SyncSchedule {
    int attempts = 60;
    std::uint32_t retry_ms = 10000;
    std::uint32_t ms_per_step_hour = 3600000;
};

// StepHour as the settings file may hold it, kept to the dialog's range 1..1000: a pause of 0
// hours would turn the thread into a busy loop.
int ClampStepHours(int step_hours);

// The background synchroniser. Starts at once; the first attempt happens as soon as the thread
// runs. Destroying it (or Stop) ends the thread at once: a pause or a connect or read in progress
// is interrupted, and the history file is only ever replaced whole.
class TSyncTime {
public:
    TSyncTime(std::vector<std::string> hosts, std::string history_file, std::unique_ptr<ITimeTransport> transport,
              std::unique_ptr<ISystemTimeSetter> setter, IClock& local_clock, IFileStore& files, int step_hours,
              SyncSchedule schedule = {});
    ~TSyncTime();
    TSyncTime(const TSyncTime&) = delete;
    TSyncTime& operator=(const TSyncTime&) = delete;

    // Takes effect from the next pause; a pause already begun runs to its end.
    void SetInterval(int step_hours);
    std::uint32_t IntervalMs() const { return interval_ms_.load(); }
    void Stop();

    // For tests and diagnostics: attempts made so far, and cycles that ended with a done attempt.
    int Attempts() const { return attempts_.load(); }
    int CompletedCycles() const { return completed_cycles_.load(); }

private:
    void Run();
    // Waits, returning false when asked to stop meanwhile.
    bool Pause(std::uint32_t ms);

    std::unique_ptr<ITimeTransport> transport_;
    std::unique_ptr<ISystemTimeSetter> setter_;
    TimeSyncer syncer_;
    SyncSchedule schedule_;
    std::atomic<std::uint32_t> interval_ms_;
    std::atomic<int> attempts_{0};
    std::atomic<int> completed_cycles_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

// The bar's StartStopTimeSync: with AutoChcek on, a running thread takes the new StepHour and a
// missing one is started; with it off, a running thread is ended at once.
class TimeSyncSwitch {
public:
    using Factory = std::function<std::unique_ptr<TSyncTime>(int step_hours)>;
    explicit TimeSyncSwitch(Factory factory) : factory_(std::move(factory)) {}
    ~TimeSyncSwitch() { Stop(); }

    void StartStopTimeSync(bool auto_sync, int step_hours);
    void Stop() { thread_.reset(); }
    TSyncTime* Thread() const { return thread_.get(); }

private:
    Factory factory_;
    std::unique_ptr<TSyncTime> thread_;
};

}  // namespace kalvoro
