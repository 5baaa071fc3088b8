#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/error_line.h"
#include "base/guard.h"

namespace kalvoro {

void LogSwallowedError(const char* where, const char* what) noexcept {
    try {
        const std::string line = SwallowedErrorLine(where, what);
        std::fputs(line.c_str(), stderr);
        const char* path = std::getenv("KALVORO_LOG");
        if (!path || !*path) return;
        FILE* file = std::fopen(path, "ab");
        if (!file) return;
        std::fputs(line.c_str(), file);
        std::fclose(file);
    } catch (...) {
    }
}

}  // namespace kalvoro
