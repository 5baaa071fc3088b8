#pragma once
// The machine's local wall clock as the calendar sees it.

#include <windows.h>

#include "base/clock.h"

namespace kalvoro::win {

class LocalTimeClock final : public IClock {
public:
    DateTime Now() override {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        return EncodeDateTime({now.wYear, now.wMonth, now.wDay},
                              {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds});
    }
};

}  // namespace kalvoro::win
