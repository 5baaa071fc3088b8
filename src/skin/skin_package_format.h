#pragma once
// The package file: 4 bytes nobody reads, a signed 64-bit little-endian length N1, N1 bytes of
// description (INI text, GBK), a signed 64-bit length N2, N2 bytes holding a complete BMP file.
// Bytes after the bitmap are ignored.

#include <optional>
#include <string>
#include <string_view>

#include "skin/skin_image.h"

namespace kalvoro {

struct SkinPackageBlocks {
    std::string_view description;  // GBK
    std::string_view bitmap;       // a BMP file, not yet checked
};

// The two blocks, or nothing when the file is too short for the lengths it states or a length is
// negative.
std::optional<SkinPackageBlocks> SplitSkinPackage(std::string_view package);

// The description block (GBK bytes).
std::optional<std::string> ReadSkinText(std::string_view package);
// The bitmap block decoded; nothing when the package or the BMP is damaged.
std::optional<SkinImage> ReadSkinBitmap(std::string_view package);

// A package from a description and BMP file bytes, as the skinpack tool writes it (the four
// leading bytes are zero).
std::string BuildSkinPackage(std::string_view description, std::string_view bmp_file);

}  // namespace kalvoro
