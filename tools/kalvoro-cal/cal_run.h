#pragma once
// kalvoro-cal without its platform: arguments in, text out, exit code back.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/date_time.h"

namespace kalvoro::cal {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadArguments = 2;

struct RunContext {
    DateTime now = 0;        // local date and time: the default month and the highlighted day
    bool highlight = false;  // stdout is a terminal that shows reverse video
    std::function<void(std::string_view)> write_out;
    std::function<void(std::string_view)> write_error;
};

int RunCal(std::span<const std::string> arguments, const RunContext& context);

}  // namespace kalvoro::cal
