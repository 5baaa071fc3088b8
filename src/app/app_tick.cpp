#include "app/app_tick.h"

#include "base/guard.h"

namespace kalvoro {

DateTime AppTick::Run() {
    const DateTime now = clock_.Now();
    for (ITickListener* listener : listeners_) {
        if (listener) GuardedCall("tick", [&] { listener->OnTick(now); });
    }
    return now;
}

}  // namespace kalvoro
