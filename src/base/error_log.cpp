#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/guard.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kalvoro {

void LogSwallowedError(const char* where, const char* what) noexcept {
    try {
        std::string line = "Kalvoro: ";
        line += where ? where : "?";
        line += ": ";
        line += what ? what : "?";
        line += "\n";
#ifdef _WIN32
        ::OutputDebugStringA(line.c_str());
        wchar_t path[MAX_PATH];
        const DWORD length = ::GetEnvironmentVariableW(L"KALVORO_LOG", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;
        FILE* file = _wfopen(path, L"ab");
#else
        std::fputs(line.c_str(), stderr);
        const char* path = std::getenv("KALVORO_LOG");
        if (!path || !*path) return;
        FILE* file = std::fopen(path, "ab");
#endif
        if (!file) return;
        std::fputs(line.c_str(), file);
        std::fclose(file);
    } catch (...) {
    }
}

}  // namespace kalvoro
