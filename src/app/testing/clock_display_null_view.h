#pragma once
// A bar display that shows nothing, for measuring and counting what the tick itself does.

#include <string>

#include "app/clock_display.h"

namespace kalvoro {

class NullDateLine final : public IDateLine {
public:
    int LineCount() const override { return 1; }
    const std::string& Line(int) const override { return line_; }
    void SetFirstLine(const std::string& line) override { line_ = line; }
    bool Active() const override { return false; }
    void SetActive(bool) override {}
    int CurrentLine() const override { return 0; }
    void ShowLine(int) override {}

private:
    std::string line_;
};

class NullBar final : public IBarDisplay {
public:
    void ShowTime(const char* hhmmss) override { last_second = hhmmss[7]; }
    void SetHint(const std::string&) override {}
    IDateLine& DateLine() override { return line; }
    void UpdateClockHands(DateTime, bool) override {}

    volatile char last_second = 0;
    NullDateLine line;
};

}  // namespace kalvoro
