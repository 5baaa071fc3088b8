#include "online/win32/ad_thread.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/gbk.h"
#include "base/win32/text.h"
#include "online/update_notice.h"
#include "online/win32/testing/local_http_server.h"

namespace kalvoro::win {
namespace {

using testing::LocalHttpServer;
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A temporary application folder with "Sup\" and a message-only window that collects 0x0403.
class AnnouncementDownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        app_dir = fs::path(temp) / (L"kalvoro-online-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(::GetTickCount64()));
        fs::create_directories(app_dir / "Sup");
        notify = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(notify, nullptr);
    }
    void TearDown() override {
        ::DestroyWindow(notify);
        std::error_code ignored;
        fs::remove_all(app_dir, ignored);
    }

    AnnouncementRequest Request(const LocalHttpServer& server, std::string last_id) const {
        return {server.Url("/AD/AD003.txt"), std::move(last_id), Narrow(app_dir.wstring()) + "\\Sup\\Ad.his"};
    }
    bool ReadyPosted() const {
        MSG message{};
        return ::PeekMessageW(&message, notify, kMsgAnnouncementsReady, kMsgAnnouncementsReady, PM_REMOVE) != FALSE;
    }
    fs::path Stored() const { return app_dir / "Sup" / "Ad.his"; }

    fs::path app_dir;
    HWND notify = nullptr;
};

TEST_F(AnnouncementDownloadTest, SavesANewFileIntoSupAndPostsReady) {
    const std::string body = "8|3\r\n*\r\n1\r\n" + Utf8ToGbk("新版本") + "\r\n\r\nhttp://127.0.0.1/\r\n$\r\n";
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, body);
    ASSERT_NE(server.port(), 0);
    WriteFile(Stored(), "7|3|2026/1/1 0:00:00\r\n");
    WriteFile(app_dir / "Sup" / "Ad.his.tmp99-1", "left by a crash");
    WriteFile(app_dir / "Sup" / "notes.txt", "not ours");

    EXPECT_EQ(RunAnnouncementDownload(Request(server, "7"), notify), AnnouncementDownload::kSaved);

    const std::string saved = ReadFile(Stored());
    EXPECT_EQ(saved.substr(0, 4), "8|3|");
    EXPECT_NE(saved.find("\r\n*\r\n1\r\n" + Utf8ToGbk("新版本") + "\r\n\r\nhttp://127.0.0.1/\r\n"), std::string::npos);
    EXPECT_EQ(saved.find('$'), std::string::npos);
    EXPECT_TRUE(ReadyPosted());
    EXPECT_FALSE(fs::exists(app_dir / "Sup" / "Ad.his.tmp99-1"));
    EXPECT_TRUE(fs::exists(app_dir / "Sup" / "notes.txt"));
    const std::string request = server.LastRequest();
    EXPECT_EQ(request.substr(0, 22), "GET /AD/AD003.txt HTTP");
    EXPECT_NE(request.find("User-Agent: Mozilla/3.0 (compatible; Indy Library)"), std::string::npos);

    // The saved header's date reads back: the next check within three days does nothing.
    MemoryFileStore files;
    files.Put("C:\\K\\Sup\\Ad.his", saved);
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const DateTime today = EncodeDate(now.wYear, now.wMonth, now.wDay) + EncodeTime(now.wHour, now.wMinute, 0);
    EXPECT_FALSE(CheckAnnouncements(files, "C:\\K\\", "http://x/", today + 1, SystemDateLocale()));
}

TEST_F(AnnouncementDownloadTest, CreatesSupWhenMissing) {
    fs::remove_all(app_dir / "Sup");
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, "9|1\r\n$\r\n");
    EXPECT_EQ(RunAnnouncementDownload(Request(server, ""), notify), AnnouncementDownload::kSaved);
    EXPECT_EQ(ReadFile(Stored()).substr(0, 4), "9|1|");
}

TEST_F(AnnouncementDownloadTest, AnUnchangedIdOrABadBodyLeavesSupUntouched) {
    const std::string stored = "8|3|2026/1/1 0:00:00\r\n*\r\n1\r\nold\r\n";
    WriteFile(Stored(), stored);
    WriteFile(app_dir / "Sup" / "Ad.his.tmp99-1", "left by a crash");
    const std::string bodies[] = {"8|3\r\n*\r\n1\r\nnew\r\n$\r\n", "9|3\r\n*\r\n1\r\nnew\r\n", "9 3\r\n$\r\n", "",
                                  std::string("\x00\xFF\r\n$", 5)};
    for (const std::string& body : bodies) {
        LocalHttpServer server(LocalHttpServer::Mode::kAnswer, body);
        EXPECT_EQ(RunAnnouncementDownload(Request(server, "8"), notify), AnnouncementDownload::kNotNew);
        EXPECT_EQ(server.Requests(), 1);
    }
    EXPECT_EQ(ReadFile(Stored()), stored);
    EXPECT_TRUE(fs::exists(app_dir / "Sup" / "Ad.his.tmp99-1"));
    EXPECT_FALSE(ReadyPosted());
}

// Each failure leaves the stored file as it was and posts nothing.
class AnnouncementFailureTest : public AnnouncementDownloadTest {
protected:
    void SetUp() override {
        AnnouncementDownloadTest::SetUp();
        WriteFile(Stored(), kStoredFile);
    }
    void ExpectUntouched() {
        EXPECT_EQ(ReadFile(Stored()), kStoredFile);
        EXPECT_FALSE(ReadyPosted());
    }
    static constexpr char kStoredFile[] = "8|3|2026/1/1 0:00:00\r\n";
};

TEST_F(AnnouncementFailureTest, AServerErrorFails) {
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, "9|3\r\n$\r\n", 404);
    EXPECT_EQ(RunAnnouncementDownload(Request(server, "8"), notify), AnnouncementDownload::kNetworkFailed);
    ExpectUntouched();
}

TEST_F(AnnouncementFailureTest, ABodyOverTheCapFails) {
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer,
                           "9|3\r\n" + std::string(kMaxAnnouncementDownloadBytes + 10, 'x') + "\r\n$\r\n");
    EXPECT_EQ(RunAnnouncementDownload(Request(server, "8"), notify), AnnouncementDownload::kNetworkFailed);
    ExpectUntouched();
}

TEST_F(AnnouncementFailureTest, AStalledServerTimesOut) {
    LocalHttpServer server(LocalHttpServer::Mode::kStall, "");
    HttpGetLimits limits;
    limits.connect_ms = 2000;
    limits.receive_ms = 2000;
    limits.total_ms = 4000;
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_EQ(RunAnnouncementDownload(Request(server, "8"), notify, limits), AnnouncementDownload::kNetworkFailed);
    // Generous: the point is that it ends at all while the server still says nothing.
    EXPECT_LT(::GetTickCount64() - started, 60000u);
    EXPECT_EQ(server.Requests(), 1);
    ExpectUntouched();
}

TEST_F(AnnouncementFailureTest, NobodyListeningFails) {
    int closed_port = 0;
    {
        LocalHttpServer gone(LocalHttpServer::Mode::kAnswer, "");
        closed_port = gone.port();
    }
    const AnnouncementRequest request{"http://127.0.0.1:" + std::to_string(closed_port) + "/AD/AD003.txt", "8",
                                      Narrow(app_dir.wstring()) + "\\Sup\\Ad.his"};
    EXPECT_EQ(RunAnnouncementDownload(request, notify), AnnouncementDownload::kNetworkFailed);
    ExpectUntouched();
}

TEST_F(AnnouncementDownloadTest, TheThreadPostsReadyToTheWindow) {
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, "10|3\r\n*\r\n3\r\nT\r\n\r\nhttp://home/\r\n$\r\n");
    ASSERT_TRUE(StartAnnouncementThread(Request(server, "8"), notify));
    const ULONGLONG started = ::GetTickCount64();
    bool ready = false;
    while (!ready && ::GetTickCount64() - started < 60000) {
        ready = ReadyPosted();
        if (!ready) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
    EXPECT_TRUE(ready);
    while (AnnouncementThreadRunning() && ::GetTickCount64() - started < 60000) ::SwitchToThread();
    EXPECT_FALSE(AnnouncementThreadRunning());
    MemoryFileStore files;
    files.Put("C:\\K\\Sup\\Ad.his", ReadFile(Stored()));
    const LoadedAnnouncements loaded = LoadAnnouncements(files, "C:\\K\\");
    EXPECT_EQ(loaded.list, (std::vector<TADRec>{{3, "T", "", "http://home/"}}));
}

}  // namespace
}  // namespace kalvoro::win
