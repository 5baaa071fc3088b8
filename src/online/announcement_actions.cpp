#include "online/announcement_actions.h"

#include "online/text_lines.h"

namespace kalvoro {
namespace {

// The extension after the last dot of the last path part, upper-cased ASCII; empty when none.
std::string UpperExtension(std::string_view text) {
    const std::size_t dot = text.find_last_of(".\\/:");
    if (dot == std::string_view::npos || text[dot] != '.') return {};
    std::string extension(text.substr(dot));
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return extension;
}

}  // namespace

void OpenAddress(std::string_view text, IShellActions& shell) {
    if (TrimBlanks(text).empty()) return;
    if (shell.ShellOpen(text)) return;
    if (UpperExtension(text) == ".HTM") shell.RunCommand(kOpenAsCommand);
}

HomePageOffer OfferHomePage(std::string_view link, IStartPage& start_page, IHomePageUi& ui) {
    const std::string current = start_page.Read();
    if (current == link) {
        ui.ShowAlreadySponsored();
        return HomePageOffer::kAlreadySet;
    }
    if (!ui.AskToSetStartPage(current, link)) return HomePageOffer::kDeclined;
    start_page.Write(link);
    return HomePageOffer::kAccepted;
}

AnnouncementClick ResolveDateLineClick(int current_line, const std::vector<TADRec>& announcements) {
    if (current_line < 1 || static_cast<std::size_t>(current_line) > announcements.size()) return {};
    const TADRec& record = announcements[static_cast<std::size_t>(current_line) - 1];
    if (record.kind == kAnnouncementOpenAddress) return {AnnouncementAction::kOpenAddress, record.link};
    if (record.kind == kAnnouncementOfferHomePage) return {AnnouncementAction::kOfferHomePage, record.link};
    return {};
}

void RunDateLineClick(int current_line, const std::vector<TADRec>& announcements, IShellActions& shell,
                      IStartPage& start_page, IHomePageUi& ui) {
    const AnnouncementClick click = ResolveDateLineClick(current_line, announcements);
    if (click.action == AnnouncementAction::kOpenAddress) OpenAddress(click.link, shell);
    if (click.action == AnnouncementAction::kOfferHomePage) OfferHomePage(click.link, start_page, ui);
}

}  // namespace kalvoro
