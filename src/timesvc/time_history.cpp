#include "timesvc/time_history.h"

#include "base/gbk.h"

namespace kalvoro {

std::string FormatSyncTime(DateTime local) {
    return FormatDateTime("yyyy-mm-dd hh:nn:ss", local);
}

bool WriteSyncHistory(IFileStore& files, const std::string& path, DateTime local) {
    if (path.empty()) return false;
    return files.WriteAtomic(path, FormatSyncTime(local) + "\r\n");
}

std::string ReadLastSyncText(IFileStore& files, const std::string& path) {
    const std::optional<std::string> bytes = files.ReadAll(path);
    if (!bytes) return {};
    const std::size_t end = bytes->find_first_of("\r\n");
    return GbkToUtf8(std::string_view(*bytes).substr(0, end));
}

}  // namespace kalvoro
