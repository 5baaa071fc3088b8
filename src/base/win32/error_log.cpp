#include <windows.h>

#include <cstdio>
#include <string>

#include "base/error_line.h"
#include "base/guard.h"

namespace kalvoro {

// A swallowed error goes to the debugger's output and, when KALVORO_LOG names a file, to the end
// of that file.
void LogSwallowedError(const char* where, const char* what) noexcept {
    try {
        const std::string line = SwallowedErrorLine(where, what);
        ::OutputDebugStringA(line.c_str());
        wchar_t path[MAX_PATH];
        const DWORD length = ::GetEnvironmentVariableW(L"KALVORO_LOG", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;
        FILE* file = _wfopen(path, L"ab");
        if (!file) return;
        std::fputs(line.c_str(), file);
        std::fclose(file);
    } catch (...) {
    }
}

}  // namespace kalvoro
