#pragma once
// The process's live GDI objects, for the tests that check nothing leaks. GetGuiResources answers
// on Windows; Wine answers 0 there, so under Wine the objects are counted in the handle table that
// gdi32 itself reads (PEB::GdiSharedHandleTable, 24-byte entries with the object type at byte 14;
// a free entry has type 0).

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace kalvoro::win::testing {

inline DWORD LiveGdiObjectCount() {
    if (const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return reported;
#if defined(_WIN64)
    constexpr std::size_t kTableOffsetInPeb = 0xF8;
    constexpr std::size_t kEntrySize = 24;
    constexpr std::size_t kTypeOffset = 14;
    constexpr std::size_t kEntries = 0x10000;
    // The thread block's pointer to the process block (what NtCurrentTeb()->ProcessEnvironmentBlock
    // reads, without the compiler's out-of-bounds warning about gs-relative reads).
    const std::byte* peb = nullptr;
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
    const auto* table = *reinterpret_cast<const std::byte* const*>(peb + kTableOffsetInPeb);
    if (!table) return 0;
    DWORD live = 0;
    for (std::size_t i = 0; i < kEntries; ++i) live += table[i * kEntrySize + kTypeOffset] != std::byte{0};
    return live;
#else
    return 0;
#endif
}

}  // namespace kalvoro::win::testing
