#pragma once
// What a click on an announcement does, free of the platform: the host hands in the shell, the
// browser start page and the start-page window through the small interfaces below.

#include <string>
#include <string_view>
#include <vector>

#include "online/announcements.h"

namespace kalvoro {

inline constexpr char kOpenAsCommand[] = "RunDLL32.exe Shell32.dll,OpenAs_RunDLL *.htm";
inline constexpr char kHomePageCaption[] = "赞助软件作者";
inline constexpr char kHomePageIntro[] = "本软件是免费软件，为支持作者的艰辛工作......";
inline constexpr char kHomePageRequest[] = "请点击“确定”按钮，将下列网址设为浏览器主页，谢谢！";
inline constexpr char kHomePageCurrentPrefix[] = "当前主页: ";
inline constexpr char kHomePageNewPrefix[] = "修改为: ";
inline constexpr char kAlreadySponsoredText[] = "您已经赞助过软件作者，谢谢！";
inline constexpr char kAlreadySponsoredCaption[] = "信息";

class IShellActions {
public:
    virtual ~IShellActions() = default;
    // Opens an address or file with its program; false when the shell could not.
    virtual bool ShellOpen(std::string_view target) = 0;
    // Runs a command line in a normal window.
    virtual void RunCommand(std::string_view command_line) = 0;
};

// The browser's start page (current user).
class IStartPage {
public:
    virtual ~IStartPage() = default;
    virtual std::string Read() = 0;  // empty when not set
    virtual bool Write(std::string_view address) = 0;
};

// The start-page window and its message.
class IHomePageUi {
public:
    virtual ~IHomePageUi() = default;
    virtual void ShowAlreadySponsored() = 0;
    // TFormHomePage: true for 确定.
    virtual bool AskToSetStartPage(std::string_view current, std::string_view proposed) = 0;
};

// OpenAddress: nothing for blank text; a page the shell cannot open lets the user pick a program.
void OpenAddress(std::string_view text, IShellActions& shell);

enum class HomePageOffer { kAlreadySet, kDeclined, kAccepted };
// OfferHomePage: the write's own failure is ignored, as the user already agreed.
HomePageOffer OfferHomePage(std::string_view link, IStartPage& start_page, IHomePageUi& ui);

// The date line's click: line i (1..count) is announcement i.
enum class AnnouncementAction { kNone, kOpenAddress, kOfferHomePage };
struct AnnouncementClick {
    AnnouncementAction action = AnnouncementAction::kNone;
    std::string link;
};
AnnouncementClick ResolveDateLineClick(int current_line, const std::vector<TADRec>& announcements);

// Runs the action of a click; what the host calls from the date line's click handler.
void RunDateLineClick(int current_line, const std::vector<TADRec>& announcements, IShellActions& shell,
                      IStartPage& start_page, IHomePageUi& ui);

}  // namespace kalvoro
