#include "skin/skin_piece.h"

#include <algorithm>
#include <cstdint>

namespace kalvoro {

PiecePlacement PlacePiece(int bitmap_width, int bitmap_height, const SkinRect& piece) {
    if (piece.width < 0 || piece.height < 0 || piece.width > kMaxSkinPieceSide || piece.height > kMaxSkinPieceSide) {
        return PiecePlacement::kOutside;
    }
    if (piece.width == 0 || piece.height == 0) return PiecePlacement::kEmpty;
    // 64-bit so that a left near INT_MAX cannot overflow.
    const std::int64_t right = std::int64_t{piece.left} + piece.width;
    const std::int64_t bottom = std::int64_t{piece.top} + piece.height;
    if (right <= 0 || bottom <= 0 || piece.left >= bitmap_width || piece.top >= bitmap_height) {
        return PiecePlacement::kOutside;
    }
    if (piece.left >= 0 && piece.top >= 0 && right <= bitmap_width && bottom <= bitmap_height) {
        return PiecePlacement::kInside;
    }
    return PiecePlacement::kPartlyOutside;
}

std::optional<SkinImage> CutSkinPiece(const SkinImage& source, const SkinRect& piece) {
    switch (PlacePiece(source.width, source.height, piece)) {
        case PiecePlacement::kOutside:
            return std::nullopt;
        case PiecePlacement::kEmpty:
            return SkinImage{};
        case PiecePlacement::kInside:
        case PiecePlacement::kPartlyOutside:
            break;
    }
    SkinImage result = SkinImage::Filled(piece.width, piece.height, kSeeThroughPixel);
    const int first_x = std::max(0, -piece.left);
    const int last_x = std::min(piece.width, source.width - piece.left);  // exclusive
    const int first_y = std::max(0, -piece.top);
    const int last_y = std::min(piece.height, source.height - piece.top);
    for (int y = first_y; y < last_y; ++y) {
        const std::uint32_t* source_row = source.pixels.data() + static_cast<std::size_t>(piece.top + y) * source.width;
        std::copy(source_row + (piece.left + first_x), source_row + (piece.left + last_x), &result.At(first_x, y));
    }
    return result;
}

}  // namespace kalvoro
