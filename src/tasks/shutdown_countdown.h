#pragma once
// The shutdown countdown's seconds: the window shows 10 when it opens, then 09, 08 ... 01 once a
// second, and closes (as if "立即关机" were pressed) on the tick after 01.

#include <string>

namespace kalvoro {

class ShutdownCountdown {
public:
    static constexpr int kSeconds = 10;

    // One timer tick; true when the time is up and the window closes with OK.
    bool Tick();
    const std::string& Text() const { return text_; }
    int SecondsLeft() const { return seconds_left_; }

private:
    int seconds_left_ = kSeconds;
    std::string text_ = "10";
};

}  // namespace kalvoro
