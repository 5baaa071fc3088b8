#include "e2e/unix_side.h"

#include <windows.h>

#include "e2e/app_under_test.h"

namespace kalvoro::e2e {
namespace {

using UnixFileNameFunction = char*(CDECL*)(const wchar_t*);

std::wstring WideOf(const std::string& text) {
    std::wstring wide;
    for (const char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

// Creating a file fails while the folder is immutable.
bool FolderAcceptsNewFiles(const std::wstring& folder) {
    const std::wstring probe = folder + L"\\immutable-probe.tmp";
    const HANDLE file =
        ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    ::DeleteFileW(probe.c_str());
    return true;
}

// Single quotes for the shell around a path of ours (no quote inside).
std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

}  // namespace

std::string UnixPathOf(const std::wstring& windows_path) {
    const auto convert = reinterpret_cast<UnixFileNameFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    char* unix_path = convert(windows_path.c_str());
    if (!unix_path) return {};
    std::string result(unix_path);
    ::HeapFree(::GetProcessHeap(), 0, unix_path);
    return result;
}

bool RunUnixScript(const std::string& script, std::chrono::milliseconds timeout) {
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"kalvoro-e2e-unix-" + std::to_wstring(::GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++counter);
    const std::wstring script_path = base + L".sh";
    const std::wstring done_path = base + L".done";
    ::DeleteFileW(done_path.c_str());
    // The marker appears whole, by a rename, once the script has run.
    const std::string marker_part = UnixPathOf(done_path) + ".part";
    WriteFileBytes(script_path, script + "\ntouch " + Quoted(marker_part) + " && mv " + Quoted(marker_part) + " " +
                                    Quoted(UnixPathOf(done_path)) + "\n");
    std::wstring command = L"/bin/sh " + WideOf(UnixPathOf(script_path));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return false;
    }
    if (info.hThread) ::CloseHandle(info.hThread);
    if (info.hProcess) ::CloseHandle(info.hProcess);
    const bool done =
        WaitFor([&] { return ::GetFileAttributesW(done_path.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeout);
    ::DeleteFileW(done_path.c_str());
    ::DeleteFileW(script_path.c_str());
    return done;
}

ImmutableFolder::ImmutableFolder(const std::wstring& windows_path)
    : windows_path_(windows_path), unix_path_(UnixPathOf(windows_path)) {
    if (unix_path_.empty() || !RunUnixScript("chattr +i " + Quoted(unix_path_))) return;
    locked_ = !FolderAcceptsNewFiles(windows_path_);
}

ImmutableFolder::~ImmutableFolder() {
    if (!unix_path_.empty()) RunUnixScript("chattr -i " + Quoted(unix_path_));
}

}  // namespace kalvoro::e2e
