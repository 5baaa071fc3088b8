#pragma once
// The rules of the two time protocols the synchroniser speaks, free of sockets: the Time Protocol
// (RFC 868, TCP port 37: four bytes, seconds since 1900-01-01 00:00:00 UTC, big-endian) and, as
// the fallback for servers that no longer answer it, SNTP (RFC 4330, UDP port 123).
//
// Both count seconds in 32 bits from 1900, which runs out on 2036-02-07 06:28:16 UTC. A value
// below 2^31 is read as the next era (from 2036 on); such values would otherwise mean 1900 to
// 1968, which no server sends, so the clock keeps working after 2036.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.h"

namespace kalvoro {

inline constexpr std::uint16_t kTimeProtocolPort = 37;
inline constexpr std::uint16_t kSntpPort = 123;
inline constexpr std::uint32_t kTimeProtocolSilenceMs = 2500;
inline constexpr std::uint32_t kSntpTimeoutMs = 4000;
inline constexpr std::uint32_t kConnectTimeoutMs = 5000;
inline constexpr std::size_t kSntpPacketSize = 48;

// Seconds since 1900-01-01 00:00:00 UTC without the 32-bit wrap.
std::int64_t UnfoldEra(std::uint32_t seconds);

// Half the milliseconds between two tick counts; the counter may have wrapped in between.
std::uint32_t HalfRoundTripMs(std::uint32_t sent_tick, std::uint32_t received_tick);

// What a server said: no time at all (the value 0), or the UTC time, transit delay added.
struct ServerTime {
    bool no_time = false;
    std::int64_t seconds_since_1900 = 0;  // era unfolded, delay added
};

// The four bytes of a Time Protocol answer and the round trip in milliseconds (from the moment the
// client started waiting to the arrival of the fourth byte). Nothing for any other length.
// Half the round trip is added in whole seconds (remainder dropped): 1999 ms adds nothing, 3000 ms
// adds 1 s. The value 0 stands for no time.
std::optional<ServerTime> ReadTimeProtocolReply(std::string_view bytes, std::uint32_t round_trip_ms);

// The client's SNTP request: version 4, mode 3 (client), every other field 0 but the transmit
// timestamp, which carries `stamp` so the answer can be matched to it.
std::string MakeSntpRequest(std::uint64_t stamp);

// An SNTP answer to the request carrying `stamp`: mode 4 (server), not a kiss-o'-death (stratum 0),
// not unsynchronised (leap indicator 3), the originate timestamp echoing the request's and a
// transmit timestamp that is not 0. Its seconds take the same rules as a Time Protocol answer:
// era unfolded, half the round trip added in whole seconds, the fraction dropped.
std::optional<ServerTime> ReadSntpReply(std::string_view bytes, std::uint64_t stamp, std::uint32_t round_trip_ms);

// The UTC date-time of a second count since 1900.
DateTime DateTimeFromSeconds1900(std::int64_t seconds);
// The second count of a UTC date-time (rounded to the nearest second).
std::int64_t Seconds1900FromDateTime(DateTime utc);

}  // namespace kalvoro
