#pragma once
// Which of the three kinds a package is meant to be, so that checks and reports use its keys.

#include <span>
#include <string_view>

#include "skin/skin_keys.h"
#include "skin/skin_package.h"

namespace kalvoro::skinpack {

enum class PackageKind { kBar, kWindow, kClock };

// Clock skins carry "ClockVer" and live in ".cl" files; a package whose description has a "WIN"
// section and no "BAR" section is a window skin; anything else a bar skin.
PackageKind KindOf(const SkinPackage& package, std::string_view file_name);

std::string_view KindName(PackageKind kind);
std::string_view VersionKey(PackageKind kind);
std::span<const SkinPieceKey> PiecesOf(PackageKind kind);
std::span<const SkinColorKey> ColorsOf(PackageKind kind);

}  // namespace kalvoro::skinpack
