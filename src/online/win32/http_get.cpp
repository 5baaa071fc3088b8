#include "online/win32/http_get.h"

#include <windows.h>
#include <wininet.h>

#include <iterator>

#include "base/win32/handles.h"
#include "base/win32/text.h"

namespace kalvoro::win {
namespace {

struct InternetHandleTraits {
    static HINTERNET Invalid() { return nullptr; }
    static void Close(HINTERNET h) { ::InternetCloseHandle(h); }
};
using InternetHandle = UniqueHandle<HINTERNET, InternetHandleTraits>;

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) {
    ::InternetSetOptionW(handle, option, &ms, sizeof(ms));
}

void SetTimeouts(HINTERNET handle, const HttpGetLimits& limits) {
    SetTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, limits.connect_ms);
    SetTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, limits.receive_ms);
    SetTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, limits.receive_ms);
}

}  // namespace

std::optional<std::string> HttpGetToMemory(const std::string& url, const HttpGetLimits& limits) {
    const ULONGLONG started = ::GetTickCount64();
    const InternetHandle session(
        ::InternetOpenW(kAnnouncementUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::nullopt;
    SetTimeouts(session.get(), limits);
    DWORD retries = 1;
    ::InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));

    // Connection, request and send step by step, so that every handle carries the time limits.
    std::wstring wide_url = Widen(url);
    wchar_t host[256] = {};
    wchar_t path[2048] = {};
    wchar_t extra[2048] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = static_cast<DWORD>(std::size(host));
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = static_cast<DWORD>(std::size(path));
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = static_cast<DWORD>(std::size(extra));
    if (!::InternetCrackUrlW(wide_url.c_str(), 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    const InternetHandle connection(
        ::InternetConnectW(session.get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return std::nullopt;
    SetTimeouts(connection.get(), limits);
    const std::wstring object = std::wstring(path[0] ? path : L"/") + extra;
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                  INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    const InternetHandle request(
        ::HttpOpenRequestW(connection.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) return std::nullopt;
    SetTimeouts(request.get(), limits);
    if (!::HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) return std::nullopt;

    DWORD status = 0;
    DWORD status_size = sizeof(status);
    if (!::HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &status_size,
                          nullptr) ||
        status != HTTP_STATUS_OK) {
        return std::nullopt;
    }
    // A declared length over the limit is refused before reading.
    wchar_t length_text[32] = {};
    DWORD length_size = sizeof(length_text);
    if (::HttpQueryInfoW(request.get(), HTTP_QUERY_CONTENT_LENGTH, length_text, &length_size, nullptr) &&
        _wcstoui64(length_text, nullptr, 10) > limits.max_bytes) {
        return std::nullopt;
    }

    std::string body;
    char buffer[8192];
    for (;;) {
        DWORD read = 0;
        if (!::InternetReadFile(request.get(), buffer, sizeof(buffer), &read)) return std::nullopt;
        if (read == 0) break;
        if (body.size() + read > limits.max_bytes) return std::nullopt;
        body.append(buffer, read);
        if (::GetTickCount64() - started > limits.total_ms) return std::nullopt;
    }
    return body;
}

}  // namespace kalvoro::win
