// Skin packages: the two blocks, the description, the bitmap and every piece and colour the
// windows take from them. Any bytes give a package or nothing; pieces follow the cutting rule; a
// package the program builds from the blocks splits back into the same blocks.

#include <cstring>

#include "base/fuzz/fuzz_check.h"
#include "skin/bar_skin.h"
#include "skin/calendar_skin.h"
#include "skin/clock_skin.h"
#include "skin/skin_package.h"
#include "skin/skin_package_format.h"
#include "skin/skin_piece.h"
#include "skin/weather_skin.h"
#include "skin/window_skin.h"

namespace {

using namespace kalvoro;

void CheckPackageRoundTrip(std::string_view bytes) {
    const auto blocks = SplitSkinPackage(bytes);
    if (!blocks) return;
    FUZZ_CHECK(blocks->description.size() + blocks->bitmap.size() + 20 <= bytes.size());
    const std::string built = BuildSkinPackage(blocks->description, blocks->bitmap);
    const auto again = SplitSkinPackage(built);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->description == blocks->description);
    FUZZ_CHECK(again->bitmap == blocks->bitmap);
    FUZZ_CHECK(built.size() == again->description.size() + again->bitmap.size() + 20);
}

// A rectangle from the last 16 bytes of the input, cut out of the bitmap, against the rule.
void CheckPieceRule(const SkinImage& bitmap, std::string_view bytes) {
    if (bytes.size() < 16) return;
    std::int32_t sides[4];
    std::memcpy(sides, bytes.data() + bytes.size() - 16, sizeof sides);
    // Mostly small rectangles near the bitmap, now and then the raw values.
    const bool raw = (sides[0] & 0x40000000) != 0;
    const SkinRect rect = raw ? SkinRect{sides[0], sides[1], sides[2], sides[3]}
                              : SkinRect{sides[0] % 300, sides[1] % 300, sides[2] % 300, sides[3] % 300};
    const PiecePlacement placement = PlacePiece(bitmap.width, bitmap.height, rect);
    const auto piece = CutSkinPiece(bitmap, rect);
    FUZZ_CHECK(piece.has_value() == (placement != PiecePlacement::kOutside));
    if (!piece) return;
    if (placement == PiecePlacement::kEmpty) {
        FUZZ_CHECK(piece->empty());
        return;
    }
    FUZZ_CHECK(piece->width == rect.width && piece->height == rect.height);
    FUZZ_CHECK(piece->pixels.size() == static_cast<std::size_t>(rect.width) * rect.height);
    if (piece->pixels.size() > (1u << 18)) return;  // the size is checked; pixels of small pieces
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const long long source_x = static_cast<long long>(rect.left) + x;
            const long long source_y = static_cast<long long>(rect.top) + y;
            const bool inside = source_x >= 0 && source_y >= 0 && source_x < bitmap.width && source_y < bitmap.height;
            FUZZ_CHECK(inside || placement == PiecePlacement::kPartlyOutside);
            const std::uint32_t expected =
                inside ? bitmap.At(static_cast<int>(source_x), static_cast<int>(source_y)) : kSeeThroughPixel;
            FUZZ_CHECK(piece->At(x, y) == expected);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = kalvoro::fuzz::Bytes(data, size);
    CheckPackageRoundTrip(bytes);

    const auto package = SkinPackage::Read(bytes);
    FUZZ_CHECK(package.has_value() == ReadSkinBitmap(bytes).has_value());
    if (!package) {
        FUZZ_CHECK(DiagnoseSkinPackage(bytes, "BarVer") == SkinPackageProblem::kDamaged);
        return 0;
    }
    FUZZ_CHECK(ReadSkinText(bytes).has_value());
    (void)DiagnoseSkinPackage(bytes, "BarVer");
    CheckPieceRule(package->bitmap(), bytes);

    // Every window's loader on the same bytes: all its pieces and colours.
    (void)LoadBarSkinData(bytes);
    (void)LoadCalendarSkinData(bytes);
    (void)LoadClockSkinData(bytes);
    (void)LoadWeatherSkinData(bytes);
    (void)LoadWindowSkinData(bytes);
    return 0;
}
