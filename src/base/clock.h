#pragma once
// The local wall clock, faked in tests.

#include "base/date_time.h"

namespace kalvoro {

class IClock {
public:
    virtual ~IClock() = default;
    virtual DateTime Now() = 0;  // local date and time
};

class FakeClock final : public IClock {
public:
    explicit FakeClock(DateTime now = 0) : now_(now) {}
    DateTime Now() override { return now_; }
    void Set(DateTime now) { now_ = now; }
    void AdvanceSeconds(double seconds) { now_ += seconds / 86400.0; }

private:
    DateTime now_;
};

}  // namespace kalvoro
