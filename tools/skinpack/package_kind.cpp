#include "package_kind.h"

#include <algorithm>
#include <cctype>

namespace kalvoro::skinpack {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

PackageKind KindOf(const SkinPackage& package, std::string_view file_name) {
    const auto& description = package.description();
    if (EndsWithIgnoringCase(file_name, ".cl") ||
        (!description.HasKey(skin_keys::kVersionSection, skin_keys::kSkinVersion) &&
         description.HasKey(skin_keys::kVersionSection, skin_keys::kClockVersion))) {
        return PackageKind::kClock;
    }
    if (description.HasSection("WIN") && !description.HasSection("BAR")) return PackageKind::kWindow;
    return PackageKind::kBar;
}

std::string_view KindName(PackageKind kind) {
    switch (kind) {
        case PackageKind::kBar:
            return "bar skin";
        case PackageKind::kWindow:
            return "window skin";
        case PackageKind::kClock:
            return "clock skin";
    }
    return "";
}

std::string_view VersionKey(PackageKind kind) {
    return kind == PackageKind::kClock ? skin_keys::kClockVersion : skin_keys::kSkinVersion;
}

std::span<const SkinPieceKey> PiecesOf(PackageKind kind) {
    switch (kind) {
        case PackageKind::kBar:
            return skin_keys::kBarSkinPieces;
        case PackageKind::kWindow:
            return skin_keys::kWindowSkinPieces;
        case PackageKind::kClock:
            return skin_keys::kClockSkinPieces;
    }
    return {};
}

std::span<const SkinColorKey> ColorsOf(PackageKind kind) {
    switch (kind) {
        case PackageKind::kBar:
            return skin_keys::kBarSkinColors;
        case PackageKind::kWindow:
            return skin_keys::kWindowSkinColors;
        case PackageKind::kClock:
            return {};
    }
    return {};
}

}  // namespace kalvoro::skinpack
