#pragma once
// Pieces: rectangles cut out of a package's one bitmap.
//
// Rule for pieces that do not lie wholly inside the bitmap: a piece that overlaps the bitmap keeps
// the size the description gives, and its pixels outside the bitmap are see-through magenta, so
// windows keep their designed geometry and show nothing where the picture has no pixels. A piece
// that does not touch the bitmap at all, or has a negative side or a side above kMaxSkinPieceSide,
// cannot be cut; loaders then leave that one piece empty and apply the rest of the package. A
// piece of width or height 0 is an empty picture wherever it stands.

#include <optional>

#include "skin/skin_image.h"

namespace kalvoro {

inline constexpr int kMaxSkinPieceSide = 4096;

struct SkinRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

enum class PiecePlacement {
    kEmpty,          // width or height 0
    kInside,         // wholly inside the bitmap
    kPartlyOutside,  // overlaps the bitmap; the rest becomes see-through
    kOutside,        // no pixel of the bitmap, or an impossible size: cannot be cut
};

PiecePlacement PlacePiece(int bitmap_width, int bitmap_height, const SkinRect& piece);

// The piece as its own picture, or nothing when it cannot be cut (see above).
std::optional<SkinImage> CutSkinPiece(const SkinImage& source, const SkinRect& piece);

}  // namespace kalvoro
