#include "e2e/process_threads.h"

// The snapshot API needs the types of windows.h first.
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cwchar>

namespace kalvoro::e2e {
namespace {

struct AddressRange {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
};

AddressRange ModuleRange(DWORD pid, const wchar_t* name) {
    AddressRange range;
    const HANDLE modules = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (modules == INVALID_HANDLE_VALUE) return range;
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    for (BOOL more = ::Module32FirstW(modules, &module); more; more = ::Module32NextW(modules, &module)) {
        if (_wcsicmp(module.szModule, name) == 0) {
            range.begin = reinterpret_cast<std::uintptr_t>(module.modBaseAddr);
            range.end = range.begin + module.modBaseSize;
        }
    }
    ::CloseHandle(modules);
    return range;
}

}  // namespace

int RuntimeStartedThreads(DWORD pid) {
    using QueryThread = NTSTATUS(NTAPI*)(HANDLE, THREADINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryThread>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    constexpr auto kStartAddress = static_cast<THREADINFOCLASS>(9);  // ThreadQuerySetWin32StartAddress
    const AddressRange runtime = ModuleRange(pid, L"msvcrt.dll");
    if (runtime.begin == 0 || !query) return -1;
    const HANDLE threads = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (threads == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(threads, &entry); more; more = ::Thread32Next(threads, &entry)) {
        if (entry.th32OwnerProcessID != pid) continue;
        const HANDLE thread = ::OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        std::uintptr_t start = 0;
        if (query(thread, kStartAddress, &start, sizeof(start), nullptr) == 0 && start >= runtime.begin &&
            start < runtime.end) {
            ++count;
        }
        ::CloseHandle(thread);
    }
    ::CloseHandle(threads);
    return count;
}

}  // namespace kalvoro::e2e
