#include "app/win32/census_log.h"

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/win32/testing/gdi_census.h"

namespace kalvoro::win {
namespace {

struct CensusSwitch {
    std::wstring file;
    ULONGLONG period_ms = 60000;
    ULONGLONG next_sample = 0;
};

CensusSwitch ReadSwitch() {
    CensusSwitch census;
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"KALVORO_CENSUS", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return census;
    census.file.assign(buffer, length);
    wchar_t seconds[16] = {};
    if (::GetEnvironmentVariableW(L"KALVORO_CENSUS_SECONDS", seconds, 16) > 0) {
        const long value = std::wcstol(seconds, nullptr, 10);
        if (value > 0) census.period_ms = static_cast<ULONGLONG>(value) * 1000;
    }
    return census;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lparam) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId()) return TRUE;
    auto& count = *reinterpret_cast<DWORD*>(lparam);
    ++count;
    ::EnumChildWindows(hwnd, CountWindow, lparam);
    return TRUE;
}

// Windows are the USER objects that leak in practice; Windows itself answers directly.
DWORD LiveUserObjectCount() {
    if (const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)) return reported;
    DWORD count = 0;
    ::EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Kernel handles. Wine answers 0 to GetProcessHandleCount; the system-wide handle list (each entry
// naming its process) answers there as on Windows.
DWORD LiveKernelHandleCount() {
    DWORD reported = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &reported) && reported > 0) return reported;
    using QuerySystem = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll ? reinterpret_cast<QuerySystem>(
                                   reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtQuerySystemInformation")))
                             : nullptr;
    if (!query) return 0;
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<unsigned char> buffer(256 * 1024);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 64 * 1024));
            continue;
        }
        if (status < 0) return 0;
        const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
        const ULONG pid = ::GetCurrentProcessId();
        DWORD count = 0;
        for (ULONG i = 0; i < list->Count; ++i) count += list->Handle[i].OwnerPid == pid;
        return count;
    }
    return 0;
}

void AppendSample(const std::wstring& file) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    const DWORD handles = LiveKernelHandleCount();
    char line[96];
    const int length =
        std::snprintf(line, sizeof(line), "%lu %lu %llu %lu\r\n", testing::LiveGdiObjectCount(), LiveUserObjectCount(),
                      static_cast<unsigned long long>(memory.WorkingSetSize / 1024), handles);
    HANDLE out = ::CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(out, line, static_cast<DWORD>(length), &written, nullptr);
    ::CloseHandle(out);
}

}  // namespace

void TickCensusLog() {
    static CensusSwitch census = ReadSwitch();
    if (census.file.empty()) return;
    const ULONGLONG now = ::GetTickCount64();
    if (now < census.next_sample) return;
    // On the period's own grid, so a late tick does not shift every later sample (the soak driver
    // keeps quiet around the expected moments); a long stall starts the grid again.
    const bool stalled = census.next_sample == 0 || now - census.next_sample >= census.period_ms;
    census.next_sample = (stalled ? now : census.next_sample) + census.period_ms;
    AppendSample(census.file);
}

}  // namespace kalvoro::win
