#pragma once
// The time protocols over Winsock. Every wait (connect, read, the SNTP answer) is on the socket's
// event together with a cancel event, so Cancel from another thread ends it at once; the sockets
// are non-blocking and every wait has its time limit.

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "base/win32/handles.h"
#include "timesvc/time_protocol.h"
#include "timesvc/time_sync_ports.h"

namespace kalvoro::win {

struct TimeTransportOptions {
    std::uint16_t time_protocol_port = kTimeProtocolPort;
    std::uint16_t sntp_port = kSntpPort;
    std::uint32_t connect_timeout_ms = kConnectTimeoutMs;
    std::uint32_t silence_ms = kTimeProtocolSilenceMs;
    std::uint32_t sntp_timeout_ms = kSntpTimeoutMs;
};

class WinsockTimeTransport final : public ITimeTransport {
public:
    explicit WinsockTimeTransport(TimeTransportOptions options = {});
    ~WinsockTimeTransport() override;
    WinsockTimeTransport(const WinsockTimeTransport&) = delete;
    WinsockTimeTransport& operator=(const WinsockTimeTransport&) = delete;

    TransportReply QueryTimeProtocol(const std::string& host) override;
    TransportReply QuerySntp(const std::string& host, std::string_view request) override;
    // Ends the exchange in progress and every later one.
    void Cancel() override;

private:
    TimeTransportOptions options_;
    bool winsock_started_ = false;
    KernelHandle cancel_event_;
    std::atomic<bool> cancelled_{false};
};

}  // namespace kalvoro::win
