#include "online/announcement_actions.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

struct RecordingShell final : IShellActions {
    bool ShellOpen(std::string_view target) override {
        opened.emplace_back(target);
        return open_succeeds;
    }
    void RunCommand(std::string_view command_line) override { commands.emplace_back(command_line); }
    bool open_succeeds = true;
    std::vector<std::string> opened;
    std::vector<std::string> commands;
};

struct FakeStartPage final : IStartPage {
    std::string Read() override { return page; }
    bool Write(std::string_view address) override {
        ++writes;
        if (!write_succeeds) return false;
        page = address;
        return true;
    }
    std::string page;
    bool write_succeeds = true;
    int writes = 0;
};

struct FakeHomePageUi final : IHomePageUi {
    void ShowAlreadySponsored() override { ++thanks; }
    bool AskToSetStartPage(std::string_view current, std::string_view proposed) override {
        asked.emplace_back(std::string(current) + " -> " + std::string(proposed));
        return accept;
    }
    bool accept = true;
    int thanks = 0;
    std::vector<std::string> asked;
};

TEST(OpenAddressTest, OpensTextAndFallsBackToChoosingAProgramForPages) {
    struct Case {
        const char* text;
        bool open_succeeds;
        int opened;
        int commands;
    };
    const Case cases[] = {
        {"", true, 0, 0},
        {"  \t ", true, 0, 0},
        {"http://a.org/", true, 1, 0},
        {"http://a.org/news.htm", false, 1, 1},
        {"C:\\Pages\\NEWS.HTM", false, 1, 1},
        {"http://a.org/news.html", false, 1, 0},
        {"http://a.org/htm", false, 1, 0},
        {"C:\\a.htm\\readme", false, 1, 0},
    };
    for (const Case& c : cases) {
        RecordingShell shell;
        shell.open_succeeds = c.open_succeeds;
        OpenAddress(c.text, shell);
        EXPECT_EQ(static_cast<int>(shell.opened.size()), c.opened) << c.text;
        ASSERT_EQ(static_cast<int>(shell.commands.size()), c.commands) << c.text;
        if (c.commands) {
            EXPECT_EQ(shell.commands[0], "RunDLL32.exe Shell32.dll,OpenAs_RunDLL *.htm");
        }
    }
}

TEST(OfferHomePageTest, ThanksWhenSetAndWritesOnlyWhenAccepted) {
    FakeStartPage page;
    FakeHomePageUi ui;
    page.page = "http://start/";
    EXPECT_EQ(OfferHomePage("http://start/", page, ui), HomePageOffer::kAlreadySet);
    EXPECT_EQ(ui.thanks, 1);
    EXPECT_TRUE(ui.asked.empty());

    ui.accept = false;
    EXPECT_EQ(OfferHomePage("http://new/", page, ui), HomePageOffer::kDeclined);
    EXPECT_EQ(page.page, "http://start/");
    EXPECT_EQ(page.writes, 0);

    ui.accept = true;
    EXPECT_EQ(OfferHomePage("http://new/", page, ui), HomePageOffer::kAccepted);
    EXPECT_EQ(page.page, "http://new/");
    EXPECT_EQ(ui.asked, (std::vector<std::string>{"http://start/ -> http://new/", "http://start/ -> http://new/"}));

    // A failed write still counts as accepted: the window closed with OK.
    page.write_succeeds = false;
    EXPECT_EQ(OfferHomePage("http://other/", page, ui), HomePageOffer::kAccepted);
    EXPECT_EQ(page.page, "http://new/");
}

TEST(DateLineClickTest, LineNumberPicksTheAnnouncementAndItsKindTheAction) {
    const std::vector<TADRec> ads = {{1, "a", "", "http://one/"}, {3, "b", "", "http://three/"}, {5, "", "", "x"}};
    struct Case {
        int line;
        AnnouncementAction action;
        const char* link;
    };
    const Case cases[] = {
        {-1, AnnouncementAction::kNone, ""},
        {0, AnnouncementAction::kNone, ""},
        {1, AnnouncementAction::kOpenAddress, "http://one/"},
        {2, AnnouncementAction::kOfferHomePage, "http://three/"},
        {3, AnnouncementAction::kNone, ""},
        {4, AnnouncementAction::kNone, ""},
    };
    for (const Case& c : cases) {
        const AnnouncementClick click = ResolveDateLineClick(c.line, ads);
        EXPECT_EQ(click.action, c.action) << c.line;
        EXPECT_EQ(click.link, c.link) << c.line;
    }

    RecordingShell shell;
    FakeStartPage page;
    FakeHomePageUi ui;
    RunDateLineClick(1, ads, shell, page, ui);
    RunDateLineClick(2, ads, shell, page, ui);
    RunDateLineClick(3, ads, shell, page, ui);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://one/"}));
    EXPECT_EQ(page.page, "http://three/");
}

}  // namespace
}  // namespace kalvoro
