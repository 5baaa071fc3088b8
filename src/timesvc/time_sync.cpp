#include "timesvc/time_sync.h"

#include <algorithm>
#include <chrono>

#include "timesvc/time_history.h"
#include "timesvc/time_hosts.h"
#include "timesvc/time_protocol.h"

namespace kalvoro {
namespace {

// A request stamp that is unique per process run, so a late answer to an earlier request is not
// taken for the answer to this one.
std::uint64_t NextSntpStamp(std::mt19937& random) {
    const std::uint64_t high = random();
    return (high << 32) | random() | 1;
}

}  // namespace

TimeSyncer::TimeSyncer(std::vector<std::string> hosts, std::string history_file, SyncServices services,
                       std::uint32_t seed)
    : hosts_(std::move(hosts)), history_file_(std::move(history_file)), services_(services), random_(seed) {}

SyncResult TimeSyncer::SyncOnce() {
    SyncResult result;
    if (hosts_.empty()) {
        result.outcome = SyncOutcome::kNoHosts;
        result.reason = kSyncNoHosts;
        return result;
    }
    result.host = hosts_[ChooseHostIndex(hosts_.size(), random_)];

    std::optional<ServerTime> time;
    const TransportReply rfc868 = services_.transport.QueryTimeProtocol(result.host);
    if (rfc868.answered) time = ReadTimeProtocolReply(rfc868.bytes, rfc868.round_trip_ms);
    if (!time) {
        const std::uint64_t stamp = NextSntpStamp(random_);
        const TransportReply sntp = services_.transport.QuerySntp(result.host, MakeSntpRequest(stamp));
        if (sntp.answered) time = ReadSntpReply(sntp.bytes, stamp, sntp.round_trip_ms);
        result.by_sntp = time.has_value();
    }
    if (!time) {
        result.outcome = SyncOutcome::kNoAnswer;
        result.reason = kSyncNoAnswer;
        return result;
    }

    if (time->no_time) {
        result.outcome = SyncOutcome::kNoTime;
    } else {
        const SetTimeResult set = services_.setter.SetUtc(DateTimeFromSeconds1900(time->seconds_since_1900));
        if (!set.ok) {
            // Not a success: the history keeps the time of the last real synchronisation.
            result.outcome = SyncOutcome::kSetFailed;
            result.reason = std::string(kSyncSetFailedPrefix) + set.reason;
            return result;
        }
        result.outcome = SyncOutcome::kSet;
    }
    const DateTime now = services_.local_clock.Now();
    result.synced_at = FormatSyncTime(now);
    WriteSyncHistory(services_.files, history_file_, now);  // a history that cannot be written is ignored
    return result;
}

std::vector<std::string> LoadTimeHosts(IFileStore& files, const std::string& hosts_file) {
    const std::optional<std::string> bytes = files.ReadAll(hosts_file);
    return bytes ? ParseTimeHosts(*bytes) : std::vector<std::string>{};
}

TSyncTimeDir::TSyncTimeDir(const std::string& hosts_file, const std::string& history_file, SyncServices services)
    : syncer_(LoadTimeHosts(services.files, hosts_file), history_file, services) {}

SyncResult TSyncTimeDir::Sync() {
    return syncer_.SyncOnce();
}

int ClampStepHours(int step_hours) {
    return std::clamp(step_hours, 1, 1000);
}

TSyncTime::TSyncTime(std::vector<std::string> hosts, std::string history_file,
                     std::unique_ptr<ITimeTransport> transport, std::unique_ptr<ISystemTimeSetter> setter,
                     IClock& local_clock, IFileStore& files, int step_hours, SyncSchedule schedule)
    : transport_(std::move(transport)),
      setter_(std::move(setter)),
      syncer_(std::move(hosts), std::move(history_file), SyncServices{*transport_, *setter_, local_clock, files}),
      schedule_(schedule),
      interval_ms_(static_cast<std::uint32_t>(ClampStepHours(step_hours)) * schedule.ms_per_step_hour) {
    thread_ = std::thread([this] { Run(); });
}

TSyncTime::~TSyncTime() {
    Stop();
}

void TSyncTime::SetInterval(int step_hours) {
    interval_ms_.store(static_cast<std::uint32_t>(ClampStepHours(step_hours)) * schedule_.ms_per_step_hour);
}

void TSyncTime::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    transport_->Cancel();
    if (thread_.joinable()) thread_.join();
}

bool TSyncTime::Pause(std::uint32_t ms) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping_; });
}

void TSyncTime::Run() {
    for (;;) {
        for (int attempt = 0; attempt < schedule_.attempts; ++attempt) {
            if (!Pause(0)) return;
            attempts_.fetch_add(1);
            bool done = false;
            try {
                done = syncer_.SyncOnce().Done();
            } catch (...) {
                // An attempt that threw (out of memory, say) counts as failed; the thread goes on.
            }
            if (done) {
                completed_cycles_.fetch_add(1);
                break;
            }
            if (!Pause(schedule_.retry_ms)) return;
        }
        if (!Pause(interval_ms_.load())) return;
    }
}

void TimeSyncSwitch::StartStopTimeSync(bool auto_sync, int step_hours) {
    try {
        if (auto_sync) {
            if (thread_) {
                thread_->SetInterval(step_hours);
            } else {
                thread_ = factory_(step_hours);
            }
        } else {
            thread_.reset();
        }
    } catch (...) {
        // Switching synchronisation never takes the program down.
    }
}

}  // namespace kalvoro
