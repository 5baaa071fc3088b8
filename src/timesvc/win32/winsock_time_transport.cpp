#include "timesvc/win32/winsock_time_transport.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace kalvoro::win {
namespace {

class Socket {
public:
    explicit Socket(SOCKET socket) : socket_(socket) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() {
        if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
    }
    SOCKET get() const { return socket_; }
    explicit operator bool() const { return socket_ != INVALID_SOCKET; }

private:
    SOCKET socket_;
};

class WsaEvent {
public:
    WsaEvent() : event_(::WSACreateEvent()) {}
    WsaEvent(const WsaEvent&) = delete;
    WsaEvent& operator=(const WsaEvent&) = delete;
    ~WsaEvent() {
        if (event_ != WSA_INVALID_EVENT) ::WSACloseEvent(event_);
    }
    WSAEVENT get() const { return event_; }
    explicit operator bool() const { return event_ != WSA_INVALID_EVENT; }

private:
    WSAEVENT event_;
};

// One resolved address, copied out of the resolver's list.
struct Address {
    int family = 0;
    int socket_type = 0;
    int protocol = 0;
    sockaddr_storage storage{};
    int length = 0;
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&storage); }
};

// Name resolution cannot be interrupted, so it runs on a thread of its own that shares only this
// state: a stop does not wait for it, and the thread finishes alone and frees what it used.
struct Resolution {
    KernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::optional<Address> address;
};

constexpr DWORD kResolveTimeoutMs = 10000;

std::optional<Address> Resolve(const std::string& host, std::uint16_t port, int socket_type, HANDLE cancel_event) {
    auto resolution = std::make_shared<Resolution>();
    if (!resolution->done) return std::nullopt;
    try {
        std::thread([resolution, host, port, socket_type] {
            WSADATA data{};
            const bool started = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
            addrinfo hints{};
            hints.ai_family = AF_UNSPEC;
            hints.ai_socktype = socket_type;
            hints.ai_protocol = socket_type == SOCK_STREAM ? IPPROTO_TCP : IPPROTO_UDP;
            addrinfo* list = nullptr;
            if (started && ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) == 0 && list &&
                list->ai_addrlen <= sizeof(sockaddr_storage)) {
                Address address;
                address.family = list->ai_family;
                address.socket_type = list->ai_socktype;
                address.protocol = list->ai_protocol;
                std::memcpy(&address.storage, list->ai_addr, list->ai_addrlen);
                address.length = static_cast<int>(list->ai_addrlen);
                resolution->address = address;
            }
            if (list) ::freeaddrinfo(list);
            if (started) ::WSACleanup();
            ::SetEvent(resolution->done.get());
        }).detach();
    } catch (...) {
        return std::nullopt;  // no thread to be had
    }
    const HANDLE handles[] = {cancel_event, resolution->done.get()};
    if (::WaitForMultipleObjects(2, handles, FALSE, kResolveTimeoutMs) != WAIT_OBJECT_0 + 1) return std::nullopt;
    return resolution->address;
}

enum class Wait { kReady, kTimeout, kCancelled, kFailed };

// Waits for network events on the socket, at most timeout_ms, or until the cancel event is set.
Wait WaitForSocket(SOCKET socket, WSAEVENT socket_event, HANDLE cancel_event, DWORD timeout_ms,
                   WSANETWORKEVENTS& events) {
    const HANDLE handles[] = {cancel_event, socket_event};
    const DWORD woke = ::WaitForMultipleObjects(2, handles, FALSE, timeout_ms);
    if (woke == WAIT_OBJECT_0) return Wait::kCancelled;
    if (woke == WAIT_TIMEOUT) return Wait::kTimeout;
    if (woke != WAIT_OBJECT_0 + 1) return Wait::kFailed;
    events = {};
    if (::WSAEnumNetworkEvents(socket, socket_event, &events) != 0) return Wait::kFailed;
    return Wait::kReady;
}

DWORD Elapsed(DWORD since) {
    return ::GetTickCount() - since;
}

}  // namespace

WinsockTimeTransport::WinsockTimeTransport(TimeTransportOptions options)
    : options_(options), cancel_event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    WSADATA data{};
    winsock_started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockTimeTransport::~WinsockTimeTransport() {
    if (winsock_started_) ::WSACleanup();
}

void WinsockTimeTransport::Cancel() {
    cancelled_.store(true);
    if (cancel_event_) ::SetEvent(cancel_event_.get());
}

TransportReply WinsockTimeTransport::QueryTimeProtocol(const std::string& host) {
    TransportReply reply;
    if (!winsock_started_ || !cancel_event_ || cancelled_.load()) return reply;
    const std::optional<Address> address = Resolve(host, options_.time_protocol_port, SOCK_STREAM, cancel_event_.get());
    if (!address || cancelled_.load()) return reply;

    const Socket socket(::socket(address->family, address->socket_type, address->protocol));
    const WsaEvent socket_event;
    if (!socket || !socket_event) return reply;
    // Makes the socket non-blocking and reports its events on socket_event.
    if (::WSAEventSelect(socket.get(), socket_event.get(), FD_CONNECT | FD_READ | FD_CLOSE) != 0) return reply;

    WSANETWORKEVENTS events{};
    if (::connect(socket.get(), address->get(), address->length) != 0) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK) return reply;
        const DWORD started = ::GetTickCount();
        for (;;) {
            const DWORD spent = Elapsed(started);
            if (spent >= options_.connect_timeout_ms) return reply;
            const Wait wait = WaitForSocket(socket.get(), socket_event.get(), cancel_event_.get(),
                                            options_.connect_timeout_ms - spent, events);
            if (wait != Wait::kReady) return reply;
            if (events.lNetworkEvents & FD_CONNECT) {
                if (events.iErrorCode[FD_CONNECT_BIT] != 0) return reply;  // refused or unreachable
                break;
            }
            if (events.lNetworkEvents & FD_CLOSE) return reply;
        }
    }

    const DWORD waiting_since = ::GetTickCount();
    char bytes[4];
    int got = 0;
    while (got < 4) {
        const int read = ::recv(socket.get(), bytes + got, 4 - got, 0);
        if (read > 0) {
            got += read;
            continue;
        }
        if (read == 0) return reply;  // closed before four bytes arrived
        if (::WSAGetLastError() != WSAEWOULDBLOCK) return reply;
        // Each wait for more data is limited to the silence limit.
        const Wait wait =
            WaitForSocket(socket.get(), socket_event.get(), cancel_event_.get(), options_.silence_ms, events);
        if (wait != Wait::kReady) return reply;
    }
    reply.round_trip_ms = Elapsed(waiting_since);
    reply.bytes.assign(bytes, 4);
    reply.answered = true;
    return reply;
}

TransportReply WinsockTimeTransport::QuerySntp(const std::string& host, std::string_view request) {
    TransportReply reply;
    if (!winsock_started_ || !cancel_event_ || cancelled_.load()) return reply;
    const std::optional<Address> address = Resolve(host, options_.sntp_port, SOCK_DGRAM, cancel_event_.get());
    if (!address || cancelled_.load()) return reply;

    const Socket socket(::socket(address->family, address->socket_type, address->protocol));
    const WsaEvent socket_event;
    if (!socket || !socket_event) return reply;
    if (::WSAEventSelect(socket.get(), socket_event.get(), FD_READ) != 0) return reply;
    // A connected datagram socket takes answers from that server only.
    if (::connect(socket.get(), address->get(), address->length) != 0) return reply;

    const DWORD sent_at = ::GetTickCount();
    if (::send(socket.get(), request.data(), static_cast<int>(request.size()), 0) != static_cast<int>(request.size()))
        return reply;
    char datagram[512];
    for (;;) {
        const DWORD spent = Elapsed(sent_at);
        if (spent >= options_.sntp_timeout_ms) return reply;
        const int read = ::recv(socket.get(), datagram, sizeof(datagram), 0);
        if (read >= 0) {
            reply.round_trip_ms = Elapsed(sent_at);
            reply.bytes.assign(datagram, static_cast<std::size_t>(read));
            reply.answered = true;
            return reply;
        }
        const int error = ::WSAGetLastError();
        // A datagram larger than the buffer is no SNTP answer; an ICMP "port unreachable" ends it.
        if (error != WSAEWOULDBLOCK && error != WSAEMSGSIZE) return reply;
        WSANETWORKEVENTS events{};
        const Wait wait = WaitForSocket(socket.get(), socket_event.get(), cancel_event_.get(),
                                        options_.sntp_timeout_ms - spent, events);
        if (wait != Wait::kReady) return reply;
    }
}

}  // namespace kalvoro::win
