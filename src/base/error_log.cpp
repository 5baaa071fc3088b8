#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/guard.h"

namespace kalvoro {

void LogSwallowedError(const char* where, const char* what) noexcept {
    try {
        std::string line = "Kalvoro: ";
        line += where ? where : "?";
        line += ": ";
        line += what ? what : "?";
        line += "\n";
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
