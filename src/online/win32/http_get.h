#pragma once
// A plain HTTP GET into memory through WinINet, with limits on every wait and on the size, for the
// announcement download thread.

#include <cstddef>
#include <optional>
#include <string>

namespace kalvoro::win {

inline constexpr wchar_t kAnnouncementUserAgent[] = L"Mozilla/3.0 (compatible; Indy Library)";

struct HttpGetLimits {
    unsigned connect_ms = 15000;
    unsigned receive_ms = 15000;  // each wait for the next bytes
    unsigned total_ms = 60000;    // the whole download
    std::size_t max_bytes = 256 * 1024;
};

// The body of a 200 answer; nothing on any error, a time limit passed, or a body over max_bytes.
std::optional<std::string> HttpGetToMemory(const std::string& url, const HttpGetLimits& limits);

}  // namespace kalvoro::win
