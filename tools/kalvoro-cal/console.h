#pragma once
// The terminal kalvoro-cal runs in.

#include <string_view>

#include "base/date_time.h"

namespace kalvoro::cal {

DateTime LocalNow();
// True when standard output is a terminal that can show reverse video.
bool StdoutShowsReverseVideo();
void WriteStdout(std::string_view utf8);
void WriteStderr(std::string_view utf8);

}  // namespace kalvoro::cal
