// The running bar's time, date line and hint, read back from the real program.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/date_time.h"
#include "base/win32/dpi.h"
#include "base/win32/text.h"
#include "e2e/app_under_test.h"
#include "e2e/led_reading.h"
#include "e2e/pixels.h"
#include "led/led_font_num.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

DateTime LocalNow() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return EncodeDateTime({st.wYear, st.wMonth, st.wDay}, {st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

TEST(LedTest, LitSegmentsShowTheTimeAndUnlitOnesDoNot) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nLeft=300\r\nTop=200\r\nDefWin=0\r\nTr=255\r\nOnTop=1\r\n");
    ASSERT_TRUE(app.Start());
    Pixels shot;
    std::string shown;
    ASSERT_TRUE(CaptureKnownTime(app.bar(), shot, shown));
    SaveSnapshot(shot, L"bar-led");

    // Every segment of every cell, at the resolution the bar is shown at.
    const LedReading reading = ReadLedOfSecond(shot, shown, win::ScaleOfWindow(app.bar()));
    EXPECT_EQ(reading.mismatches, "");
    EXPECT_GT(reading.lit_checked, 12);  // at least the colons and a few segments per digit
    EXPECT_GT(reading.dark_checked, 0);
    EXPECT_TRUE(app.Close());
}

HWND DateLineOf(HWND bar) {
    return ::FindWindowExW(bar, nullptr, L"KalvoroFadeText", nullptr);
}

TEST(LedTest, DateLineShowsTheGregorianDateWithChineseWeekday) {
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    const HWND line = DateLineOf(app.bar());
    ASSERT_NE(line, nullptr);
    std::wstring shown;
    ASSERT_TRUE(WaitFor([&] {
        wchar_t text[128] = {};
        ::GetWindowTextW(line, text, 128);
        shown = text;
        return !shown.empty();
    }));
    const std::wstring expected = Widen(FormatDateTime("yyyy年mm月dd日 dddd", LocalNow(), ChineseDateLocale()));
    EXPECT_EQ(shown, expected);
    EXPECT_NE(shown.find(L"星期"), std::wstring::npos);
    EXPECT_TRUE(app.Close());
}

// Reads the text of the bar's tool tip from the other process.
std::wstring ToolTipText(HWND tooltip, HWND bar, UINT_PTR id) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(tooltip, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return L"";
    constexpr std::size_t kChars = 1024;
    const std::size_t size = sizeof(TOOLINFOW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    std::wstring text;
    if (remote) {
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = bar;
        info.uId = id;
        info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(TOOLINFOW));
        ::WriteProcessMemory(process, remote, &info, sizeof(info), nullptr);
        ::SendMessageW(tooltip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
        std::wstring buffer(kChars, L'\0');
        ::ReadProcessMemory(process, remote + sizeof(TOOLINFOW), buffer.data(), kChars * sizeof(wchar_t), nullptr);
        text = buffer.c_str();
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return text;
}

TEST(LedTest, HintCarriesTheDateLines) {
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    HWND tooltip = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND candidate : app.AllWindowsOfClass(L"tooltips_class32")) {
            if (::GetWindow(candidate, GW_OWNER) == app.bar()) tooltip = candidate;
        }
        return tooltip != nullptr;
    }));
    std::wstring hint;
    ASSERT_TRUE(WaitFor([&] {
        hint = ToolTipText(tooltip, app.bar(), 1);
        return !hint.empty();
    }));
    const std::wstring date = Widen(FormatDateTime("yyyy年mm月dd日 dddd", LocalNow(), ChineseDateLocale()));
    EXPECT_EQ(hint.rfind(L"公历: " + date + L"\r\n农历: ", 0), 0u) << Narrow(hint);
    EXPECT_NE(hint.find(L"\r\n干支: "), std::wstring::npos) << Narrow(hint);
    EXPECT_NE(hint.find(L"年"), hint.find(L"农历: ") + 5);  // the lunar line is not empty
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
