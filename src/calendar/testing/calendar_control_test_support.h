#pragma once
// A text measurer for tests: a Chinese character is `size` pixels wide, a single-byte character
// half that, and every text is `size` pixels high. Faces named "Arial Black" are half as wide
// again, so a test can tell which font measured a text.

#include <string>
#include <utility>
#include <vector>

#include "base/gbk.h"
#include "calendar/calendar_control_layout.h"
#include "calendar/lss_calendar.h"

namespace kalvoro::testing {

class FakeMeasurer final : public ITextMeasurer {
public:
    CalSize MeasureText(const CalFont& font, std::string_view text) override {
        measured.emplace_back(font.Name, std::string(text));
        int width = static_cast<int>(GbkLength(text)) * font.Size / 2;
        if (font.Name == "Arial Black") width = width * 3 / 2;
        return {width, font.Size};
    }
    // Face and text of every measurement, in order.
    std::vector<std::pair<std::string, std::string>> measured;
};

class FakeView final : public ICalendarView {
public:
    void InvalidateCalendar(const Rect* rect) override {
        if (rect) {
            invalidated.push_back(*rect);
        } else {
            ++whole_repaints;
        }
    }
    ITextMeasurer& Measurer() override { return measurer; }
    void Clear() {
        invalidated.clear();
        whole_repaints = 0;
    }

    FakeMeasurer measurer;
    std::vector<Rect> invalidated;
    int whole_repaints = 0;
};

}  // namespace kalvoro::testing
