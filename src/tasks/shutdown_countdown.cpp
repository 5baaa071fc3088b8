#include "tasks/shutdown_countdown.h"

#include "base/date_time.h"

namespace kalvoro {

bool ShutdownCountdown::Tick() {
    --seconds_left_;
    if (seconds_left_ < 1) return true;
    text_ = IntToZeroStr(seconds_left_, 2);
    return false;
}

}  // namespace kalvoro
