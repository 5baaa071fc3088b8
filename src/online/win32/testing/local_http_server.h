#pragma once
// A one-purpose HTTP server for the download tests: listens on 127.0.0.1 only (an ephemeral port),
// answers every request with one fixed reply, or holds the connection open without a word.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kalvoro::win::testing {

class LocalHttpServer {
public:
    enum class Mode { kAnswer, kStall };

    LocalHttpServer(Mode mode, std::string body, int status = 200) : mode_(mode), body_(std::move(body)) {
        WSADATA data{};
        ::WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 4) != 0) {
            return;
        }
        int length = sizeof(address);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        status_line_ = "HTTP/1.0 " + std::to_string(status) + (status == 200 ? " OK" : " Error") + "\r\n";
        thread_ = std::thread([this] { Serve(); });
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;
    ~LocalHttpServer() {
        {
            const std::lock_guard guard(lock_);
            stopping_ = true;
        }
        released_.notify_all();
        ::closesocket(listener_);
        if (thread_.joinable()) thread_.join();
        ::WSACleanup();
    }

    int port() const { return port_; }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int Requests() const { return requests_; }
    std::string LastRequest() {
        const std::lock_guard guard(lock_);
        return last_request_;
    }

private:
    void Serve() {
        for (;;) {
            const SOCKET client = ::accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            std::string request;
            char buffer[2048];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int got = ::recv(client, buffer, sizeof(buffer), 0);
                if (got <= 0) break;
                request.append(buffer, got);
            }
            {
                const std::lock_guard guard(lock_);
                last_request_ = request;
            }
            ++requests_;
            if (mode_ == Mode::kStall) {
                std::unique_lock guard(lock_);
                released_.wait(guard, [this] { return stopping_; });
            } else {
                const std::string reply =
                    status_line_ + "Content-Type: text/plain\r\nContent-Length: " + std::to_string(body_.size()) +
                    "\r\nConnection: close\r\n\r\n" + body_;
                std::size_t sent = 0;
                while (sent < reply.size()) {
                    const int put = ::send(client, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
                    if (put <= 0) break;
                    sent += static_cast<std::size_t>(put);
                }
                ::shutdown(client, SD_SEND);
            }
            ::closesocket(client);
        }
    }

    Mode mode_;
    std::string body_;
    std::string status_line_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    std::mutex lock_;
    std::condition_variable released_;
    bool stopping_ = false;
    std::string last_request_;
    std::atomic<int> requests_{0};
};

}  // namespace kalvoro::win::testing
