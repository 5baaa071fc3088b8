#pragma once
// Announcements from the web site: when to fetch "Sup\Ad.his" again, which downloads replace it,
// how it reads back into announcement records, and the date line's announcement lines.
//
// The file is GBK text with CR LF lines. Line 0 is the header "id|interval|date time" (the server's
// copy holds only "id|interval" and ends with a line "$"); then records, each a line "*" followed
// by kind, text, note and link.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "base/file_store.h"

namespace kalvoro {

inline constexpr char kAnnouncementFolder[] = "Sup\\";
inline constexpr char kAnnouncementFileName[] = "Ad.his";
inline constexpr char kAnnouncementServerPath[] = "AD/AD003.txt";
inline constexpr int kDefaultAnnouncementIntervalDays = 3;
// A server file is a few lines; anything larger is not ours and is refused unread.
inline constexpr std::size_t kMaxAnnouncementDownloadBytes = 256 * 1024;
// The date line shows each announcement for a few seconds: more would never come round.
inline constexpr std::size_t kMaxAnnouncements = 100;
// Text, note and link longer than this are cut (GBK bytes, never inside a character).
inline constexpr std::size_t kMaxAnnouncementFieldBytes = 1024;

// Kinds with a click action; 0 and 2 are dropped while reading, others are kept without action.
inline constexpr int kAnnouncementOpenAddress = 1;
inline constexpr int kAnnouncementOfferHomePage = 3;

// One announcement (TADRec), texts in UTF-8.
struct TADRec {
    int kind = 0;
    std::string text;  // only for kinds 1 and 3
    std::string note;
    std::string link;
    friend bool operator==(const TADRec&, const TADRec&) = default;
};

// The header of the stored file.
struct AnnouncementHeader {
    std::string id;  // GBK bytes, compared as they are
    int interval_days = kDefaultAnnouncementIntervalDays;
    DateTime last = 0;  // 0: no readable date
};

// The download date as written into the header: the locale's short date and long time.
std::string FormatAnnouncementStamp(DateTime value, const DateLocale& locale);
// Reads a date and time written in the locale's short date order, with an optional time; nothing
// for text that is not a valid date.
std::optional<DateTime> ParseAnnouncementStamp(std::string_view text, const DateLocale& locale);

AnnouncementHeader ParseAnnouncementHeader(std::string_view line, const DateLocale& locale);
// False while a stored announcement with an id is younger than its interval in whole days.
bool AnnouncementsDue(const AnnouncementHeader& header, DateTime now);

// What the download thread is given.
struct AnnouncementRequest {
    std::string url;
    std::string last_id;    // GBK bytes, empty when nothing is stored
    std::string file_name;  // app_dir + "Sup\Ad.his"
};

// CheckAnnouncements: reads the stored header and says whether to download, and what.
std::optional<AnnouncementRequest> CheckAnnouncements(IFileStore& files, const std::string& app_dir,
                                                      std::string_view url, DateTime now, const DateLocale& locale);

// TimerAD: the first check five minutes after start; after each check the timer is set again for
// when the stored announcement falls due, at least an hour later (a failed download is not retried
// at once) and at most a day (a changed clock is noticed within a day).
inline constexpr unsigned kFirstAnnouncementCheckMs = 5 * 60 * 1000;
inline constexpr unsigned kMinAnnouncementCheckMs = 60 * 60 * 1000;
inline constexpr unsigned kMaxAnnouncementCheckMs = 24 * 60 * 60 * 1000;
unsigned NextAnnouncementCheckMs(IFileStore& files, const std::string& app_dir, DateTime now, const DateLocale& locale);

// The thread's rules for a downloaded body: the file to store, or nothing when the body is empty,
// too large, incomplete (no final "$"), has a header without "|", or repeats the stored id.
std::optional<std::string> PrepareAnnouncementFile(std::string_view body, std::string_view last_id,
                                                   std::string_view stamp_utf8);

// The records of a stored file, kinds 0 and 2 dropped, at most kMaxAnnouncements.
std::vector<TADRec> ParseAnnouncements(std::string_view file_gbk);

struct LoadedAnnouncements {
    bool file_found = false;  // without the file the date line keeps its lines
    std::vector<TADRec> list;
};
// A stored file larger than a download could have made is junk and reads as no announcements.
LoadedAnnouncements LoadAnnouncements(IFileStore& files, const std::string& app_dir);

// The date line's lines after loading: line 0 kept (an empty one when there was none), then
// "<FontAD>" + text for each announcement in order.
std::vector<std::string> DateLineWithAnnouncements(const std::vector<std::string>& lines,
                                                   const std::vector<TADRec>& announcements);

}  // namespace kalvoro
