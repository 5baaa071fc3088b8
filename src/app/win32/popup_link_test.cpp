// The bar's link to the popup program, against its test double: start on demand, registration,
// GBK text with its NUL, restart after the program went away, and no hang when it never registers.

#include "app/win32/popup_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/win32/window.h"

namespace kalvoro::win {
namespace {

namespace fs = std::filesystem;

class FakeBar final : public Window {
public:
    explicit FakeBar(const std::wstring& program) : link(nullptr, program) {
        RegisterWindowClass(L"KalvoroFakeBar");
        CreateHandle(0, L"KalvoroFakeBar", L"", WS_POPUP, 0, 0, 10, 10, nullptr);
        link.set_bar(hwnd());
    }
    PopupLink link;

private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == kMsgPopupRegister) {
            link.OnRegister(reinterpret_cast<HWND>(lparam));
            return 0;
        }
        return DefaultHandling(message, wparam, lparam);
    }
};

struct Record {
    std::uint32_t size;
    std::string bytes;
};

std::vector<Record> ReadRecords(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), {});
    std::vector<Record> records;
    std::size_t at = 0;
    while (at + 4 <= all.size()) {
        std::uint32_t size = 0;
        std::memcpy(&size, all.data() + at, 4);
        at += 4;
        const std::size_t n = size == 0xFFFFFFFFu ? 4 : size;
        if (at + n > all.size()) break;
        records.push_back({size, all.substr(at, n)});
        at += n;
    }
    return records;
}

class PopupLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / ("kalvoro-popup-" + std::to_string(::GetCurrentProcessId()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path dir_;
};

void EndProcessOfWindow(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    ASSERT_NE(process, nullptr);
    ::TerminateProcess(process, 1);
    ::WaitForSingleObject(process, 5000);
    ::CloseHandle(process);
}

TEST_F(PopupLinkTest, StartsTheProgramAndHandsItGbkTextWithItsNul) {
    fs::copy_file(KALVORO_POPUP_DOUBLE, dir_ / "Sablewin.exe");
    FakeBar bar((dir_ / "Sablewin.exe").wstring());
    ASSERT_TRUE(bar.link.ShowText("时钟报时：14:00:00"));
    ASSERT_TRUE(bar.link.ShowText(""));
    bar.link.Notify(kPopupSettingsRewritten);

    const auto records = ReadRecords(dir_ / "popup_received.bin");
    ASSERT_EQ(records.size(), 3u);
    const std::string gbk =
        "\xCA\xB1\xD6\xD3\xB1\xA8\xCA\xB1\xA3\xBA"
        "14:00:00";
    EXPECT_EQ(records[0].size, gbk.size() + 1);
    EXPECT_EQ(records[0].bytes, gbk + std::string(1, '\0'));
    EXPECT_EQ(records[1].size, 1u);  // an empty text is a single NUL
    EXPECT_EQ(records[1].bytes, std::string(1, '\0'));
    EXPECT_EQ(records[2].size, 0xFFFFFFFFu);
    EXPECT_EQ(records[2].bytes, std::string("\x01\0\0\0", 4));

    // A popup program that went away is started again by the next text, with a new registration.
    const HWND first = bar.link.popup();
    EndProcessOfWindow(first);
    ASSERT_TRUE(bar.link.ShowText("again"));
    EXPECT_NE(bar.link.popup(), first);
    EXPECT_EQ(ReadRecords(dir_ / "popup_received.bin").back().bytes, std::string("again\0", 6));
    bar.link.Notify(kPopupBarClosing);
}

TEST_F(PopupLinkTest, MissingProgramSkipsTheText) {
    FakeBar bar((dir_ / "Sablewin.exe").wstring());
    EXPECT_FALSE(bar.link.ShowText("x"));
    EXPECT_EQ(bar.link.popup(), nullptr);
}

TEST_F(PopupLinkTest, ProgramThatNeverRegistersDoesNotHangTheBar) {
    // Any program that ignores its argument: the test double told to stay silent.
    fs::copy_file(KALVORO_POPUP_DOUBLE, dir_ / "Sablewin.exe");
    std::ofstream(dir_ / "popup_silent").put('1');
    FakeBar bar((dir_ / "Sablewin.exe").wstring());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(bar.link.ShowText("x"));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(8));
    EXPECT_GE(waited, std::chrono::milliseconds(PopupLink::kRegistrationTimeoutMs - 100));
    // The silent double ends when its bar is gone.
}

}  // namespace
}  // namespace kalvoro::win
