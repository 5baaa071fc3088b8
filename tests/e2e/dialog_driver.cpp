#include "e2e/dialog_driver.h"

#include <sstream>

#include "base/date_time.h"
#include "e2e/pixels.h"

namespace kalvoro::e2e {

namespace {

constexpr wchar_t kSkinnedDialogClass[] = L"KalvoroSkinnedDialog";
constexpr wchar_t kMessageBoxClass[] = L"#32770";

struct ChildSearch {
    const std::wstring* text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND child, LPARAM lparam) {
    auto& search = *reinterpret_cast<ChildSearch*>(lparam);
    if (TextOf(child) != *search.text) return TRUE;
    search.found = child;
    return FALSE;
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(std::wstring name, const std::wstring& value) : name_(std::move(name)) {
    wchar_t old[1024] = {};
    const DWORD length = ::GetEnvironmentVariableW(name_.c_str(), old, 1024);
    if (length > 0 && length < 1024) previous_ = old;
    ::SetEnvironmentVariableW(name_.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    ::SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

HWND FindDialog(const AppUnderTest& app, const std::wstring& caption) {
    for (HWND dialog : app.WindowsOfClass(kSkinnedDialogClass)) {
        if (TextOf(dialog) == caption) return dialog;
    }
    return nullptr;
}

HWND WaitForDialog(const AppUnderTest& app, const std::wstring& caption, std::chrono::milliseconds timeout) {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindDialog(app, caption)) != nullptr; }, timeout);
    return dialog;
}

std::vector<HWND> MessageBoxes(const AppUnderTest& app) {
    return app.WindowsOfClass(kMessageBoxClass);
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                               &copied)) {
        return {};
    }
    return text;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    ChildSearch search{&text, nullptr};
    ::EnumChildWindows(parent, MatchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND button) {
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

void Type(HWND control, const std::wstring& text) {
    for (const wchar_t unit : text) ::PostMessageW(control, WM_CHAR, unit, 1);
}

void ChooseComboItem(HWND dialog, int combo_id, int index) {
    const HWND combo = ::GetDlgItem(dialog, combo_id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo_id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SnapshotWindow(HWND window, const std::wstring& name) {
    // The dialogs fade in; the picture is for people to look at, not a check.
    PumpFor(std::chrono::milliseconds(400));
    SaveSnapshot(CaptureWindow(window), name);
}

SYSTEMTIME LocalTimeIn(int seconds) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FILETIME file_time{};
    ::SystemTimeToFileTime(&now, &file_time);
    ULARGE_INTEGER ticks{{file_time.dwLowDateTime, file_time.dwHighDateTime}};
    ticks.QuadPart += static_cast<ULONGLONG>(seconds) * 10'000'000ULL;
    file_time = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME at{};
    ::FileTimeToSystemTime(&file_time, &at);
    return at;
}

std::string TaskTimeText(const SYSTEMTIME& at) {
    return IntToZeroStr(at.wHour, 2) + "时" + IntToZeroStr(at.wMinute, 2) + "分" + IntToZeroStr(at.wSecond, 2) + "秒";
}

std::vector<std::string> ReadLogLines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFileBytes(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

}  // namespace kalvoro::e2e
