// popup_double.exe <bar window handle in decimal>: a stand-in for the popup program in end-to-end
// tests. It registers with the bar like the real one and appends everything the bar sends it to
// "popup_received.bin" beside itself, one record per message, flushed at once:
//   WM_COPYDATA  4-byte little-endian cbData, then the cbData raw bytes
//   0x04BD       4-byte 0xFFFFFFFF, then the 4-byte little-endian lParam
// It ends on 0x04BD with lParam 2 or when the bar's window is gone. With a file "popup_silent"
// beside it, it never registers (a popup program that hangs at start).

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "base/popup_protocol.h"

namespace {

constexpr std::uint32_t kNoticeRecordMarker = 0xFFFFFFFF;
constexpr UINT_PTR kBarWatchTimer = 1;
constexpr UINT kBarWatchIntervalMs = 250;
constexpr wchar_t kClassName[] = L"KalvoroPopupDouble";

HWND g_bar = nullptr;
std::wstring g_record_path;

void AppendLittleEndian(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendRecord(std::uint32_t head, const void* bytes, std::size_t count) {
    std::string record;
    AppendLittleEndian(record, head);
    if (count > 0) record.append(static_cast<const char*>(bytes), count);
    HANDLE file = CreateFileW(g_record_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

void RecordCopyData(const COPYDATASTRUCT* block) {
    // A block without data is kept as an empty one so that the file stays readable.
    if (block == nullptr || block->lpData == nullptr) {
        AppendRecord(0, nullptr, 0);
        return;
    }
    AppendRecord(block->cbData, block->lpData, block->cbData);
}

void RecordNotice(LPARAM notice) {
    std::string value;
    AppendLittleEndian(value, static_cast<std::uint32_t>(notice));
    AppendRecord(kNoticeRecordMarker, value.data(), value.size());
}

LRESULT CALLBACK DoubleProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COPYDATA:
            RecordCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
            return TRUE;
        case kalvoro::kMsgPopupNotify:
            RecordNotice(lparam);
            if (lparam == kalvoro::kPopupBarClosing) DestroyWindow(hwnd);
            return 0;
        case WM_TIMER:
            if (wparam == kBarWatchTimer && !IsWindow(g_bar)) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

HWND BarFromCommandLine() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return nullptr;
    HWND bar = nullptr;
    if (count >= 2) {
        wchar_t* end = nullptr;
        const long long value = std::wcstoll(argv[1], &end, 10);
        if (end != argv[1] && *end == L'\0' && value != 0) bar = reinterpret_cast<HWND>(static_cast<intptr_t>(value));
    }
    LocalFree(argv);
    return bar && IsWindow(bar) ? bar : nullptr;
}

std::wstring RecordPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"popup_received.bin";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_bar = BarFromCommandLine();
    if (!g_bar) return 1;
    g_record_path = RecordPath();

    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DoubleProc;
    window_class.hInstance = instance;
    window_class.lpszClassName = kClassName;
    if (!RegisterClassW(&window_class)) return 1;
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"popup double", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);
    if (!hwnd) return 1;
    SetTimer(hwnd, kBarWatchTimer, kBarWatchIntervalMs, nullptr);
    const std::wstring folder = g_record_path.substr(0, g_record_path.find_last_of(L'\\') + 1);
    const bool silent = GetFileAttributesW((folder + L"popup_silent").c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!silent) PostMessageW(g_bar, kalvoro::kMsgPopupRegister, 0, reinterpret_cast<LPARAM>(hwnd));

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
