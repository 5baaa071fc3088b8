#pragma once
// Fakes of the synchroniser's ports: a transport that answers from a script and a clock setter
// that records.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "timesvc/time_protocol.h"
#include "timesvc/time_sync_ports.h"

namespace kalvoro::testing {

// Four big-endian bytes.
inline std::string Be32(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

// An SNTP server's answer to `request` with the given transmit seconds.
inline std::string SntpAnswer(std::string_view request, std::uint32_t seconds, int mode = 4, int stratum = 2) {
    std::string packet(kSntpPacketSize, '\0');
    packet[0] = static_cast<char>((4 << 3) | mode);
    packet[1] = static_cast<char>(stratum);
    for (int i = 0; i < 8; ++i) packet[24 + i] = request[40 + i];  // originate = the request's transmit
    const std::string transmit = Be32(seconds);
    for (int i = 0; i < 4; ++i) packet[40 + i] = transmit[i];
    return packet;
}

class ScriptedTransport final : public ITimeTransport {
public:
    struct Answer {
        bool answered = false;
        std::string bytes;
        std::uint32_t round_trip_ms = 0;
    };
    // Each query takes the next scripted answer; none left: no answer.
    std::deque<Answer> time_protocol;
    // SNTP answers carry these seconds (0 in the queue: silent).
    std::deque<std::uint32_t> sntp_seconds;
    std::uint32_t sntp_round_trip_ms = 0;

    std::vector<std::string> rfc868_hosts;
    std::vector<std::string> sntp_hosts;
    bool cancelled = false;

    TransportReply QueryTimeProtocol(const std::string& host) override {
        rfc868_hosts.push_back(host);
        if (time_protocol.empty()) return {};
        Answer answer = time_protocol.front();
        time_protocol.pop_front();
        return {answer.answered, answer.bytes, answer.round_trip_ms};
    }
    TransportReply QuerySntp(const std::string& host, std::string_view request) override {
        sntp_hosts.push_back(host);
        if (sntp_seconds.empty()) return {};
        const std::uint32_t seconds = sntp_seconds.front();
        sntp_seconds.pop_front();
        if (seconds == 0) return {};
        return {true, SntpAnswer(request, seconds), sntp_round_trip_ms};
    }
    void Cancel() override { cancelled = true; }
};

class RecordingSetter final : public ISystemTimeSetter {
public:
    SetTimeResult SetUtc(DateTime utc) override {
        std::lock_guard lock(mutex);
        set_times.push_back(utc);
        return result;
    }
    std::mutex mutex;
    std::vector<DateTime> set_times;
    SetTimeResult result{true, {}};
};

}  // namespace kalvoro::testing
