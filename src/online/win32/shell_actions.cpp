#include "online/win32/shell_actions.h"

#include <shellapi.h>

#include "base/win32/handles.h"
#include "base/win32/text.h"
#include "online/win32/frm_home_page.h"

namespace kalvoro::win {
namespace {

struct RegistryKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY key) { ::RegCloseKey(key); }
};
using RegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;

// A start page longer than this is not one we would offer or show.
constexpr DWORD kMaxStartPageBytes = 8192;

}  // namespace

bool Win32ShellActions::ShellOpen(std::string_view target) {
    const std::wstring file = Widen(target);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info) != FALSE;
}

void Win32ShellActions::RunCommand(std::string_view command_line) {
    std::wstring command = Widen(command_line);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

std::string RegistryStartPage::Read() {
    std::wstring value(kMaxStartPageBytes / sizeof(wchar_t), L'\0');
    DWORD size = kMaxStartPageBytes;
    if (::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), kStartPageValue,
                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, value.data(),
                       &size) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return Narrow(value);
}

bool RegistryStartPage::Write(std::string_view address) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const RegistryKey key(raw);
    const std::wstring value = Widen(address);
    return ::RegSetValueExW(key.get(), kStartPageValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void Win32HomePageUi::ShowAlreadySponsored() {
    ::MessageBoxW(owner_, Widen(kAlreadySponsoredText).c_str(), Widen(kAlreadySponsoredCaption).c_str(),
                  MB_OK | MB_ICONINFORMATION);
}

bool Win32HomePageUi::AskToSetStartPage(std::string_view current, std::string_view proposed) {
    return ShowHomePageOffer(owner_, current, proposed);
}

void OpenAddressWithShell(std::string_view text) {
    Win32ShellActions shell;
    OpenAddress(text, shell);
}

void OfferHomePageFromBar(HWND owner, std::string_view link) {
    RegistryStartPage start_page;
    Win32HomePageUi ui(owner);
    OfferHomePage(link, start_page, ui);
}

void RunDateLineClickFromBar(HWND owner, int current_line, const std::vector<TADRec>& announcements) {
    Win32ShellActions shell;
    RegistryStartPage start_page;
    Win32HomePageUi ui(owner);
    RunDateLineClick(current_line, announcements, shell, start_page, ui);
}

}  // namespace kalvoro::win
