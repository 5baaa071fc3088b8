#pragma once
// The Win32 side of the announcement links: the shell, the browser start page in the registry, and
// the start-page window. What the bar calls:
//
//   OpenAddressWithShell(addresses.web_site);                   // 主页, announcement kind 1
//   RunDateLineClickFromBar(bar, date_line.CurrentLine(), ad_list);  // AAFadeTextDateClick

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "online/announcement_actions.h"

namespace kalvoro::win {

inline constexpr wchar_t kStartPageKey[] = L"SoftWare\\MicroSoft\\Internet Explorer\\Main";
inline constexpr wchar_t kStartPageValue[] = L"Start Page";

class Win32ShellActions final : public IShellActions {
public:
    // ShellExecuteEx "Open", normal window, no error dialogs, waiting for DDE to finish.
    bool ShellOpen(std::string_view target) override;
    void RunCommand(std::string_view command_line) override;
};

// "Start Page" of the current user; the key is replaceable for tests.
class RegistryStartPage final : public IStartPage {
public:
    explicit RegistryStartPage(std::wstring key = kStartPageKey) : key_(std::move(key)) {}
    std::string Read() override;
    bool Write(std::string_view address) override;

private:
    std::wstring key_;
};

class Win32HomePageUi final : public IHomePageUi {
public:
    explicit Win32HomePageUi(HWND owner) : owner_(owner) {}
    void ShowAlreadySponsored() override;
    bool AskToSetStartPage(std::string_view current, std::string_view proposed) override;

private:
    HWND owner_;
};

void OpenAddressWithShell(std::string_view text);
void OfferHomePageFromBar(HWND owner, std::string_view link);
void RunDateLineClickFromBar(HWND owner, int current_line, const std::vector<TADRec>& announcements);

}  // namespace kalvoro::win
