#include "skin/rotate_bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kalvoro {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// trunc(value * 65536) of a sine or cosine, which always fits.
int FixedPoint(long double value) {
    return static_cast<int>(std::trunc(value * 65536.0L));
}

// floor(value / 65536) of a 32-bit fixed-point value: an arithmetic shift.
constexpr std::int32_t FloorFixed(std::uint32_t value) {
    return static_cast<std::int32_t>(value) >> 16;
}

}  // namespace

long double NormalizedAngle(long double degrees) {
    if (!std::isfinite(degrees)) return 0;
    // fmod is exact, so this gives what subtracting whole turns one by one gives, without looping
    // a million times for a huge angle.
    long double angle = std::fmod(degrees, 360.0L);
    while (angle > 180) angle -= 360;
    while (angle < -180) angle += 360;
    return angle;
}

RotationGeometry RotationFor(int source_width, int source_height, long double degrees) {
    RotationGeometry g;
    g.angle = NormalizedAngle(degrees);
    const long double radians = -g.angle * kPi / 180;
    g.sine = FixedPoint(std::sin(radians));
    g.cosine = FixedPoint(std::cos(radians));
    const std::int64_t abs_s = std::abs(g.sine);
    const std::int64_t abs_c = std::abs(g.cosine);
    const std::int64_t w = source_width > 0 ? source_width : 0;
    const std::int64_t h = source_height > 0 ? source_height : 0;
    g.width = static_cast<int>((abs_c * w + abs_s * h) / 65536);
    g.height = static_cast<int>((abs_s * w + abs_c * h) / 65536);
    g.pivot_x = g.width / 2;
    if ((g.angle == 0 || g.angle == -90) && g.width % 2 == 0) --g.pivot_x;
    g.pivot_y = g.height / 2;
    if ((g.angle == 0 || g.angle == 90) && g.height % 2 == 0) --g.pivot_y;
    return g;
}

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {  // b > 0
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {  // b > 0
    return -FloorDiv(-a, b);
}

// The x in [first, end) where lo <= start + x * step < hi, as [from, to); empty when from >= to.
void NarrowToStrip(std::int64_t start, std::int64_t step, std::int64_t lo, std::int64_t hi, std::int64_t& from,
                   std::int64_t& to) {
    if (step == 0) {
        if (start < lo || start >= hi) to = from;
        return;
    }
    if (step > 0) {
        from = std::max(from, CeilDiv(lo - start, step));
        to = std::min(to, CeilDiv(hi - start, step));
    } else {
        from = std::max(from, FloorDiv(start - hi, -step) + 1);
        to = std::min(to, FloorDiv(start - lo, -step) + 1);
    }
}

// Below this size no product of the sampling leaves 32 bits, so the in-range stretch of each row
// can be solved in 64-bit arithmetic and the wrap-around of the 32-bit sums never happens.
constexpr int kExactSide = 16384;

}  // namespace

void RotateOnto(const SkinImage& source, std::uint32_t background, const RotationGeometry& g, PixelRows target,
                int left, int top) {
    const int w = source.width;
    const int h = source.height;
    if (w <= 0 || h <= 0 || g.width <= 0 || g.height <= 0) return;
    const int cx = w / 2;
    const int cy = h / 2;
    // Sampling works in 32-bit wrap-around arithmetic; the steps along a row add C and S.
    const auto c = static_cast<std::uint32_t>(g.cosine);
    const auto s = static_cast<std::uint32_t>(g.sine);
    const int x_first = left < 0 ? -left : 0;
    const int x_end = left + g.width > target.width ? target.width - left : g.width;
    if (x_first >= x_end) return;
    const bool solvable = w < kExactSide && h < kExactSide && g.width < kExactSide && g.height < kExactSide;
    const int u_first = x_first - (g.width - 1 - g.pivot_x);
    for (int y = 0; y < g.height; ++y) {
        const int target_y = top + y;
        if (target_y < 0 || target_y >= target.height) continue;
        const int r = g.height - 1 - y;  // rows counted from the bottom
        const int v = r - (g.height - 1 - g.pivot_y);
        std::uint32_t* out = target.Row(target_y) + left;
        if (solvable) {
            // sx = cx + floor(sx_fixed / 65536) lies in [0, W) exactly when sx_fixed lies in
            // [-cx * 65536, (W - cx) * 65536); likewise sr. Each holds on one stretch of the row.
            const std::int64_t sx_start = std::int64_t{u_first} * g.cosine - std::int64_t{v} * g.sine;
            const std::int64_t sr_start = std::int64_t{u_first} * g.sine + std::int64_t{v} * g.cosine;
            std::int64_t from = 0;
            std::int64_t to = x_end - x_first;
            NarrowToStrip(sx_start, g.cosine, -std::int64_t{cx} * 65536, std::int64_t{w - cx} * 65536, from, to);
            NarrowToStrip(sr_start, g.sine, -std::int64_t{cy} * 65536, std::int64_t{h - cy} * 65536, from, to);
            if (from >= to) {
                std::fill(out + x_first, out + x_end, background);
                continue;
            }
            const int inside_first = x_first + static_cast<int>(from);
            const int inside_end = x_first + static_cast<int>(to);
            std::fill(out + x_first, out + inside_first, background);
            std::fill(out + inside_end, out + x_end, background);
            auto sx_fixed = static_cast<std::uint32_t>(sx_start + from * g.cosine);
            auto sr_fixed = static_cast<std::uint32_t>(sr_start + from * g.sine);
            const std::uint32_t* pixels = source.pixels.data();
            for (int x = inside_first; x < inside_end; ++x, sx_fixed += c, sr_fixed += s) {
                const int sx = cx + FloorFixed(sx_fixed);
                const int sr = cy + FloorFixed(sr_fixed);
                out[x] = pixels[static_cast<std::size_t>(h - 1 - sr) * w + sx];
            }
            continue;
        }
        const auto u = static_cast<std::uint32_t>(u_first);
        const auto vv = static_cast<std::uint32_t>(v);
        std::uint32_t sx_fixed = u * c - vv * s;
        std::uint32_t sr_fixed = u * s + vv * c;
        for (int x = x_first; x < x_end; ++x, sx_fixed += c, sr_fixed += s) {
            const int sx = cx + FloorFixed(sx_fixed);
            const int sr = cy + FloorFixed(sr_fixed);
            if (static_cast<unsigned>(sx) < static_cast<unsigned>(w) &&
                static_cast<unsigned>(sr) < static_cast<unsigned>(h)) {
                out[x] = source.pixels[static_cast<std::size_t>(h - 1 - sr) * w + sx];
            } else {
                out[x] = background;
            }
        }
    }
}

SkinImage RotateBitmap(const SkinImage& source, std::uint32_t background, long double degrees) {
    if (source.empty()) return {};
    const RotationGeometry g = RotationFor(source.width, source.height, degrees);
    SkinImage result = SkinImage::Filled(g.width, g.height, background);
    if (result.empty()) return {};
    RotateOnto(source, background, g, PixelRows::Of(result), 0, 0);
    return result;
}

}  // namespace kalvoro
