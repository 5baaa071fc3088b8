#pragma once
// TADThread: downloads the announcement file in the background, stores a new one in "Sup\" and
// posts kMsgAnnouncementsReady (0x0403) to the bar. It owns everything it uses and ends by itself;
// at most one runs at a time.
//
//   if (auto request = CheckAnnouncements(files, AppDir, addresses.announcements, now, SystemDateLocale()))
//       StartAnnouncementThread(*request, bar_hwnd);

#include <windows.h>

#include "online/announcements.h"
#include "online/win32/http_get.h"

namespace kalvoro::win {

enum class AnnouncementDownload {
    kSaved,   // a new "Sup\Ad.his", 0x0403 posted
    kNotNew,  // the body was refused or repeats the stored id: nothing touched
    kNetworkFailed,
    kDiskFailed,  // "Sup\" unusable or the write failed: the old file stays
};

// The thread's work, run on the calling thread (the tests call it directly).
AnnouncementDownload RunAnnouncementDownload(const AnnouncementRequest& request, HWND notify,
                                             const HttpGetLimits& limits = {});

// TimerAD's first check: kFirstAnnouncementCheckMs after start, or sooner when the environment
// variable KALVORO_FIRST_AD_CHECK_MS holds a number of milliseconds from 1 to that (for trying the
// announcements against a test server without waiting five minutes). Read once, at start.
inline constexpr wchar_t kFirstCheckDelayVariable[] = L"KALVORO_FIRST_AD_CHECK_MS";
unsigned FirstAnnouncementCheckDelayMs();

// Starts the thread; false when one is still running or it could not start.
bool StartAnnouncementThread(AnnouncementRequest request, HWND notify, const HttpGetLimits& limits = {});
bool AnnouncementThreadRunning();

// Files of ours in "Sup\" other than the one just written (a temporary a crash left behind): plain
// files only, never a directory or a link, never outside the folder.
void RemoveStaleAnnouncementFiles(const std::wstring& folder, const std::wstring& keep_name);

}  // namespace kalvoro::win
