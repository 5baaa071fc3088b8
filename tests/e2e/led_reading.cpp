#include "e2e/led_reading.h"

#include <cstdio>

#include "base/date_time.h"
#include "e2e/app_under_test.h"
#include "led/led_font_num.h"

namespace kalvoro::e2e {

namespace {

using namespace std::chrono_literals;

// The LED's origin inside the bar and its numbers, at 96 DPI.
constexpr int kLedLeft = 54;
constexpr int kLedTop = 5;

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

LEDFontNum BarLed(const DisplayScale& scale) {
    LEDFontNum led;
    led.SetAutoSize(false);
    led.SetOffSetX(scale.Px(6));
    led.SetOffSetY(scale.Px(2));
    led.SetWordWidth(scale.Px(15));
    led.SetWordHeight(scale.Px(19));
    led.SetThick(scale.Px(3));
    led.SetSpace(scale.Px(3));
    led.SetText("88:88:88");
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

}  // namespace

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

LedReading ReadLed(const Pixels& shot, const std::string& shown, const DisplayScale& scale, COLORREF light) {
    // The digits' shapes written out by hand (0 top, 1 upper right, 2 lower right, 3 bottom,
    // 4 lower left, 5 upper left, 6 middle; 8 and 9 the colon dots after cells 2 and 4).
    static constexpr const char* kDigitSegments[10] = {"012345", "12",     "01346", "01236",   "1256",
                                                       "02356",  "023456", "012",   "0123456", "012356"};
    LedReading reading;
    if (shown.size() != 8) {
        reading.mismatches = "not a time: " + shown;
        return reading;
    }
    const LEDFontNum geometry = BarLed(scale);
    const int led_left = scale.Px(kLedLeft);
    const int led_top = scale.Px(kLedTop);
    for (int cell = 0; cell < 6; ++cell) {
        const char digit = shown[static_cast<std::size_t>(cell + cell / 2)];  // "hh:mm:ss"
        if (digit < '0' || digit > '9') {
            reading.mismatches += "not a digit in " + shown + "\n";
            return reading;
        }
        std::string lit = kDigitSegments[digit - '0'];
        if (cell == 1 || cell == 3) lit += "89";
        const int x0 = geometry.OffSetX() + cell * (geometry.WordWidth() + geometry.Space());
        const LedCellPolygons polygons = ComputeCellPolygons(x0, geometry.OffSetY(), geometry.Metrics());
        for (int p = 0; p < kLedPolygonCount; ++p) {
            if (p == kPolygonPoint) continue;  // the bar shows no point
            const bool is_lit = lit.find(static_cast<char>('0' + p)) != std::string::npos;
            const LedPoint centre = Centre(polygons[static_cast<std::size_t>(p)]);
            const COLORREF pixel = shot.At(led_left + centre.x, led_top + centre.y);
            if ((pixel == light) != is_lit) {
                reading.mismatches += shown + ": cell " + std::to_string(cell) + " polygon " + std::to_string(p) +
                                      (is_lit ? " dark" : " lit") + " at " + std::to_string(centre.x) + "," +
                                      std::to_string(centre.y) + "\n";
            }
            ++(is_lit ? reading.lit_checked : reading.dark_checked);
        }
    }
    return reading;
}

LedReading ReadLedOfSecond(const Pixels& shot, const std::string& shown, const DisplayScale& scale, COLORREF light) {
    LedReading now = ReadLed(shot, shown, scale, light);
    if (now.mismatches.empty() || shown.size() != 8) return now;
    const int seconds = ((shown[0] - '0') * 10 + (shown[1] - '0')) * 3600 +
                        ((shown[3] - '0') * 10 + (shown[4] - '0')) * 60 + (shown[6] - '0') * 10 + (shown[7] - '0');
    const int before = (seconds + 86399) % 86400;
    char text[9];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", before / 3600, before / 60 % 60, before % 60);
    LedReading previous = ReadLed(shot, text, scale, light);
    return previous.mismatches.empty() ? previous : now;
}

}  // namespace kalvoro::e2e
