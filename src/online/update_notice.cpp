#include "online/update_notice.h"

#include "base/gbk.h"
#include "online/announcements.h"
#include "online/text_lines.h"

namespace kalvoro {

std::string NewVersionMessage(std::string_view web_site) {
    return std::string(kNewVersionText) + "\r\n\r\n" + std::string(web_site);
}

bool IsNewVersionNotice(std::string_view text) {
    return SplitTextLines(text).size() > 2;
}

bool UpdateNotice::OnUpdateNotice(std::string_view gbk_text) {
    if (!IsNewVersionNotice(gbk_text)) return false;
    // Without the popup program the notice goes unseen, but it still arrived.
    popup_.ShowText(NewVersionMessage(web_site_));
    WriteUpgradeHistory();
    return true;
}

bool UpdateNotice::WriteUpgradeHistory() {
    const std::string line = Utf8ToGbk(FormatAnnouncementStamp(clock_.Now(), locale_)) + "\r\n";
    const std::string path = app_dir_ + kUpgradeHistoryFileName;
    if (files_.ReadAll(path) == line) return true;
    return files_.WriteAtomic(path, line);
}

}  // namespace kalvoro
