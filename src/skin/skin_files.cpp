#include "skin/skin_files.h"

namespace kalvoro {
namespace {

std::optional<std::string> JoinSkinPath(std::string_view app_dir, std::string_view folder, std::string_view name) {
    if (name.empty()) return std::nullopt;
    std::string path(app_dir);
    path += folder;
    path += name;
    return path;
}

}  // namespace

std::optional<std::string> BarSkinPath(std::string_view app_dir, std::string_view file_name) {
    return JoinSkinPath(app_dir, kBarSkinFolder, file_name);
}

std::optional<std::string> ClockSkinPath(std::string_view app_dir, std::string_view file_name) {
    return JoinSkinPath(app_dir, kClockSkinFolder, file_name);
}

std::optional<std::string> WindowSkinPath(std::string_view app_dir, std::string_view relative_path) {
    return JoinSkinPath(app_dir, "", relative_path);
}

std::optional<std::string> ReadSkinPackageFile(IFileStore& files, const std::string& path) {
    if (path.empty()) return std::nullopt;
    return files.ReadAll(path);
}

}  // namespace kalvoro
