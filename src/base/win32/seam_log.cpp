#include "base/win32/seam_log.h"

#include <windows.h>

#include "base/win32/handles.h"

namespace kalvoro::win {

std::wstring SeamLogFile(const wchar_t* variable) {
    wchar_t value[MAX_PATH * 2] = {};
    const DWORD length = ::GetEnvironmentVariableW(variable, value, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(value) : std::wstring();
}

void AppendSeamLine(const std::wstring& log_file, std::string_view line) {
    const FileHandle log(::CreateFileW(log_file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (log) ::WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace kalvoro::win
