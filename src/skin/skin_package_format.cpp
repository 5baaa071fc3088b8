#include "skin/skin_package_format.h"

#include <cstdint>

#include "skin/bmp_decoder.h"
#include "skin/byte_reader.h"

namespace kalvoro {
namespace {

constexpr std::size_t kLeadingBytes = 4;

std::optional<std::string_view> ReadBlock(ByteReader& reader) {
    auto length = reader.I64();
    if (!length || *length < 0 || static_cast<std::uint64_t>(*length) > reader.remaining()) return std::nullopt;
    return reader.Bytes(static_cast<std::size_t>(*length));
}

void PutLength(std::string& out, std::uint64_t length) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
}

}  // namespace

std::optional<SkinPackageBlocks> SplitSkinPackage(std::string_view package) {
    ByteReader reader(package);
    if (!reader.Skip(kLeadingBytes)) return std::nullopt;
    auto description = ReadBlock(reader);
    if (!description) return std::nullopt;
    auto bitmap = ReadBlock(reader);
    if (!bitmap) return std::nullopt;
    return SkinPackageBlocks{*description, *bitmap};
}

std::optional<std::string> ReadSkinText(std::string_view package) {
    auto blocks = SplitSkinPackage(package);
    if (!blocks) return std::nullopt;
    return std::string(blocks->description);
}

std::optional<SkinImage> ReadSkinBitmap(std::string_view package) {
    auto blocks = SplitSkinPackage(package);
    if (!blocks) return std::nullopt;
    return DecodeBmp(blocks->bitmap);
}

std::string BuildSkinPackage(std::string_view description, std::string_view bmp_file) {
    std::string out(kLeadingBytes, '\0');
    PutLength(out, description.size());
    out.append(description);
    PutLength(out, bmp_file.size());
    out.append(bmp_file);
    return out;
}

}  // namespace kalvoro
