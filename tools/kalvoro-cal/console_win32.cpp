#include <windows.h>

#include <string>

#include "base/gbk.h"
#include "console.h"

namespace kalvoro::cal {
namespace {

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// A console takes UTF-16 whatever its code page; a file or pipe gets the UTF-8 bytes.
void Write(DWORD which, std::string_view utf8) {
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || utf8.empty()) return;
    if (IsConsole(handle)) {
        const std::u16string wide = Utf8ToUtf16(utf8);
        const auto* data = reinterpret_cast<const wchar_t*>(wide.data());
        std::size_t left = wide.size();
        while (left > 0) {
            const DWORD chunk = static_cast<DWORD>(left < 8192 ? left : 8192);
            DWORD written = 0;
            if (!WriteConsoleW(handle, data, chunk, &written, nullptr) || written == 0) return;
            data += written;
            left -= written;
        }
        return;
    }
    const char* data = utf8.data();
    std::size_t left = utf8.size();
    while (left > 0) {
        const DWORD chunk = static_cast<DWORD>(left < (1u << 20) ? left : (1u << 20));
        DWORD written = 0;
        if (!WriteFile(handle, data, chunk, &written, nullptr) || written == 0) return;
        data += written;
        left -= written;
    }
}

}  // namespace

DateTime LocalNow() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return EncodeDateTime({local.wYear, local.wMonth, local.wDay},
                          {local.wHour, local.wMinute, local.wSecond, local.wMilliseconds});
}

bool StdoutShowsReverseVideo() {
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
    if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0) return true;
    return SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

void WriteStdout(std::string_view utf8) {
    Write(STD_OUTPUT_HANDLE, utf8);
}

void WriteStderr(std::string_view utf8) {
    Write(STD_ERROR_HANDLE, utf8);
}

}  // namespace kalvoro::cal
