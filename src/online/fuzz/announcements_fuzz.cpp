// Feeds arbitrary bytes to every reader of downloaded or stored announcement text: the header and
// its date, the download rules, the records, the date line and its click, the update notice.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_store.h"
#include "online/announcement_actions.h"
#include "online/announcements.h"
#include "online/update_notice.h"

namespace {

struct NullShell final : kalvoro::IShellActions {
    bool ShellOpen(std::string_view) override { return false; }
    void RunCommand(std::string_view) override {}
};
struct NullStartPage final : kalvoro::IStartPage {
    std::string Read() override { return {}; }
    bool Write(std::string_view) override { return true; }
};
struct NullUi final : kalvoro::IHomePageUi {
    void ShowAlreadySponsored() override {}
    bool AskToSetStartPage(std::string_view, std::string_view) override { return true; }
};
struct NullPopup final : kalvoro::IPopupSender {
    bool ShowText(std::string_view) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvoro;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DateLocale& locale = ChineseDateLocale();
    const DateTime now = EncodeDate(2026, 12, 10) + EncodeTime(12, 0, 0);

    MemoryFileStore files;
    files.Put("C:\\K\\Sup\\Ad.his", std::string(bytes));
    CheckAnnouncements(files, "C:\\K\\", "http://127.0.0.1/AD/AD003.txt", now, locale);
    ParseAnnouncementStamp(bytes, locale);

    const std::size_t split = size ? static_cast<unsigned char>(bytes[0]) % (size + 1) : 0;
    const std::optional<std::string> file =
        PrepareAnnouncementFile(bytes, bytes.substr(0, split), "2026/12/10 12:00:00");
    const LoadedAnnouncements stored = LoadAnnouncements(files, "C:\\K\\");
    const std::vector<TADRec> records = ParseAnnouncements(file ? std::string_view(*file) : bytes);
    if (records.size() > kMaxAnnouncements || stored.list.size() > kMaxAnnouncements) __builtin_trap();

    const std::vector<std::string> lines = DateLineWithAnnouncements({"<FontCN>date"}, records);
    if (lines.size() != records.size() + 1) __builtin_trap();
    NullShell shell;
    NullStartPage start_page;
    NullUi ui;
    for (int line = -1; line <= static_cast<int>(records.size()) + 1; ++line) {
        RunDateLineClick(line, records, shell, start_page, ui);
    }

    FakeClock clock(now);
    NullPopup popup;
    UpdateNotice notice(files, "C:\\K\\", clock, locale, popup, "http://kalvoro.org/");
    notice.OnUpdateNotice(bytes);
    return 0;
}
