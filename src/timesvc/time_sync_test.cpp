#include "timesvc/time_sync.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "timesvc/testing/fake_time_ports.h"
#include "timesvc/time_protocol.h"

namespace kalvoro {
namespace {

using testing::Be32;
using testing::RecordingSetter;
using testing::ScriptedTransport;

constexpr char kHistory[] = "C:\\K\\TimeCheck.lst";
const DateTime kLocalAfter = EncodeDate(2026, 12, 10) + EncodeTime(20, 0, 1);

DateTime Utc(int y, int mo, int d, int h, int mi, int s) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

class TimeSyncerTest : public ::testing::Test {
protected:
    SyncServices Services() { return {transport, setter, clock, files}; }
    TimeSyncer Syncer(std::vector<std::string> hosts = {"time.example"}) {
        return TimeSyncer(std::move(hosts), kHistory, Services(), 1);
    }

    ScriptedTransport transport;
    RecordingSetter setter;
    FakeClock clock{kLocalAfter};
    MemoryFileStore files;
};

TEST_F(TimeSyncerTest, SetsTheClockAndRewritesTheHistory) {
    transport.time_protocol.push_back({true, Be32(4005892800u), 3000});
    files.Put(kHistory, "2001-01-01 00:00:00\r\n");
    TimeSyncer syncer = Syncer();
    const SyncResult result = syncer.SyncOnce();
    EXPECT_EQ(result.outcome, SyncOutcome::kSet);
    EXPECT_TRUE(result.Done());
    EXPECT_FALSE(result.by_sntp);
    EXPECT_EQ(result.synced_at, "2026-12-10 20:00:01");
    ASSERT_EQ(setter.set_times.size(), 1u);
    EXPECT_NEAR(setter.set_times[0], Utc(2026, 12, 10, 12, 0, 1), 1e-9);
    EXPECT_EQ(files.ReadAll(kHistory), "2026-12-10 20:00:01\r\n");
    EXPECT_TRUE(transport.sntp_hosts.empty());
}

TEST_F(TimeSyncerTest, ValueZeroSetsNothingButCompletesTheAttempt) {
    transport.time_protocol.push_back({true, Be32(0), 0});
    TimeSyncer syncer = Syncer();
    const SyncResult result = syncer.SyncOnce();
    EXPECT_EQ(result.outcome, SyncOutcome::kNoTime);
    EXPECT_TRUE(result.Done());
    EXPECT_TRUE(setter.set_times.empty());
    EXPECT_EQ(files.ReadAll(kHistory), "2026-12-10 20:00:01\r\n");
}

TEST_F(TimeSyncerTest, ASilentOrShortTimeProtocolAnswerFallsBackToSntpOnTheSameHost) {
    for (const ScriptedTransport::Answer& rfc868 :
         {ScriptedTransport::Answer{false, "", 0}, ScriptedTransport::Answer{true, "\x01\x02\x03", 10}}) {
        ScriptedTransport local;
        local.time_protocol.push_back(rfc868);
        local.sntp_seconds.push_back(123010304u);  // 2040-01-01 00:00:00
        local.sntp_round_trip_ms = 3000;
        setter.set_times.clear();
        TimeSyncer syncer({"a.example", "b.example"}, kHistory, {local, setter, clock, files}, 7);
        const SyncResult result = syncer.SyncOnce();
        EXPECT_EQ(result.outcome, SyncOutcome::kSet);
        EXPECT_TRUE(result.by_sntp);
        ASSERT_EQ(local.sntp_hosts.size(), 1u);
        EXPECT_EQ(local.sntp_hosts[0], local.rfc868_hosts[0]);
        ASSERT_EQ(setter.set_times.size(), 1u);
        EXPECT_NEAR(setter.set_times[0], Utc(2040, 1, 1, 0, 0, 1), 1e-9);
    }
}

TEST_F(TimeSyncerTest, NoAnswerAnywhereFailsAndWritesNothing) {
    TimeSyncer syncer = Syncer();
    const SyncResult result = syncer.SyncOnce();
    EXPECT_EQ(result.outcome, SyncOutcome::kNoAnswer);
    EXPECT_FALSE(result.Done());
    EXPECT_EQ(result.reason, kSyncNoAnswer);
    EXPECT_EQ(result.synced_at, "");
    EXPECT_EQ(files.write_count, 0);

    TimeSyncer empty = Syncer({});
    const SyncResult no_hosts = empty.SyncOnce();
    EXPECT_EQ(no_hosts.outcome, SyncOutcome::kNoHosts);
    EXPECT_TRUE(transport.rfc868_hosts.size() == 1u);
}

TEST_F(TimeSyncerTest, AClockThatCannotBeSetIsAFailureWithItsReason) {
    transport.time_protocol.push_back({true, Be32(4005892800u), 0});
    files.Put(kHistory, "2001-01-01 00:00:00\r\n");
    setter.result = {false, "没有修改系统时间的权限"};
    TimeSyncer syncer = Syncer();
    const SyncResult result = syncer.SyncOnce();
    EXPECT_EQ(result.outcome, SyncOutcome::kSetFailed);
    EXPECT_FALSE(result.Done());
    EXPECT_EQ(result.synced_at, "");
    EXPECT_EQ(result.reason, "校正失败：没有修改系统时间的权限");
    EXPECT_EQ(files.ReadAll(kHistory), "2001-01-01 00:00:00\r\n");
    EXPECT_EQ(files.write_count, 0);
}

TEST_F(TimeSyncerTest, AHistoryThatCannotBeWrittenDoesNotUndoTheSync) {
    transport.time_protocol.push_back({true, Be32(4005892800u), 0});
    files.fail_writes = true;
    TimeSyncer syncer = Syncer();
    EXPECT_EQ(syncer.SyncOnce().outcome, SyncOutcome::kSet);
}

TEST_F(TimeSyncerTest, OneShotReadsTheServerListOfTheFile) {
    files.Put("C:\\K\\TimeHost.lst", "only.example  \r\n");
    transport.time_protocol.push_back({true, Be32(4005892800u), 0});
    TSyncTimeDir once("C:\\K\\TimeHost.lst", kHistory, Services());
    EXPECT_EQ(once.SyncNow(), "2026-12-10 20:00:01");
    ASSERT_EQ(transport.rfc868_hosts.size(), 1u);
    EXPECT_EQ(transport.rfc868_hosts[0], "only.example");

    TSyncTimeDir missing("C:\\K\\none.lst", kHistory, Services());
    EXPECT_EQ(missing.Sync().outcome, SyncOutcome::kNoHosts);
}

TEST(StepHours, KeepToTheDialogsRangeAndFitThirtyTwoBits) {
    EXPECT_EQ(ClampStepHours(0), 1);
    EXPECT_EQ(ClampStepHours(-5), 1);
    EXPECT_EQ(ClampStepHours(1000), 1000);
    EXPECT_EQ(ClampStepHours(1001), 1000);
    EXPECT_EQ(std::uint32_t{1000} * 3600000u, 3600000000u);
}

// A transport whose queries block until cancelled, like a connect to a silent server.
class BlockingTransport final : public ITimeTransport {
public:
    TransportReply QueryTimeProtocol(const std::string&) override { return Block(); }
    TransportReply QuerySntp(const std::string&, std::string_view) override { return Block(); }
    void Cancel() override {
        {
            std::lock_guard lock(mutex_);
            cancelled_ = true;
        }
        wake_.notify_all();
    }
    std::atomic<int> entered{0};

private:
    TransportReply Block() {
        entered.fetch_add(1);
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return cancelled_; });
        return {};
    }
    std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
};

template <typename Condition>
bool WaitUntil(Condition condition) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::yield();
    }
    return true;
}

class TSyncTimeTest : public ::testing::Test {
protected:
    FakeClock clock{kLocalAfter};
    MemoryFileStore files;
};

TEST_F(TSyncTimeTest, RetriesUntilDoneThenPausesAndStopsAtOnceDuringThePause) {
    auto transport = std::make_unique<ScriptedTransport>();
    ScriptedTransport* script = transport.get();
    script->time_protocol.push_back({false, "", 0});
    script->time_protocol.push_back({true, "\x01", 0});
    script->time_protocol.push_back({true, Be32(4005892800u), 0});
    auto setter = std::make_unique<RecordingSetter>();
    SyncSchedule schedule;
    schedule.retry_ms = 1;
    TSyncTime thread({"h"}, kHistory, std::move(transport), std::move(setter), clock, files, 1000, schedule);
    ASSERT_TRUE(WaitUntil([&] { return thread.CompletedCycles() == 1; }));
    EXPECT_EQ(thread.Attempts(), 3);
    EXPECT_EQ(thread.IntervalMs(), 3600000000u);
    // Now in a pause of 1000 hours: ending it must not wait for the pause.
    const auto before = std::chrono::steady_clock::now();
    thread.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    EXPECT_TRUE(script->cancelled);
    EXPECT_EQ(files.ReadAll(kHistory), "2026-12-10 20:00:01\r\n");
}

TEST_F(TSyncTimeTest, GivesUpAfterSixtyAttemptsAndPausesWithTheNewInterval) {
    auto transport = std::make_unique<ScriptedTransport>();
    SyncSchedule schedule;
    schedule.retry_ms = 0;
    schedule.ms_per_step_hour = 20;
    TSyncTime thread({"h"}, kHistory, std::move(transport), std::make_unique<RecordingSetter>(), clock, files, 1,
                     schedule);
    thread.SetInterval(5);
    EXPECT_EQ(thread.IntervalMs(), 100u);
    // A cycle of sixty failed attempts, a pause, and a second cycle.
    ASSERT_TRUE(WaitUntil([&] { return thread.Attempts() >= 61; }));
    EXPECT_EQ(thread.CompletedCycles(), 0);
    EXPECT_EQ(files.write_count, 0);
}

TEST_F(TSyncTimeTest, StoppingInterruptsAnAttemptInProgress) {
    auto transport = std::make_unique<BlockingTransport>();
    BlockingTransport* blocking = transport.get();
    auto thread = std::make_unique<TSyncTime>(std::vector<std::string>{"h"}, kHistory, std::move(transport),
                                              std::make_unique<RecordingSetter>(), clock, files, 1);
    ASSERT_TRUE(WaitUntil([&] { return blocking->entered.load() == 1; }));
    thread.reset();
    EXPECT_EQ(files.write_count, 0);
}

TEST_F(TSyncTimeTest, SwitchStartsSetsIntervalAndEnds) {
    int created = 0;
    TimeSyncSwitch sync([&](int step_hours) {
        ++created;
        auto transport = std::make_unique<ScriptedTransport>();
        SyncSchedule schedule;
        schedule.retry_ms = 100000;
        return std::make_unique<TSyncTime>(std::vector<std::string>{}, kHistory, std::move(transport),
                                           std::make_unique<RecordingSetter>(), clock, files, step_hours, schedule);
    });
    sync.StartStopTimeSync(false, 1);
    EXPECT_EQ(sync.Thread(), nullptr);
    sync.StartStopTimeSync(true, 2);
    ASSERT_NE(sync.Thread(), nullptr);
    EXPECT_EQ(sync.Thread()->IntervalMs(), 7200000u);
    sync.StartStopTimeSync(true, 3);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(sync.Thread()->IntervalMs(), 10800000u);
    ASSERT_TRUE(WaitUntil([&] { return sync.Thread()->Attempts() == 1; }));
    sync.StartStopTimeSync(false, 3);  // in its 100-second retry wait
    EXPECT_EQ(sync.Thread(), nullptr);
    sync.StartStopTimeSync(true, 3);
    EXPECT_EQ(created, 2);
    ASSERT_TRUE(WaitUntil([&] { return sync.Thread()->Attempts() == 1; }));
}

}  // namespace
}  // namespace kalvoro
