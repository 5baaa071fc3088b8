#pragma once
// Time servers on 127.0.0.1 inside the test process: a Time Protocol server (TCP) and an SNTP
// server (UDP) that answer exactly what a test tells them, stay silent or close early. They listen
// on ports the system picks and never on any other address.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace kalvoro::win::testing {

class WinsockUser {
public:
    WinsockUser() {
        WSADATA data{};
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { ::WSACleanup(); }
};

inline sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

inline std::uint16_t PortOf(SOCKET socket) {
    sockaddr_in address{};
    int length = sizeof(address);
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

// True when the socket has something to read within timeout_ms.
inline bool Readable(SOCKET socket, int timeout_ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval limit{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
    return ::select(0, &set, nullptr, nullptr, &limit) > 0;
}

// A port on 127.0.0.1 where nothing listens: connecting is refused.
inline std::uint16_t ClosedLoopbackPort() {
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(0);
    ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    const std::uint16_t port = PortOf(socket);
    ::closesocket(socket);
    return port;
}

enum class Rfc868Behaviour { kAnswer, kSilent, kCloseAtOnce };

class LocalTimeProtocolServer {
public:
    // kAnswer sends `bytes` (four for a proper answer, fewer to end early) and closes.
    LocalTimeProtocolServer(Rfc868Behaviour behaviour, std::string bytes = {})
        : behaviour_(behaviour), bytes_(std::move(bytes)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = Loopback(0);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        ::listen(listener_, 4);
        port_ = PortOf(listener_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LocalTimeProtocolServer() {
        stop_.store(true);
        thread_.join();
        ::closesocket(listener_);
    }
    std::uint16_t port() const { return port_; }
    int connections() const { return connections_.load(); }
    // A client is connected and being kept waiting.
    bool holding() const { return holding_.load(); }

private:
    void Serve() {
        while (!stop_.load()) {
            if (!Readable(listener_, 20)) continue;
            const SOCKET client = ::accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            connections_.fetch_add(1);
            if (behaviour_ == Rfc868Behaviour::kAnswer) {
                ::send(client, bytes_.data(), static_cast<int>(bytes_.size()), 0);
            } else if (behaviour_ == Rfc868Behaviour::kSilent) {
                holding_.store(true);
                // Silent until the client gives up or the test ends.
                char ignored[16];
                while (!stop_.load()) {
                    if (Readable(client, 20) && ::recv(client, ignored, sizeof(ignored), 0) <= 0) break;
                }
                holding_.store(false);
            }
            ::shutdown(client, SD_BOTH);
            ::closesocket(client);
        }
    }

    Rfc868Behaviour behaviour_;
    std::string bytes_;
    SOCKET listener_ = INVALID_SOCKET;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::atomic<bool> holding_{false};
    std::thread thread_;
};

// Answers every SNTP request with `seconds` as its transmit time (0: stays silent).
class LocalSntpServer {
public:
    explicit LocalSntpServer(std::uint32_t seconds) : seconds_(seconds) {
        socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sockaddr_in address = Loopback(0);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        port_ = PortOf(socket_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LocalSntpServer() {
        stop_.store(true);
        thread_.join();
        ::closesocket(socket_);
    }
    std::uint16_t port() const { return port_; }
    int requests() const { return requests_.load(); }

private:
    void Serve() {
        while (!stop_.load()) {
            if (!Readable(socket_, 20)) continue;
            char request[512];
            sockaddr_in from{};
            int from_length = sizeof(from);
            const int got =
                ::recvfrom(socket_, request, sizeof(request), 0, reinterpret_cast<sockaddr*>(&from), &from_length);
            if (got < 48) continue;
            requests_.fetch_add(1);
            if (seconds_ == 0) continue;
            char answer[48] = {};
            answer[0] = static_cast<char>((4 << 3) | 4);
            answer[1] = 2;
            for (int i = 0; i < 8; ++i) answer[24 + i] = request[40 + i];
            for (int i = 0; i < 4; ++i) answer[40 + i] = static_cast<char>(seconds_ >> (24 - 8 * i));
            ::sendto(socket_, answer, sizeof(answer), 0, reinterpret_cast<sockaddr*>(&from), from_length);
        }
    }

    std::uint32_t seconds_;
    SOCKET socket_ = INVALID_SOCKET;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

}  // namespace kalvoro::win::testing
