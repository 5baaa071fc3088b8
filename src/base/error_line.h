#pragma once
// The one line the error log gets for a swallowed error, on every platform.

#include <string>

namespace kalvoro {

inline std::string SwallowedErrorLine(const char* where, const char* what) {
    std::string line = "Kalvoro: ";
    line += where ? where : "?";
    line += ": ";
    line += what ? what : "?";
    line += "\n";
    return line;
}

}  // namespace kalvoro
