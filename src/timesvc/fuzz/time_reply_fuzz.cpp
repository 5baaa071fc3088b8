// Any bytes as a time server's answer (Time Protocol and SNTP) and as "TimeHost.lst".

#include <cstddef>
#include <cstdint>
#include <random>
#include <string_view>

#include "timesvc/time_hosts.h"
#include "timesvc/time_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvoro;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::uint32_t round_trip =
        size >= 4 ? (std::uint32_t{data[0]} << 24 | data[1] << 16 | data[2] << 8 | data[3]) : 0;
    if (const auto time = ReadTimeProtocolReply(bytes.substr(0, 4), round_trip)) {
        (void)DateTimeFromSeconds1900(time->seconds_since_1900);
    }
    // The stamp the answer must echo is taken from the answer itself, so matching answers occur.
    std::uint64_t stamp = 0;
    for (std::size_t i = 24; i < 32 && i < size; ++i) stamp = (stamp << 8) | data[i];
    if (const auto time = ReadSntpReply(bytes, stamp, round_trip)) {
        (void)DateTimeFromSeconds1900(time->seconds_since_1900);
    }
    const auto hosts = ParseTimeHosts(bytes);
    if (!hosts.empty()) {
        std::mt19937 random(static_cast<std::uint32_t>(size));
        (void)hosts.at(ChooseHostIndex(hosts.size(), random));
    }
    return 0;
}
