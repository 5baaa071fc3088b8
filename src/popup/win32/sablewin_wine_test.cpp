// Drives the real Sablewin.exe from a hidden stand-in for the bar: registration, popups on screen,
// tray animation, closing, settings reload and the ways the program ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "base/popup_protocol.h"

namespace kalvoro::popup {
namespace {

constexpr wchar_t kHostClass[] = L"KalvoroSablewin";
constexpr wchar_t kPopupClass[] = L"KalvoroSablewinPopup";
constexpr wchar_t kFakeBarClass[] = L"KalvoroPopupTestBar";

template <typename Done>
bool PumpUntil(Done done, DWORD timeout_ms) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring Widened(const std::string& utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

// What the popup program sent the bar, in arrival order.
struct BarInbox {
    std::vector<UINT> messages;
    std::vector<HWND> registrations;

    int Count(UINT message) const { return static_cast<int>(std::count(messages.begin(), messages.end(), message)); }
};

LRESULT CALLBACK FakeBarProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* inbox = reinterpret_cast<BarInbox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (inbox && (message == kMsgPopupRegister || message == kMsgTrayAnimateOn || message == kMsgTrayAnimateOff)) {
        inbox->messages.push_back(message);
        if (message == kMsgPopupRegister) inbox->registrations.push_back(reinterpret_cast<HWND>(lparam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

class SablewinTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = FakeBarProc;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = kFakeBarClass;
        RegisterClassW(&window_class);
        bar_ = CreateWindowExW(WS_EX_TOOLWINDOW, kFakeBarClass, L"bar", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(bar_, nullptr);
        SetWindowLongPtrW(bar_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&inbox_));

        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"sablewin-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(GetTickCount64()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        ASSERT_TRUE(CopyFileW((ExeFolder() + L"Sablewin.exe").c_str(), (folder_ + L"Sablewin.exe").c_str(), FALSE))
            << "Sablewin.exe must be built beside the test";
    }

    void TearDown() override {
        for (PROCESS_INFORMATION& process : processes_) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 9);
                WaitForSingleObject(process.hProcess, 5000);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        if (bar_) DestroyWindow(bar_);
        DeleteFileW((folder_ + L"skin.ini").c_str());
        DeleteFileW((folder_ + L"Sablewin.exe").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    void WriteSettings(const std::string& content) {
        const std::wstring path = folder_ + L"skin.ini";
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }

    // Starts the program with an argument; returns its index in processes_.
    std::size_t Start(const std::wstring& argument) {
        std::wstring command = L"\"" + folder_ + L"Sablewin.exe\" " + argument;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                                   &startup, &process));
        processes_.push_back(process);
        return processes_.size() - 1;
    }

    std::wstring BarArgument() const { return std::to_wstring(reinterpret_cast<std::uintptr_t>(bar_)); }

    // Starts the program for the fake bar and waits for its registration.
    HWND StartRegistered() {
        const std::size_t before = inbox_.registrations.size();
        process_ = Start(BarArgument());
        const bool registered = PumpUntil([&] { return inbox_.registrations.size() > before; }, 20000);
        EXPECT_TRUE(registered) << "no registration 0x04BC";
        return registered ? inbox_.registrations.back() : nullptr;
    }

    bool Ended(std::size_t index, DWORD timeout_ms, DWORD* exit_code = nullptr) {
        HANDLE process = processes_[index].hProcess;
        const bool ended = PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeout_ms);
        if (ended && exit_code) GetExitCodeProcess(process, exit_code);
        return ended;
    }

    LRESULT SendBlock(HWND popup_program, const void* data, DWORD size) {
        COPYDATASTRUCT block{};
        block.cbData = size;
        block.lpData = const_cast<void*>(data);
        return SendMessageA(popup_program, WM_COPYDATA, reinterpret_cast<WPARAM>(bar_),
                            reinterpret_cast<LPARAM>(&block));
    }

    // Sends a text the way the bar does: GBK with its terminating NUL.
    LRESULT SendText(HWND popup_program, const std::string& utf8) {
        const std::string gbk = Utf8ToGbk(utf8);
        return SendBlock(popup_program, gbk.c_str(), static_cast<DWORD>(gbk.size() + 1));
    }

    // The program's visible popup windows, lowest first.
    std::vector<HWND> Popups() const {
        std::vector<HWND> found;
        const DWORD process_id = processes_[process_].dwProcessId;
        for (HWND window = FindWindowExW(nullptr, nullptr, kPopupClass, nullptr); window;
             window = FindWindowExW(nullptr, window, kPopupClass, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_id && IsWindowVisible(window)) found.push_back(window);
        }
        std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
            RECT ra{}, rb{};
            GetWindowRect(a, &ra);
            GetWindowRect(b, &rb);
            return ra.top > rb.top;
        });
        return found;
    }

    bool WaitForPopupCount(std::size_t count, DWORD timeout_ms = 5000) {
        return PumpUntil([&] { return Popups().size() == count; }, timeout_ms);
    }

    static RECT WorkArea() {
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        return area;
    }

    static std::wstring TextOf(HWND window) {
        std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
        text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
        return text;
    }

    HWND bar_ = nullptr;
    BarInbox inbox_;
    std::wstring folder_;
    std::vector<PROCESS_INFORMATION> processes_;
    std::size_t process_ = 0;
};

TEST_F(SablewinTest, ShowsATextInATopmostPopupAnimatesTheTrayAndEndsWhenTheBarCloses) {
    HWND program = StartRegistered();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program, FindWindowW(kHostClass, nullptr));
    EXPECT_FALSE(IsWindowVisible(program));

    EXPECT_EQ(SendText(program, "时钟报时：14:00:00"), TRUE);
    ASSERT_TRUE(WaitForPopupCount(1));
    HWND popup = Popups().front();
    EXPECT_EQ(FindWindowW(kPopupClass, nullptr), popup);
    EXPECT_EQ(TextOf(popup), L"时钟报时：14:00:00");
    EXPECT_TRUE(GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT place{}, intersection{};
    GetWindowRect(popup, &place);
    const RECT work = WorkArea();
    EXPECT_TRUE(IntersectRect(&intersection, &place, &work) && EqualRect(&intersection, &place))
        << place.left << "," << place.top << "-" << place.right << "," << place.bottom;
    EXPECT_GT(place.left, (work.left + work.right) / 2) << "near the tray, at the right";
    EXPECT_GT(place.top, (work.top + work.bottom) / 2) << "near the tray, at the bottom";

    EXPECT_TRUE(PumpUntil([&] { return inbox_.Count(kMsgTrayAnimateOn) == 1; }, 5000));

    SendMessageA(program, kMsgPopupNotify, reinterpret_cast<WPARAM>(bar_), kPopupBarClosing);
    DWORD exit_code = 99;
    EXPECT_TRUE(Ended(process_, 5000, &exit_code));
    EXPECT_EQ(exit_code, 0u);
}

TEST_F(SablewinTest, RefusesMalformedCopyDataAndAcceptsTheLargestBlock) {
    HWND program = StartRegistered();
    ASSERT_NE(program, nullptr);
    const char text[] = "abc";
    EXPECT_EQ(SendBlock(program, text, 0), FALSE);
    EXPECT_EQ(SendBlock(program, nullptr, 4), FALSE);
    std::string oversized(kMaxCopyDataBytes + 1, 'x');
    EXPECT_EQ(SendBlock(program, oversized.data(), static_cast<DWORD>(oversized.size())), FALSE);
    // A sound text after them: once its popup and its tray notice are here, anything the refused
    // blocks had started would be here too.
    EXPECT_EQ(SendText(program, "哨兵"), TRUE);
    ASSERT_TRUE(WaitForPopupCount(1));
    EXPECT_TRUE(PumpUntil([&] { return inbox_.Count(kMsgTrayAnimateOn) == 1; }, 10000));
    EXPECT_EQ(TextOf(Popups().front()), L"哨兵");

    // 64 KB of Chinese text with its NUL at the very end, then an empty text (a single NUL).
    std::string largest;
    while (largest.size() + 2 < kMaxCopyDataBytes) largest += Utf8ToGbk("长");
    largest.resize(kMaxCopyDataBytes - 1, 'x');
    largest.push_back('\0');
    EXPECT_EQ(SendBlock(program, largest.data(), static_cast<DWORD>(largest.size())), TRUE);
    EXPECT_EQ(SendBlock(program, "", 1), TRUE);
    EXPECT_TRUE(WaitForPopupCount(3));
}

TEST_F(SablewinTest, StacksPopupsUpwardAndQueuesWhatDoesNotFit) {
    WriteSettings("[MSG]\r\nAuto=0\r\n");
    HWND program = StartRegistered();
    ASSERT_NE(program, nullptr);
    const std::string marks = "日历标记：\r\n2024年02月10日 星期六\r\n\r\n春节";
    std::string long_text = "很长的消息：";
    for (int i = 0; i < 60; ++i) long_text += "这是一段需要自动换行并且可以滚动的中文文本。";
    EXPECT_EQ(SendText(program, "时钟报时：14:00:00"), TRUE);
    EXPECT_EQ(SendText(program, marks), TRUE);
    EXPECT_EQ(SendText(program, long_text), TRUE);
    ASSERT_TRUE(WaitForPopupCount(3));

    const std::vector<HWND> popups = Popups();
    EXPECT_EQ(TextOf(popups[0]), L"时钟报时：14:00:00");
    EXPECT_EQ(TextOf(popups[1]), Widened(marks));
    const RECT work = WorkArea();
    for (std::size_t i = 0; i < popups.size(); ++i) {
        RECT place{};
        GetWindowRect(popups[i], &place);
        EXPECT_GE(place.top, work.top);
        EXPECT_LE(place.bottom, work.bottom);
        if (i > 0) {
            RECT below{};
            GetWindowRect(popups[i - 1], &below);
            EXPECT_LE(place.bottom, below.top) << "popup " << i << " overlaps the one below";
            EXPECT_EQ(place.right, below.right);
        }
    }

    // Far more than the screen holds: the rest wait, none leaves the work area. Each text is placed
    // before its send returns.
    for (int i = 0; i < 40; ++i) EXPECT_EQ(SendText(program, "提醒 " + std::to_string(i)), TRUE);
    const std::vector<HWND> crowded = Popups();
    EXPECT_LT(crowded.size(), 43u);
    for (HWND popup : crowded) {
        RECT place{};
        GetWindowRect(popup, &place);
        EXPECT_GE(place.top, work.top);
    }

    // Closing the lowest brings the next waiting one on screen.
    const std::size_t shown = crowded.size();
    PostMessageW(crowded[0], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 60));
    PostMessageW(crowded[0], WM_LBUTTONUP, 0, MAKELPARAM(20, 60));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(crowded[0]) || !IsWindowVisible(crowded[0]); }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return Popups().size() >= shown; }, 10000)) << Popups().size() << " of " << shown;
}

TEST_F(SablewinTest, AClickReadsAndClosesTheMessageAndStopsTheTrayAnimation) {
    WriteSettings("[MSG]\r\nAuto=0\r\n");
    HWND program = StartRegistered();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(SendText(program, "会议提醒"), TRUE);
    ASSERT_TRUE(WaitForPopupCount(1));
    EXPECT_TRUE(PumpUntil([&] { return inbox_.Count(kMsgTrayAnimateOn) == 1; }, 5000));
    EXPECT_EQ(inbox_.Count(kMsgTrayAnimateOff), 0);

    HWND popup = Popups().front();
    PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 50));
    PostMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(40, 50));
    EXPECT_TRUE(PumpUntil([&] { return inbox_.Count(kMsgTrayAnimateOff) == 1; }, 5000));
    EXPECT_TRUE(WaitForPopupCount(0));
    EXPECT_EQ(inbox_.messages.back(), kMsgTrayAnimateOff);
}

TEST_F(SablewinTest, ClosesByItselfAfterAutoSec) {
    WriteSettings("[MSG]\r\nAuto=1\r\nAutoSec=1\r\n");  // brought up to the 5-second minimum
    HWND program = StartRegistered();
    ASSERT_NE(program, nullptr);
    // Taken before the send: the popup's time starts inside it, so a load that delays this test
    // can only make the measured time longer.
    const ULONGLONG sent = GetTickCount64();
    EXPECT_EQ(SendText(program, "自动关闭"), TRUE);
    // Seen open first, then closed by itself (Auto=0 in the other tests keeps theirs open).
    ASSERT_TRUE(WaitForPopupCount(1, 10000));
    ASSERT_TRUE(PumpUntil([&] { return inbox_.Count(kMsgTrayAnimateOff) == 1; }, 60000)) << "never closed";
    EXPECT_TRUE(WaitForPopupCount(0, 30000));
    // The one second asked for counts as five: a popup gone after one second breaks that rule.
    // Only the lower bound is checked, loosely; a busy machine may close it much later.
    EXPECT_GE(GetTickCount64() - sent, 4000u);
}

TEST_F(SablewinTest, AppliesTheAlphaAndReloadsItOnTheSettingsNotice) {
    WriteSettings("[MSG]\r\nAuto=0\r\nTran=120\r\n");
    HWND program = StartRegistered();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(SendText(program, "透明度"), TRUE);
    ASSERT_TRUE(WaitForPopupCount(1));
    const auto alpha_of = [](HWND window) {
        BYTE alpha = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
        return static_cast<int>(alpha);
    };
    HWND popup = Popups().front();
    EXPECT_EQ(alpha_of(popup), 120);

    WriteSettings("[MSG]\r\nAuto=0\r\nTran=230\r\n");
    SendMessageA(program, kMsgPopupNotify, reinterpret_cast<WPARAM>(bar_), kPopupSettingsRewritten);
    EXPECT_EQ(alpha_of(popup), 230);
    EXPECT_EQ(SendText(program, "第二条"), TRUE);
    ASSERT_TRUE(WaitForPopupCount(2));
    EXPECT_EQ(alpha_of(Popups()[1]), 230);
}

TEST_F(SablewinTest, EndsWhenTheBarWindowIsGone) {
    HWND program = StartRegistered();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(SendText(program, "再见"), TRUE);
    ASSERT_TRUE(WaitForPopupCount(1));
    DestroyWindow(bar_);
    bar_ = nullptr;
    DWORD exit_code = 99;
    EXPECT_TRUE(Ended(process_, 5000, &exit_code));
    EXPECT_EQ(exit_code, 0u);
}

TEST_F(SablewinTest, ASecondProgramForTheSameBarExitsAndPointsTheBarAtTheFirst) {
    HWND first = StartRegistered();
    ASSERT_NE(first, nullptr);
    const std::size_t second = Start(BarArgument());
    DWORD exit_code = 99;
    EXPECT_TRUE(Ended(second, 10000, &exit_code));
    EXPECT_EQ(exit_code, 0u);
    EXPECT_TRUE(PumpUntil([&] { return inbox_.registrations.size() == 2; }, 5000));
    EXPECT_EQ(inbox_.registrations.back(), first);
    EXPECT_EQ(WaitForSingleObject(processes_[process_].hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(SablewinTest, ExitsWithoutAUsableBarHandle) {
    for (const std::wstring argument : {L"", L"abc", L"0", L"-", L"123456789"}) {
        const std::size_t index = Start(argument);
        DWORD exit_code = 99;
        EXPECT_TRUE(Ended(index, 10000, &exit_code)) << argument;
        EXPECT_EQ(exit_code, 1u) << argument;
    }
    EXPECT_TRUE(inbox_.registrations.empty());
}

}  // namespace
}  // namespace kalvoro::popup
