#pragma once
// "TimeCheck.lst": one line, the local date and time just after the last successful
// synchronisation ("2011-03-05 08:30:02"), CR LF.

#include <string>

#include "base/date_time.h"
#include "base/file_store.h"

namespace kalvoro {

inline constexpr char kTimeCheckFileName[] = "TimeCheck.lst";

// "yyyy-mm-dd hh:mm:ss" of a local date-time.
std::string FormatSyncTime(DateTime local);

// Rewrites the file with the time; false when it could not be written (the old content stays).
bool WriteSyncHistory(IFileStore& files, const std::string& path, DateTime local);

// The file's first line without its line end; empty when the file is missing or empty.
std::string ReadLastSyncText(IFileStore& files, const std::string& path);

}  // namespace kalvoro
