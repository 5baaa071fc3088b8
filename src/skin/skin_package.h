#pragma once
// A package read into memory: its description parsed as an INI document and its bitmap decoded.
// Section and key names match without regard to case; integers are decimal or hexadecimal with
// "0x", "0X" or "$"; a missing key or one that is not an integer gives the key's default.

#include <initializer_list>
#include <optional>
#include <string_view>

#include "base/ini_file.h"
#include "skin/skin_image.h"
#include "skin/skin_keys.h"

namespace kalvoro {

class SkinPackage {
public:
    // Nothing when the file is damaged: truncated, impossible lengths, or a bitmap that is not a
    // BMP this reader decodes. The version is not checked here.
    static std::optional<SkinPackage> Read(std::string_view package_bytes);

    // The version key of section "VER" is exactly "1.0" (case matters).
    bool HasSupportedVersion(std::string_view version_key) const;

    SkinRect PieceRect(const SkinPieceKey& key) const;
    PiecePlacement Placement(const SkinPieceKey& key) const;
    std::optional<SkinImage> Cut(const SkinPieceKey& key) const;  // rule in skin/skin_piece.h
    Colour Color(const SkinColorKey& key) const;
    std::optional<int> Integer(std::string_view section, std::string_view key) const;

    const IniDocument& description() const { return description_; }
    const SkinImage& bitmap() const { return bitmap_; }

private:
    IniDocument description_;
    SkinImage bitmap_;
};

// Why a package cannot be applied, for the options dialog's preview, which warns only about the
// version.
enum class SkinPackageProblem { kNone, kDamaged, kWrongVersion };
SkinPackageProblem DiagnoseSkinPackage(std::string_view package_bytes, std::string_view version_key);

// Cuts several pieces. A damaged piece (one that cannot be cut) costs only itself: its target is left
// empty, and the rest of the package still applies.
struct SkinPieceTarget {
    const SkinPieceKey& key;
    SkinImage& image;
};
void CutPieces(const SkinPackage& package, std::initializer_list<SkinPieceTarget> targets);

}  // namespace kalvoro
