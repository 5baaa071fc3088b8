// The running bar's time, date line and hint, read back from the real program.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/date_time.h"
#include "base/win32/text.h"
#include "e2e/app_under_test.h"
#include "e2e/pixels.h"
#include "led/led_font_num.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kLedLeft = 54;  // the LED's origin inside the bar
constexpr int kLedTop = 5;
constexpr COLORREF kBuiltInLight = RGB(57, 211, 83);

DateTime LocalNow() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return EncodeDateTime({st.wYear, st.wMonth, st.wDay}, {st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

std::string ClockText(DateTime now) {
    char text[9];
    FormatClockText(DecodeTime(now), text);
    return std::string(text, 8);
}

// Captures the bar while the clock stays within one second, so we know the time it shows.
bool CaptureKnownTime(HWND bar, Pixels& shot, std::string& shown) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        // The bar ticks just after each second begins: capture well inside a second, once that
        // second's tick has painted, and keep the capture only if the second did not change meanwhile.
        PumpFor(50ms);
        const int millisecond = DecodeTime(LocalNow()).millisecond;
        if (millisecond < 300 || millisecond > 700) continue;
        const std::string before = ClockText(LocalNow());
        shot = CaptureWindow(bar);
        const std::string after = ClockText(LocalNow());
        if (before == after) {
            shown = before;
            return true;
        }
    }
    return false;
}

LEDFontNum BarLed(const std::string& text) {
    LEDFontNum led;
    led.SetAutoSize(false);
    led.SetOffSetX(6);
    led.SetOffSetY(2);
    led.SetWordWidth(15);
    led.SetWordHeight(19);
    led.SetThick(3);
    led.SetSpace(3);
    led.SetText(text);
    return led;
}

LedPoint Centre(const LedPolygon& polygon) {
    // The first four vertices span every segment's outline (the rest repeat one of them).
    int x = 0, y = 0;
    for (int i = 0; i < 4; ++i) {
        x += polygon[static_cast<std::size_t>(i)].x;
        y += polygon[static_cast<std::size_t>(i)].y;
    }
    return LedPoint{x / 4, y / 4};
}

TEST(LedTest, LitSegmentsShowTheTimeAndUnlitOnesDoNot) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nLeft=300\r\nTop=200\r\nDefWin=0\r\nTr=255\r\nOnTop=1\r\n");
    ASSERT_TRUE(app.Start());
    Pixels shot;
    std::string shown;
    ASSERT_TRUE(CaptureKnownTime(app.bar(), shot, shown));
    SaveSnapshot(shot, L"bar-led");

    // Every segment of every cell: lit ones carry the light colour inside, unlit ones do not. The
    // digits' shapes are written out by hand (0 top, 1 upper right, 2 lower right, 3 bottom,
    // 4 lower left, 5 upper left, 6 middle; 8 and 9 the colon dots after cells 2 and 4).
    static constexpr const char* kDigitSegments[10] = {"012345", "12",     "01346", "01236",   "1256",
                                                       "02356",  "023456", "012",   "0123456", "012356"};
    const LEDFontNum geometry = BarLed("88:88:88");
    int lit_checked = 0, dark_checked = 0;
    for (int cell = 0; cell < 6; ++cell) {
        const char digit = shown[static_cast<std::size_t>(cell + cell / 2)];  // "hh:mm:ss"
        ASSERT_TRUE(digit >= '0' && digit <= '9') << shown;
        std::string lit = kDigitSegments[digit - '0'];
        if (cell == 1 || cell == 3) lit += "89";
        const int x0 = geometry.OffSetX() + cell * (geometry.WordWidth() + geometry.Space());
        const LedCellPolygons polygons = ComputeCellPolygons(x0, geometry.OffSetY(), geometry.Metrics());
        for (int p = 0; p < kLedPolygonCount; ++p) {
            if (p == kPolygonPoint) continue;  // the bar shows no point
            const bool is_lit = lit.find(static_cast<char>('0' + p)) != std::string::npos;
            const LedPoint centre = Centre(polygons[static_cast<std::size_t>(p)]);
            const COLORREF pixel = shot.At(kLedLeft + centre.x, kLedTop + centre.y);
            if (is_lit) {
                EXPECT_EQ(pixel, kBuiltInLight) << shown << " at " << centre.x << "," << centre.y;
                ++lit_checked;
            } else {
                EXPECT_NE(pixel, kBuiltInLight) << shown << " at " << centre.x << "," << centre.y;
                ++dark_checked;
            }
        }
    }
    EXPECT_GT(lit_checked, 12);  // at least the colons and a few segments per digit
    EXPECT_GT(dark_checked, 0);
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
