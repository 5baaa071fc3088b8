// Announcements in the real program against a web site on 127.0.0.1 ("skin.ini" [ONLINE]
// WebSite=): a new announcement file is stored in "Sup\", its line turns in the bar's date line and
// a click on it opens its address; an unchanged id leaves "Sup\" as it was.
//
// KALVORO_FIRST_AD_CHECK_MS brings the first check from five minutes after start to one second.
// The address is opened the way the system opens web addresses; under Wine that is its browser
// launcher, pointed here at curl, so the opening shows as a request for the page at the server.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/frm_options.h"
#include "base/gbk.h"
#include "base/win32/text.h"
#include "e2e/app_under_test.h"
#include "e2e/pixels.h"
#include "e2e/process_threads.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

// A web site on 127.0.0.1 in the test: fixed bodies by path, 404 for anything else; it remembers
// the paths asked for.
class LocalWebSite {
public:
    explicit LocalWebSite(std::map<std::string, std::string> pages) : pages_(std::move(pages)) {
        WSADATA data{};
        ::WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 8) != 0) {
            return;
        }
        int length = sizeof(address);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LocalWebSite() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        ::closesocket(listener_);
        ::WSACleanup();
    }
    LocalWebSite(const LocalWebSite&) = delete;
    LocalWebSite& operator=(const LocalWebSite&) = delete;

    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int Requests(const std::string& path) {
        const std::lock_guard guard(lock_);
        int count = 0;
        for (const std::string& asked : asked_) count += asked == path;
        return count;
    }
    void SetPage(const std::string& path, std::string body) {
        const std::lock_guard guard(lock_);
        pages_[path] = std::move(body);
    }

private:
    static bool Readable(SOCKET socket) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket, &set);
        timeval limit{0, 20000};
        return ::select(0, &set, nullptr, nullptr, &limit) > 0;
    }

    void Serve() {
        while (!stop_) {
            if (!Readable(listener_)) continue;
            const SOCKET client = ::accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            std::string request;
            char buffer[2048];
            for (int waits = 0; request.find("\r\n\r\n") == std::string::npos && waits < 500 && !stop_; ++waits) {
                if (!Readable(client)) continue;
                const int got = ::recv(client, buffer, sizeof(buffer), 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            // "GET /path HTTP/1.1"
            const std::size_t path_start = request.find(' ') + 1;
            const std::string path = request.substr(path_start, request.find(' ', path_start) - path_start);
            std::string reply;
            {
                const std::lock_guard guard(lock_);
                asked_.push_back(path);
                const auto page = pages_.find(path);
                const std::string body = page == pages_.end() ? std::string("not here") : page->second;
                reply = std::string(page == pages_.end() ? "HTTP/1.0 404 Not Found" : "HTTP/1.0 200 OK") +
                        "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\nConnection: close\r\n\r\n" + body;
            }
            for (std::size_t sent = 0; sent < reply.size();) {
                const int put = ::send(client, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
                if (put <= 0) break;
                sent += static_cast<std::size_t>(put);
            }
            ::shutdown(client, SD_SEND);
            ::closesocket(client);
        }
    }

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex lock_;
    std::map<std::string, std::string> pages_;
    std::vector<std::string> asked_;
};

// An environment variable for the programs this test starts.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) { ::SetEnvironmentVariableW(name, value); }
    ~ScopedVariable() { ::SetEnvironmentVariableW(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
};

// Wine's browser launcher runs the programs named in this value, in order, with the address.
class WineBrowserIsCurl {
public:
    WineBrowserIsCurl() {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        wchar_t old[512] = {};
        DWORD size = sizeof(old) - sizeof(wchar_t);
        had_value_ = ::RegQueryValueExW(key_, L"Browsers", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                     ERROR_SUCCESS;
        old_ = old;
        constexpr wchar_t kCurl[] = L"curl";
        ::RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(kCurl), sizeof(kCurl));
    }
    ~WineBrowserIsCurl() {
        if (had_value_) {
            ::RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                             static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
        } else {
            ::RegDeleteValueW(key_, L"Browsers");
        }
        ::RegCloseKey(key_);
    }
    WineBrowserIsCurl(const WineBrowserIsCurl&) = delete;
    WineBrowserIsCurl& operator=(const WineBrowserIsCurl&) = delete;

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\WineBrowser";
    HKEY key_ = nullptr;
    bool had_value_ = false;
    std::wstring old_;
};

constexpr char kAnnouncementPath[] = "/AD/AD003.txt";
constexpr char kPagePath[] = "/news/page.htm";
constexpr char kAnnouncementText[] = "新版本 3.8 的试用说明";

// The server's announcement file: header "id|interval", one kind 1 record, the final "$".
std::string AnnouncementBody(const std::string& id, const std::string& link) {
    return Utf8ToGbk(id + "|3\r\n*\r\n1\r\n" + kAnnouncementText + "\r\n点击查看\r\n" + link + "\r\n$\r\n");
}

// The date line turns through its lines (the date, then the announcements) while its cycling is on;
// the stored choice applies from the start.
std::string BarSettings(const LocalWebSite& site) {
    return "[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=40\r\nTr=255\r\nDateLoop=1\r\n[MSG]\r\nCalendarLX=0\r\n[ONLINE]"
           "\r\nWebSite=" +
           site.Url("/") + "\r\n";
}

HWND DateLineOf(HWND bar) {
    return ::FindWindowExW(bar, nullptr, L"KalvoroFadeText", nullptr);
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

TEST(OnlineServicesTest, NewAnnouncementIsStoredTurnsInTheDateLineAndItsClickOpensTheAddress) {
    LocalWebSite site({});
    site.SetPage(kAnnouncementPath, AnnouncementBody("N7", site.Url(kPagePath)));
    site.SetPage(kPagePath, "<html><body>page</body></html>");
    const ScopedVariable first_check(L"KALVORO_FIRST_AD_CHECK_MS", L"1000");
    const WineBrowserIsCurl browser;
    AppUnderTest app;
    app.WriteSettings(BarSettings(site));
    ASSERT_TRUE(app.Start());

    std::string stored;
    ASSERT_TRUE(WaitFor([&] { return !(stored = ReadFileBytes(app.PathOf(L"Sup\\Ad.his"))).empty(); }, 60s));
    EXPECT_EQ(site.Requests(kAnnouncementPath), 1);
    // The header gains the download's date; the records are kept as they came, without the "$".
    EXPECT_EQ(stored.rfind("N7|3|2", 0), 0u) << stored;
    const std::string records = Utf8ToGbk(std::string("\r\n*\r\n1\r\n") + kAnnouncementText + "\r\n点击查看\r\n" +
                                          site.Url(kPagePath) + "\r\n");
    EXPECT_EQ(stored.substr(stored.find("\r\n")), records);

    // The date line turns from the date to the announcement and back.
    const HWND line = DateLineOf(app.bar());
    ASSERT_NE(line, nullptr);
    const std::wstring announcement = Widen(kAnnouncementText);
    ASSERT_TRUE(WaitFor([&] { return TextOf(line) == announcement; }, 60s)) << Narrow(TextOf(line));
    PumpFor(700ms);  // the fade in is over
    SaveSnapshot(CaptureWindow(app.bar()), L"date-line-announcement");
    EXPECT_TRUE(WaitFor([&] { return TextOf(line).find(L"星期") != std::wstring::npos; }, 60s));

    // A click while the announcement shows opens its address.
    ASSERT_TRUE(WaitFor(
        [&] {
            if (site.Requests(kPagePath) > 0) return true;
            if (TextOf(line) == announcement) {
                ::PostMessageW(line, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
                ::PostMessageW(line, WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
                WaitFor([&] { return site.Requests(kPagePath) > 0; }, 15s);
            }
            return site.Requests(kPagePath) > 0;
        },
        90s));
    EXPECT_EQ(site.Requests(kPagePath), 1);
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(app.Close());
}

// A file's name, size, times and bytes.
struct FileState {
    std::wstring name;
    ULONGLONG size = 0;
    ULONGLONG created = 0;
    ULONGLONG written = 0;
    std::string bytes;
    bool operator==(const FileState&) const = default;
};

ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::vector<FileState> FolderState(const std::wstring& folder) {
    std::vector<FileState> files;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        files.push_back({name, (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                         Ticks(found.ftCreationTime), Ticks(found.ftLastWriteTime),
                         ReadFileBytes(folder + L"\\" + name)});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return files;
}

// The stored header has no date, so the program asks at once; the server's file has the stored
// id (with other text): nothing in "Sup\" is written, renamed or removed.
TEST(OnlineServicesTest, UnchangedIdLeavesSupUntouched) {
    LocalWebSite site({});
    site.SetPage(kAnnouncementPath, Utf8ToGbk("N7|3\r\n*\r\n1\r\n另一条公告\r\n\r\n\r\n$\r\n"));
    const ScopedVariable first_check(L"KALVORO_FIRST_AD_CHECK_MS", L"1000");
    AppUnderTest app;
    app.WriteSettings(BarSettings(site));
    ::CreateDirectoryW(app.PathOf(L"Sup").c_str(), nullptr);
    WriteFileBytes(app.PathOf(L"Sup\\Ad.his"),
                   Utf8ToGbk(std::string("N7|3|\r\n*\r\n1\r\n") + kAnnouncementText + "\r\n\r\n\r\n"));
    const std::vector<FileState> before = FolderState(app.PathOf(L"Sup"));
    ASSERT_EQ(before.size(), 1u);
    ASSERT_TRUE(app.Start());

    ASSERT_TRUE(WaitFor([&] { return site.Requests(kAnnouncementPath) == 1; }, 60s));
    // The download thread has looked at the answer and ended.
    ASSERT_TRUE(WaitFor([&] { return RuntimeStartedThreads(app.process_id()) == 0; }, 30s))
        << RuntimeStartedThreads(app.process_id());
    EXPECT_TRUE(app.Close());
    EXPECT_EQ(FolderState(app.PathOf(L"Sup")), before);
}

}  // namespace
}  // namespace kalvoro::e2e
