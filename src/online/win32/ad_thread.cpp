#include "online/win32/ad_thread.h"

#include <atomic>
#include <cwchar>
#include <thread>

#include "base/file_store.h"
#include "base/win32/handles.h"
#include "base/win32/text.h"
#include "base/win32/window.h"
#include "online/update_notice.h"

namespace kalvoro::win {
namespace {

std::atomic<bool> g_running{false};

DateTime LocalNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return EncodeDate(now.wYear, now.wMonth, now.wDay) + EncodeTime(now.wHour, now.wMinute, now.wSecond);
}

bool IsPlainFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// "Sup\" beside the file: made when missing; a link or a file of that name is not used.
bool PrepareFolder(const std::wstring& folder) {
    if (IsPlainFolder(folder)) return true;
    if (::GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    return ::CreateDirectoryW(folder.c_str(), nullptr) && IsPlainFolder(folder);
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                          static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view head) {
    return text.size() >= head.size() && EqualsIgnoringCase(text.substr(0, head.size()), head);
}

}  // namespace

void RemoveStaleAnnouncementFiles(const std::wstring& folder, const std::wstring& keep_name) {
    // The file store writes "<name>.tmp<process>-<n>" beside its target and renames it.
    const std::wstring temporary_head = keep_name + L".tmp";
    WIN32_FIND_DATAW found{};
    const FindHandle find(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (!find) return;
    do {
        const std::wstring_view name = found.cFileName;
        constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
        if (found.dwFileAttributes & kNotPlain) continue;
        if (name.find_first_of(L"\\/:") != std::wstring_view::npos) continue;
        if (!StartsWithIgnoringCase(name, temporary_head)) continue;
        const std::wstring path = folder + std::wstring(name);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
    } while (::FindNextFileW(find.get(), &found));
}

AnnouncementDownload RunAnnouncementDownload(const AnnouncementRequest& request, HWND notify,
                                             const HttpGetLimits& limits) {
    HttpGetLimits capped = limits;
    if (capped.max_bytes > kMaxAnnouncementDownloadBytes) capped.max_bytes = kMaxAnnouncementDownloadBytes;
    const std::optional<std::string> body = HttpGetToMemory(request.url, capped);
    if (!body) return AnnouncementDownload::kNetworkFailed;
    const std::optional<std::string> file =
        PrepareAnnouncementFile(*body, request.last_id, FormatAnnouncementStamp(LocalNow(), SystemDateLocale()));
    if (!file) return AnnouncementDownload::kNotNew;

    const std::wstring path = Widen(request.file_name);
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return AnnouncementDownload::kDiskFailed;
    const std::wstring folder = path.substr(0, slash + 1);
    const std::wstring name = path.substr(slash + 1);
    if (!PrepareFolder(folder.substr(0, folder.size() - 1))) return AnnouncementDownload::kDiskFailed;
    // The target itself must be a plain file when it exists: never write through a link.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        return AnnouncementDownload::kDiskFailed;
    }
    // Written in one step: the old file stays whole until the new one is complete.
    if (!DiskFileStore().WriteAtomic(request.file_name, *file)) return AnnouncementDownload::kDiskFailed;
    RemoveStaleAnnouncementFiles(folder, name);
    if (notify) ::PostMessageW(notify, kMsgAnnouncementsReady, 0, 0);
    return AnnouncementDownload::kSaved;
}

bool StartAnnouncementThread(AnnouncementRequest request, HWND notify, const HttpGetLimits& limits) {
    bool expected = false;
    if (!g_running.compare_exchange_strong(expected, true)) return false;
    try {
        std::thread([request = std::move(request), notify, limits] {
            Guarded([&] { RunAnnouncementDownload(request, notify, limits); });
            g_running = false;
        }).detach();
        return true;
    } catch (...) {
        g_running = false;
        return false;
    }
}

unsigned FirstAnnouncementCheckDelayMs() {
    wchar_t value[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(kFirstCheckDelayVariable, value, 16);
    if (length == 0 || length >= 16) return kFirstAnnouncementCheckMs;
    wchar_t* end = nullptr;
    const unsigned long delay = std::wcstoul(value, &end, 10);
    if (end == value || *end != L'\0' || delay == 0 || delay > kFirstAnnouncementCheckMs)
        return kFirstAnnouncementCheckMs;
    return static_cast<unsigned>(delay);
}

bool AnnouncementThreadRunning() {
    return g_running;
}

}  // namespace kalvoro::win
