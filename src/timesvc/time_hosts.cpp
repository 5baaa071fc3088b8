#include "timesvc/time_hosts.h"

#include "base/gbk.h"

namespace kalvoro {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsUsableHost(std::string_view name) {
    if (name.empty() || name.size() > kMaxHostNameLength) return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> ParseTimeHosts(std::string_view gbk_bytes) {
    std::vector<std::string> hosts;
    std::size_t start = 0;
    while (start < gbk_bytes.size()) {
        std::size_t end = gbk_bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = gbk_bytes.size();
        const std::string_view line = TrimBlanks(gbk_bytes.substr(start, end - start));
        if (IsUsableHost(line)) hosts.push_back(GbkToUtf8(line));
        start = end + 1;
    }
    return hosts;
}

std::size_t ChooseHostIndex(std::size_t count, std::mt19937& random) {
    if (count <= 1) return 0;
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
}

}  // namespace kalvoro
