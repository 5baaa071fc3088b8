#include <windows.h>

#include <algorithm>
#include <atomic>
#include <new>

#include "base/file_store.h"
#include "base/file_store_names.h"
#include "base/gbk.h"
#include "base/win32/handles.h"

namespace kalvoro {
namespace {

std::wstring WidePath(std::string_view utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    std::wstring wide(utf16.begin(), utf16.end());
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return wide;
}

std::string NarrowName(const wchar_t* wide) {
    std::u16string utf16;
    for (; *wide != L'\0'; ++wide) utf16 += static_cast<char16_t>(*wide);
    return Utf16ToUtf8(utf16);
}

// Unique within the process and, through the process id, among running copies.
std::wstring TemporaryPathBeside(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    return target + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

bool WriteFully(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

class WinFileStore final : public IFileStore {
public:
    std::optional<std::string> ReadAll(const std::string& path) override {
        const win::FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return std::nullopt;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
        try {
            std::string bytes;
            bytes.reserve(static_cast<std::size_t>(size.QuadPart));
            char buffer[65536];
            for (;;) {
                DWORD count = 0;
                if (!ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr)) return std::nullopt;
                if (count == 0) break;
                bytes.append(buffer, count);
            }
            return bytes;
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
    }

    // Writes a temporary file beside the target, flushes it to the disk, then moves it over the
    // target with a write-through rename.
    bool WriteAtomic(const std::string& path, std::string_view bytes) override {
        const std::wstring target = WidePath(path);
        const std::wstring temporary = TemporaryPathBeside(target);
        win::FileHandle file(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        const bool written = WriteFully(file.get(), bytes) && FlushFileBuffers(file.get());
        const bool closed = CloseHandle(file.release()) != FALSE;
        if (!closed || !written || !ReplaceWith(temporary, target)) {
            DeleteFileW(temporary.c_str());
            return false;
        }
        return true;
    }

    // Another program reading the file (a virus scanner, an indexer, an editor) may hold it open
    // for a moment without letting it be replaced: such a refusal is tried again for half a second.
    static bool ReplaceWith(const std::wstring& temporary, const std::wstring& target) {
        constexpr int kAttempts = 20;
        constexpr DWORD kPauseMs = 25;
        for (int attempt = 1;; ++attempt) {
            if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return true;
            }
            const DWORD error = GetLastError();
            if (attempt == kAttempts || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
                return false;
            Sleep(kPauseMs);
        }
    }

    bool Exists(const std::string& path) override {
        return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool Remove(const std::string& path) override { return DeleteFileW(WidePath(path).c_str()) != FALSE; }

    std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override {
        std::wstring pattern = WidePath(folder);
        if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
        pattern += L'*';
        std::vector<std::string> names;
        WIN32_FIND_DATAW found{};
        const win::FindHandle search(FindFirstFileW(pattern.c_str(), &found));
        if (!search) return names;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
            std::string name = NarrowName(found.cFileName);
            if (file_store_names::EndsWithIgnoreCase(name, suffix)) names.push_back(std::move(name));
        } while (FindNextFileW(search.get(), &found));
        file_store_names::SortNames(names);
        return names;
    }
};

}  // namespace

IFileStore& DiskFileStore() {
    static WinFileStore store;
    return store;
}

}  // namespace kalvoro
