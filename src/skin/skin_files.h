#pragma once
// Where packages live and how the settings name them. Paths are UTF-8 in the Windows form built
// from AppDir (which ends in "\").

#include <optional>
#include <string>
#include <string_view>

#include "base/file_store.h"

namespace kalvoro {

// The settings name a bar skin and a clock skin by their bare file names in these folders, and the
// window skin by a path relative to the application folder.
inline constexpr std::string_view kBarSkinFolder = "Skin\\";
inline constexpr std::string_view kClockSkinFolder = "Clock\\";
inline constexpr std::string_view kBarSkinExtension = ".sk";
inline constexpr std::string_view kClockSkinExtension = ".cl";

// A temporary file some skin tools leave in the application folder; the bar deletes a stale one
// when it is destroyed.
inline constexpr std::string_view kSkinDoneTempName = "SkinDone.tmp";

// AppDir + "Skin\" + name, AppDir + "Clock\" + name, AppDir + relative path; nothing for an empty
// value, which names no file.
std::optional<std::string> BarSkinPath(std::string_view app_dir, std::string_view file_name);
std::optional<std::string> ClockSkinPath(std::string_view app_dir, std::string_view file_name);
std::optional<std::string> WindowSkinPath(std::string_view app_dir, std::string_view relative_path);

// The package's bytes; nothing when the file is missing or unreadable (the window then keeps its
// look).
std::optional<std::string> ReadSkinPackageFile(IFileStore& files, const std::string& path);

}  // namespace kalvoro
