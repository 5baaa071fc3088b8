// Synchronisation over real sockets against servers on 127.0.0.1, with a clock setter that only
// records: no test sets the machine's clock.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "base/file_store.h"
#include "base/win32/text.h"
#include "timesvc/testing/fake_time_ports.h"
#include "timesvc/time_history.h"
#include "timesvc/time_hosts.h"
#include "timesvc/time_protocol.h"
#include "timesvc/time_sync.h"
#include "timesvc/win32/testing/local_time_servers.h"
#include "timesvc/win32/system_time_setter.h"
#include "timesvc/win32/time_sync_service.h"
#include "timesvc/win32/winsock_time_transport.h"

namespace kalvoro::win {
namespace {

namespace fs = std::filesystem;
using kalvoro::testing::Be32;
using kalvoro::testing::RecordingSetter;
using testing::ClosedLoopbackPort;
using testing::LocalSntpServer;
using testing::LocalTimeProtocolServer;
using testing::Rfc868Behaviour;

using Clock = std::chrono::steady_clock;

DateTime Utc(int y, int mo, int d, int h, int mi, int s) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

template <typename Condition>
bool WaitUntil(Condition condition) {
    const auto limit = Clock::now() + std::chrono::seconds(60);
    while (!condition()) {
        if (Clock::now() > limit) return false;
        std::this_thread::yield();
    }
    return true;
}

class TimeSyncOverSockets : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        dir_ = fs::path(temp) /
               ("kalvoro-timesync-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter));
        fs::create_directories(dir_);
        DiskFileStore().WriteAtomic(Path(kTimeHostFileName), "127.0.0.1\r\n");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string Path(std::string_view name) const { return Narrow(dir_.wstring()) + "\\" + std::string(name); }
    std::optional<std::string> History() const { return DiskFileStore().ReadAll(Path(kTimeCheckFileName)); }

    SyncResult SyncOnce(std::uint16_t rfc868_port, std::uint16_t sntp_port) {
        TimeTransportOptions options;
        options.time_protocol_port = rfc868_port;
        options.sntp_port = sntp_port;
        WinsockTimeTransport transport(options);
        TSyncTimeDir once(Path(kTimeHostFileName), Path(kTimeCheckFileName),
                          {transport, setter, clock, DiskFileStore()});
        return once.Sync();
    }

    testing::WinsockUser winsock;
    RecordingSetter setter;
    FakeClock clock{EncodeDate(2026, 12, 10) + EncodeTime(20, 0, 1)};
    fs::path dir_;
};

TEST_F(TimeSyncOverSockets, TimeProtocolAnswersSetTheClockByTheirValue) {
    struct Case {
        std::uint32_t value;
        DateTime expected;
    };
    // 4005892800 is 2026-12-10 12:00:00 UTC; 123010304 is past the 2036 wrap: 2040-01-01.
    for (const Case c : {Case{4005892800u, Utc(2026, 12, 10, 12, 0, 0)}, Case{123010304u, Utc(2040, 1, 1, 0, 0, 0)}}) {
        LocalTimeProtocolServer server(Rfc868Behaviour::kAnswer, Be32(c.value));
        setter.set_times.clear();
        const SyncResult result = SyncOnce(server.port(), ClosedLoopbackPort());
        EXPECT_EQ(result.outcome, SyncOutcome::kSet);
        EXPECT_FALSE(result.by_sntp);
        ASSERT_EQ(setter.set_times.size(), 1u);
        // The exchange on the loopback takes far less than two seconds: nothing is added.
        EXPECT_NEAR(setter.set_times[0], c.expected, 0.5 / 86400) << c.value;
        EXPECT_EQ(History(), "2026-12-10 20:00:01\r\n");
    }
}

TEST_F(TimeSyncOverSockets, ValueZeroSetsNothingButIsDone) {
    LocalTimeProtocolServer server(Rfc868Behaviour::kAnswer, Be32(0));
    const SyncResult result = SyncOnce(server.port(), ClosedLoopbackPort());
    EXPECT_EQ(result.outcome, SyncOutcome::kNoTime);
    EXPECT_TRUE(setter.set_times.empty());
    EXPECT_EQ(History(), "2026-12-10 20:00:01\r\n");
}

TEST_F(TimeSyncOverSockets, ServersThatDoNotAnswerTheTimeProtocolAreAskedBySntp) {
    struct Case {
        const char* what;
        Rfc868Behaviour behaviour;
        std::string bytes;
    };
    for (const Case& c :
         {Case{"three bytes", Rfc868Behaviour::kAnswer, "\xEE\x00\x01"},
          Case{"closes at once", Rfc868Behaviour::kCloseAtOnce, ""}, Case{"silent", Rfc868Behaviour::kSilent, ""}}) {
        LocalTimeProtocolServer rfc868(c.behaviour, c.bytes);
        LocalSntpServer sntp(4005892800u);
        setter.set_times.clear();
        const auto started = Clock::now();
        const SyncResult result = SyncOnce(rfc868.port(), sntp.port());
        const auto took = Clock::now() - started;
        EXPECT_EQ(result.outcome, SyncOutcome::kSet) << c.what;
        EXPECT_TRUE(result.by_sntp) << c.what;
        EXPECT_EQ(rfc868.connections(), 1) << c.what;
        EXPECT_EQ(sntp.requests(), 1) << c.what;
        ASSERT_EQ(setter.set_times.size(), 1u) << c.what;
        EXPECT_NEAR(setter.set_times[0], Utc(2026, 12, 10, 12, 0, 0), 0.5 / 86400) << c.what;
        if (c.behaviour == Rfc868Behaviour::kSilent) {
            EXPECT_GE(took, std::chrono::milliseconds(2400)) << "the silence limit is 2500 ms";
        }
    }

    // Nothing listens on port 37's stand-in: refused, then SNTP.
    LocalSntpServer sntp(123010304u);
    setter.set_times.clear();
    EXPECT_EQ(SyncOnce(ClosedLoopbackPort(), sntp.port()).outcome, SyncOutcome::kSet);
    ASSERT_EQ(setter.set_times.size(), 1u);
    EXPECT_NEAR(setter.set_times[0], Utc(2040, 1, 1, 0, 0, 0), 0.5 / 86400);
}

TEST_F(TimeSyncOverSockets, NoAnswerEitherWayFailsAndLeavesTheHistory) {
    DiskFileStore().WriteAtomic(Path(kTimeCheckFileName), "2001-01-01 00:00:00\r\n");
    LocalTimeProtocolServer rfc868(Rfc868Behaviour::kCloseAtOnce);
    LocalSntpServer silent(0);
    const SyncResult result = SyncOnce(rfc868.port(), silent.port());
    EXPECT_EQ(result.outcome, SyncOutcome::kNoAnswer);
    EXPECT_EQ(result.reason, "校正失败：时间服务器没有应答");
    EXPECT_EQ(silent.requests(), 1);
    EXPECT_TRUE(setter.set_times.empty());
    EXPECT_EQ(History(), "2001-01-01 00:00:00\r\n");
}

TEST_F(TimeSyncOverSockets, AClockWithoutTheRightIsReportedAndNotRecorded) {
    DiskFileStore().WriteAtomic(Path(kTimeCheckFileName), "2001-01-01 00:00:00\r\n");
    LocalTimeProtocolServer server(Rfc868Behaviour::kAnswer, Be32(4005892800u));
    setter.result = {false, kNoSystemTimeRight};
    const SyncResult result = SyncOnce(server.port(), ClosedLoopbackPort());
    EXPECT_EQ(result.outcome, SyncOutcome::kSetFailed);
    EXPECT_EQ(result.synced_at, "");
    EXPECT_EQ(result.reason, "校正失败：没有修改系统时间的权限");
    EXPECT_EQ(History(), "2001-01-01 00:00:00\r\n");
}

TEST_F(TimeSyncOverSockets, StoppingTheThreadEndsAReadInProgressAtOnce) {
    LocalTimeProtocolServer silent(Rfc868Behaviour::kSilent);
    TimeTransportOptions options;
    options.time_protocol_port = silent.port();
    options.silence_ms = 600000;  // only the stop can end this read
    auto thread = std::make_unique<TSyncTime>(std::vector<std::string>{"127.0.0.1"}, Path(kTimeCheckFileName),
                                              std::make_unique<WinsockTimeTransport>(options),
                                              std::make_unique<RecordingSetter>(), clock, DiskFileStore(), 1);
    ASSERT_TRUE(WaitUntil([&] { return silent.holding(); }));
    const auto started = Clock::now();
    thread.reset();
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    EXPECT_FALSE(History());
}

TEST_F(TimeSyncOverSockets, StoppingTheThreadEndsItsPauseAtOnce) {
    LocalTimeProtocolServer server(Rfc868Behaviour::kAnswer, Be32(4005892800u));
    TimeTransportOptions options;
    options.time_protocol_port = server.port();
    auto* setter_seen = new RecordingSetter;
    auto thread =
        std::make_unique<TSyncTime>(std::vector<std::string>{"127.0.0.1"}, Path(kTimeCheckFileName),
                                    std::make_unique<WinsockTimeTransport>(options),
                                    std::unique_ptr<ISystemTimeSetter>(setter_seen), clock, DiskFileStore(), 1000);
    ASSERT_TRUE(WaitUntil([&] { return thread->CompletedCycles() == 1; }));
    const auto started = Clock::now();
    thread.reset();  // in its pause of 1000 hours
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(History(), "2026-12-10 20:00:01\r\n");
}

TEST_F(TimeSyncOverSockets, DryRunLogsTheTimeInsteadOfSettingIt) {
    const std::string log = Path("dry-run.log");
    ::SetEnvironmentVariableW(L"KALVORO_DRY_SET_TIME", Widen(log).c_str());
    const std::unique_ptr<ISystemTimeSetter> dry = MakeSystemTimeSetter();
    ::SetEnvironmentVariableW(L"KALVORO_DRY_SET_TIME", nullptr);
    ASSERT_NE(dynamic_cast<DryRunTimeSetter*>(dry.get()), nullptr);
    EXPECT_TRUE(dry->SetUtc(Utc(2040, 1, 1, 0, 0, 1)).ok);
    EXPECT_TRUE(dry->SetUtc(Utc(2026, 12, 10, 12, 0, 0)).ok);
    EXPECT_EQ(DiskFileStore().ReadAll(log), "2040-01-01 00:00:01 UTC\r\n2026-12-10 12:00:00 UTC\r\n");
    EXPECT_NE(dynamic_cast<SystemTimeSetter*>(MakeSystemTimeSetter().get()), nullptr);
}

TEST_F(TimeSyncOverSockets, ServiceStartsAndEndsTheThreadAndTheLabelReadsTheHistory) {
    ::SetEnvironmentVariableW(L"KALVORO_DRY_SET_TIME", Widen(Path("dry-run.log")).c_str());
    DiskFileStore().WriteAtomic(Path(kTimeHostFileName), "");  // no servers: nothing leaves the machine
    const std::string app_dir = Narrow(dir_.wstring()) + "\\";
    {
        TimeSyncService service(app_dir);
        service.StartStopTimeSync(false, 1);
        EXPECT_FALSE(service.Running());
        service.StartStopTimeSync(true, 1);
        EXPECT_TRUE(service.Running());
        const auto started = Clock::now();
        service.StartStopTimeSync(false, 1);
        EXPECT_FALSE(service.Running());
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
        service.StartStopTimeSync(true, 1);
    }
    ::SetEnvironmentVariableW(L"KALVORO_DRY_SET_TIME", nullptr);
    EXPECT_EQ(SyncTimeNow(app_dir).reason, "校正失败：没有可用的时间服务器");
    EXPECT_EQ(LastSyncLabel(app_dir), "");
    DiskFileStore().WriteAtomic(Path(kTimeCheckFileName), "2011-03-05 08:30:02\r\n");
    EXPECT_EQ(LastSyncLabel(app_dir), "最后校正于: 2011-03-05 08:30:02");
}

}  // namespace
}  // namespace kalvoro::win
