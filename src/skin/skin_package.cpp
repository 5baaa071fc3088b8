#include "skin/skin_package.h"

#include <string>

#include "skin/bmp_decoder.h"
#include "skin/skin_package_format.h"

namespace kalvoro {
namespace {

// A lone CR ends a line in a description as CR LF and LF do.
std::string WithLoneCarriageReturnsAsLineFeeds(std::string_view text) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (result[i] == '\r' && (i + 1 == result.size() || result[i + 1] != '\n')) result[i] = '\n';
    }
    return result;
}

}  // namespace

std::optional<SkinPackage> SkinPackage::Read(std::string_view package_bytes) {
    auto blocks = SplitSkinPackage(package_bytes);
    if (!blocks) return std::nullopt;
    auto bitmap = DecodeBmp(blocks->bitmap);
    if (!bitmap) return std::nullopt;
    SkinPackage package;
    package.description_ = IniDocument::Parse(WithLoneCarriageReturnsAsLineFeeds(blocks->description));
    package.bitmap_ = std::move(*bitmap);
    return package;
}

bool SkinPackage::HasSupportedVersion(std::string_view version_key) const {
    return description_.ReadString(skin_keys::kVersionSection, version_key, "") == skin_keys::kSupportedVersion;
}

SkinRect SkinPackage::PieceRect(const SkinPieceKey& key) const {
    const auto read = [&](std::string_view suffix, int default_value) {
        std::string name(key.name);
        name += suffix;
        return description_.ReadInteger(key.section, name, default_value);
    };
    return SkinRect{read("Left", key.default_rect.left), read("Top", key.default_rect.top),
                    read("Width", key.default_rect.width), read("Height", key.default_rect.height)};
}

PiecePlacement SkinPackage::Placement(const SkinPieceKey& key) const {
    return PlacePiece(bitmap_.width, bitmap_.height, PieceRect(key));
}

std::optional<SkinImage> SkinPackage::Cut(const SkinPieceKey& key) const {
    return CutSkinPiece(bitmap_, PieceRect(key));
}

Colour SkinPackage::Color(const SkinColorKey& key) const {
    return static_cast<Colour>(description_.ReadInteger(key.section, key.key, static_cast<int>(key.default_color)));
}

std::optional<int> SkinPackage::Integer(std::string_view section, std::string_view key) const {
    auto value = description_.Value(section, key);
    if (!value) return std::nullopt;
    return ParseIniInteger(*value);
}

SkinPackageProblem DiagnoseSkinPackage(std::string_view package_bytes, std::string_view version_key) {
    auto package = SkinPackage::Read(package_bytes);
    if (!package) return SkinPackageProblem::kDamaged;
    if (!package->HasSupportedVersion(version_key)) return SkinPackageProblem::kWrongVersion;
    return SkinPackageProblem::kNone;
}

void CutPieces(const SkinPackage& package, std::initializer_list<SkinPieceTarget> targets) {
    for (const auto& target : targets) {
        auto piece = package.Cut(target.key);
        target.image = piece ? std::move(*piece) : SkinImage{};
    }
}

}  // namespace kalvoro
