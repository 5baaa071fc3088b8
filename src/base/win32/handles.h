#pragma once
// One owning type per handle kind, each released by the call that matches its acquisition.
// Copies are deleted; moves transfer ownership.

#include <windows.h>

#include <utility>

namespace kalvoro::win {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Traits::Invalid()));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE rather than null.
struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
struct MappedViewTraits {
    static void* Invalid() { return nullptr; }
    static void Close(void* view) { ::UnmapViewOfFile(view); }
};
struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) { ::DestroyWindow(h); }
};
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { ::DestroyIcon(h); }
};
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { ::DestroyMenu(h); }
};
struct AtomTraits {
    static ATOM Invalid() { return 0; }
    static void Close(ATOM a) { ::GlobalDeleteAtom(a); }
};

using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;
using MappedView = UniqueHandle<void*, MappedViewTraits>;
using WindowHandle = UniqueHandle<HWND, WindowTraits>;
using IconHandle = UniqueHandle<HICON, IconTraits>;
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;
using GlobalAtom = UniqueHandle<ATOM, AtomTraits>;

}  // namespace kalvoro::win
