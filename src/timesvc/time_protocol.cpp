#include "timesvc/time_protocol.h"

#include <cmath>

namespace kalvoro {
namespace {

constexpr std::int64_t kEraSeconds = std::int64_t{1} << 32;
constexpr std::uint32_t kEraPivot = std::uint32_t{1} << 31;

std::uint32_t ReadBigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint64_t ReadBigEndian64(std::string_view bytes, std::size_t at) {
    return (std::uint64_t{ReadBigEndian32(bytes, at)} << 32) | ReadBigEndian32(bytes, at + 4);
}

ServerTime TimeWithDelay(std::uint32_t raw_seconds, std::uint32_t round_trip_ms) {
    if (raw_seconds == 0) return {true, 0};
    const std::uint32_t half = round_trip_ms / 2;
    return {false, UnfoldEra(raw_seconds) + half / 1000};
}

}  // namespace

std::int64_t UnfoldEra(std::uint32_t seconds) {
    return seconds < kEraPivot ? kEraSeconds + seconds : std::int64_t{seconds};
}

std::uint32_t HalfRoundTripMs(std::uint32_t sent_tick, std::uint32_t received_tick) {
    // Unsigned subtraction is modulo 2^32, so a wrap of the tick counter in between is harmless.
    return static_cast<std::uint32_t>(received_tick - sent_tick) / 2;
}

std::optional<ServerTime> ReadTimeProtocolReply(std::string_view bytes, std::uint32_t round_trip_ms) {
    if (bytes.size() != 4) return std::nullopt;
    return TimeWithDelay(ReadBigEndian32(bytes, 0), round_trip_ms);
}

std::string MakeSntpRequest(std::uint64_t stamp) {
    std::string packet(kSntpPacketSize, '\0');
    packet[0] = static_cast<char>((0 << 6) | (4 << 3) | 3);  // no leap warning, version 4, client
    for (int i = 0; i < 8; ++i) packet[40 + i] = static_cast<char>((stamp >> (56 - 8 * i)) & 0xFF);
    return packet;
}

std::optional<ServerTime> ReadSntpReply(std::string_view bytes, std::uint64_t stamp, std::uint32_t round_trip_ms) {
    if (bytes.size() < kSntpPacketSize) return std::nullopt;
    const auto first = static_cast<unsigned char>(bytes[0]);
    const int leap = first >> 6;
    const int version = (first >> 3) & 7;
    const int mode = first & 7;
    const auto stratum = static_cast<unsigned char>(bytes[1]);
    if (mode != 4 || version < 1 || leap == 3 || stratum == 0) return std::nullopt;
    if (ReadBigEndian64(bytes, 24) != stamp) return std::nullopt;
    const std::uint32_t seconds = ReadBigEndian32(bytes, 40);
    if (seconds == 0) return std::nullopt;
    return TimeWithDelay(seconds, round_trip_ms);
}

DateTime DateTimeFromSeconds1900(std::int64_t seconds) {
    static const DateTime kEpoch = EncodeDate(1900, 1, 1);
    const std::int64_t days = seconds / 86400;
    const std::int64_t rest = seconds % 86400;
    return kEpoch + static_cast<double>(days) + static_cast<double>(rest) / 86400.0;
}

std::int64_t Seconds1900FromDateTime(DateTime utc) {
    static const DateTime kEpoch = EncodeDate(1900, 1, 1);
    return static_cast<std::int64_t>(std::llround((utc - kEpoch) * 86400.0));
}

}  // namespace kalvoro
