// The recording stand-in must register, record exactly what it receives, and end like the real
// popup program.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr UINT kRegisterMessage = 0x04BC;
constexpr UINT kBarNoticeMessage = 0x04BD;
constexpr wchar_t kFakeBarClass[] = L"KalvoroPopupDoubleTestBar";

std::vector<HWND> g_registrations;

LRESULT CALLBACK FakeBarProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kRegisterMessage) {
        g_registrations.push_back(reinterpret_cast<HWND>(lparam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

template <typename Done>
bool PumpUntil(Done done, DWORD timeout_ms) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::string LittleEndian(std::uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    return bytes;
}

class PopupDoubleTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_registrations.clear();
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = FakeBarProc;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = kFakeBarClass;
        RegisterClassW(&window_class);
        bar_ = CreateWindowExW(WS_EX_TOOLWINDOW, kFakeBarClass, L"bar", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(bar_, nullptr);

        wchar_t exe[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring own_folder(exe);
        own_folder.resize(own_folder.find_last_of(L"\\/") + 1);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"popup-double-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(GetTickCount64()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        ASSERT_TRUE(
            CopyFileW((own_folder + L"popup_double.exe").c_str(), (folder_ + L"popup_double.exe").c_str(), FALSE));

        std::wstring command =
            L"\"" + folder_ + L"popup_double.exe\" " + std::to_wstring(reinterpret_cast<std::uintptr_t>(bar_));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                                   &startup, &process_));
        ASSERT_TRUE(PumpUntil([] { return !g_registrations.empty(); }, 20000));
        double_ = g_registrations.front();
    }

    void TearDown() override {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 9);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        if (bar_) DestroyWindow(bar_);
        DeleteFileW((folder_ + L"popup_received.bin").c_str());
        DeleteFileW((folder_ + L"popup_double.exe").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    LRESULT Send(const std::string& block) {
        COPYDATASTRUCT data{};
        data.cbData = static_cast<DWORD>(block.size());
        data.lpData = const_cast<char*>(block.data());
        return SendMessageA(double_, WM_COPYDATA, reinterpret_cast<WPARAM>(bar_), reinterpret_cast<LPARAM>(&data));
    }

    bool Ended(DWORD timeout_ms) {
        return PumpUntil([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, timeout_ms);
    }

    std::string Recorded() const {
        std::string content;
        HANDLE file = CreateFileW((folder_ + L"popup_received.bin").c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return content;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) content.append(buffer, read);
        CloseHandle(file);
        return content;
    }

    HWND bar_ = nullptr;
    HWND double_ = nullptr;
    std::wstring folder_;
    PROCESS_INFORMATION process_{};
};

TEST_F(PopupDoubleTest, RecordsEveryMessageInOrderAndEndsOnTheClosingNotice) {
    const std::string text("\xCA\xB1\xD6\xD3\xB1\xA8\xCA\xB1\0", 9);  // "时钟报时" in GBK with its NUL
    const std::string empty("\0", 1);
    const std::string trailing("ab\0cd", 5);
    EXPECT_EQ(Send(text), TRUE);
    EXPECT_EQ(Recorded(), LittleEndian(9) + text) << "flushed after each record";
    EXPECT_EQ(Send(empty), TRUE);
    EXPECT_EQ(Send(trailing), TRUE);
    SendMessageA(double_, kBarNoticeMessage, reinterpret_cast<WPARAM>(bar_), 1);
    EXPECT_TRUE(IsWindow(double_));
    SendMessageA(double_, kBarNoticeMessage, reinterpret_cast<WPARAM>(bar_), 2);
    EXPECT_TRUE(Ended(5000));

    const std::string expected = LittleEndian(9) + text + LittleEndian(1) + empty + LittleEndian(5) + trailing +
                                 LittleEndian(0xFFFFFFFF) + LittleEndian(1) + LittleEndian(0xFFFFFFFF) +
                                 LittleEndian(2);
    EXPECT_EQ(Recorded(), expected);
}

TEST_F(PopupDoubleTest, EndsWhenTheBarIsGone) {
    DestroyWindow(bar_);
    bar_ = nullptr;
    EXPECT_TRUE(Ended(5000));
    EXPECT_EQ(Recorded(), "");
}

}  // namespace
