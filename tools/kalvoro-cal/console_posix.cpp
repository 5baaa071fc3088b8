#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "console.h"

namespace kalvoro::cal {

DateTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return 0;
    return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                          {local.tm_hour, local.tm_min, local.tm_sec, 0});
}

bool StdoutShowsReverseVideo() {
    return isatty(STDOUT_FILENO) != 0;
}

void WriteStdout(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void WriteStderr(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

}  // namespace kalvoro::cal
