#pragma once
// What the synchroniser needs from the system: a way to ask a server for the time and a way to
// set the clock. Win32 code implements them (win32/winsock_time_transport.h,
// win32/system_time_setter.h); tests fake them, so no test ever sets the machine's clock.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/date_time.h"

namespace kalvoro {

// What came back from one exchange with a server.
struct TransportReply {
    bool answered = false;  // false: refused, unreachable, silent, or stopped
    std::string bytes;      // what arrived (RFC 868: up to four bytes; SNTP: one datagram)
    std::uint32_t round_trip_ms = 0;
};

class ITimeTransport {
public:
    virtual ~ITimeTransport() = default;
    // RFC 868: connect to the host's port 37 (with a time limit), then read until four bytes have
    // arrived, waiting at most 2500 ms of silence each time. answered only with four bytes;
    // round_trip_ms runs from the start of the wait to the fourth byte.
    virtual TransportReply QueryTimeProtocol(const std::string& host) = 0;
    // SNTP: send the request to the host's UDP port 123 and wait at most 4 s for one datagram.
    virtual TransportReply QuerySntp(const std::string& host, std::string_view request) = 0;
    // Asked from another thread: end any connect, read or wait in progress at once.
    virtual void Cancel() = 0;
};

struct SetTimeResult {
    bool ok = false;
    std::string reason;  // why it failed, for the user ("没有修改系统时间的权限")
};

class ISystemTimeSetter {
public:
    virtual ~ISystemTimeSetter() = default;
    virtual SetTimeResult SetUtc(DateTime utc) = 0;
};

}  // namespace kalvoro
