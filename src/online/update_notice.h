#pragma once
// The update notice: an update checker outside the program hands the bar a text; more than two
// lines mean a new version, which the popup program announces and "Upgrade.his" records.
// Message numbers are fixed: outside programs send them.

#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/date_time.h"
#include "base/file_store.h"
#include "base/popup_protocol.h"

namespace kalvoro {

inline constexpr unsigned kMsgUpdateNotice = 0x0401;        // WM_USER + 1: a notice text
inline constexpr unsigned kMsgUpdateCheckDone = 0x0402;     // WM_USER + 2: checked, nothing new
inline constexpr unsigned kMsgAnnouncementsReady = 0x0403;  // WM_USER + 3: "Sup\Ad.his" was saved
// WM_COPYDATA with this dwData carries a notice from another program: GBK text with its NUL.
inline constexpr unsigned long kUpdateNoticeCopyDataId = 0x0401;

inline constexpr char kUpgradeHistoryFileName[] = "Upgrade.his";
inline constexpr char kNewVersionText[] = "Kalvoro有新版本啦，快来升级吧!";

// The popup text: the notice, an empty line and the web site.
std::string NewVersionMessage(std::string_view web_site);
// A notice means a new version when its text has more than two lines.
bool IsNewVersionNotice(std::string_view text);

class UpdateNotice {
public:
    UpdateNotice(IFileStore& files, std::string app_dir, IClock& clock, const DateLocale& locale, IPopupSender& popup,
                 std::string web_site)
        : files_(files),
          app_dir_(std::move(app_dir)),
          clock_(clock),
          locale_(locale),
          popup_(popup),
          web_site_(std::move(web_site)) {}

    // 0x0401 with its text (GBK); true when it announced a new version.
    bool OnUpdateNotice(std::string_view gbk_text);
    // 0x0402.
    void OnUpdateCheckDone() { WriteUpgradeHistory(); }
    // "Upgrade.his": the current date and time, one line.
    bool WriteUpgradeHistory();

private:
    IFileStore& files_;
    std::string app_dir_;
    IClock& clock_;
    const DateLocale& locale_;
    IPopupSender& popup_;
    std::string web_site_;
};

}  // namespace kalvoro
