#include "skin/scale_image.h"

#include <algorithm>
#include <vector>

namespace kalvoro {

namespace {

// How much of each old pixel one new pixel covers along one axis, in units where an old pixel is
// `to` long (so every weight is an integer and a new pixel's weights sum to `from`).
struct Span {
    int first = 0;   // first old pixel covered
    int centre = 0;  // the old pixel under the new pixel's centre
    std::vector<long long> weights;
};

std::vector<Span> Spans(int from, int to) {
    std::vector<Span> spans(static_cast<std::size_t>(to));
    for (int d = 0; d < to; ++d) {
        const long long begin = static_cast<long long>(d) * from;  // in units of 1/to of an old pixel
        const long long end = begin + from;
        Span& span = spans[static_cast<std::size_t>(d)];
        span.first = static_cast<int>(begin / to);
        span.centre = static_cast<int>((2 * begin + from) / (2LL * to));
        for (long long s = span.first; s * to < end && s < from; ++s) {
            const long long overlap = std::min(end, (s + 1) * to) - std::max(begin, s * to);
            span.weights.push_back(overlap);
        }
    }
    return spans;
}

}  // namespace

SkinImage ScaleSkinImage(const SkinImage& source, int width, int height, std::optional<std::uint32_t> see_through) {
    if (source.empty() || width <= 0 || height <= 0) return {};
    if (static_cast<std::size_t>(source.pixels.size()) < static_cast<std::size_t>(source.width) * source.height)
        return {};
    if (width == source.width && height == source.height) return source;
    const auto columns = Spans(source.width, width);
    const auto rows = Spans(source.height, height);
    SkinImage result = SkinImage::Filled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        const Span& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const Span& column = columns[static_cast<std::size_t>(x)];
            const std::uint32_t centre = source.At(column.centre, row.centre) & 0xFFFFFF;
            if (see_through && centre == *see_through) {
                result.At(x, y) = centre;
                continue;
            }
            unsigned long long r = 0, g = 0, b = 0, total = 0;
            for (std::size_t j = 0; j < row.weights.size(); ++j) {
                const int sy = row.first + static_cast<int>(j);
                for (std::size_t i = 0; i < column.weights.size(); ++i) {
                    const std::uint32_t pixel = source.At(column.first + static_cast<int>(i), sy) & 0xFFFFFF;
                    if (see_through && pixel == *see_through) continue;
                    const auto weight = static_cast<unsigned long long>(row.weights[j] * column.weights[i]);
                    r += weight * ((pixel >> 16) & 0xFF);
                    g += weight * ((pixel >> 8) & 0xFF);
                    b += weight * (pixel & 0xFF);
                    total += weight;
                }
            }
            // total > 0: the centre pixel is covered and visible.
            const auto mean = [total](unsigned long long sum) {
                return static_cast<std::uint32_t>((sum + total / 2) / total);
            };
            std::uint32_t pixel = (mean(r) << 16) | (mean(g) << 8) | mean(b);
            // A mix of visible colours can land exactly on the key; nudge it so it stays visible.
            if (see_through && pixel == *see_through) pixel ^= 0x000100;
            result.At(x, y) = pixel;
        }
    }
    return result;
}

}  // namespace kalvoro
