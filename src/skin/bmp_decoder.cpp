#include "skin/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "skin/byte_reader.h"

namespace kalvoro {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kInfoHeaderWithMasksSize = 52;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::uint32_t kCompressionAlphaBitFields = 6;

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255 so that a full mask gives 255.
class ChannelMask {
public:
    explicit ChannelMask(std::uint32_t mask)
        : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), max_(mask >> shift_) {}

    std::uint32_t Extract(std::uint32_t pixel) const {
        if (max_ == 0) return 0;
        const std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<std::uint32_t>((value * 255 + max_ / 2) / max_);
    }

private:
    std::uint32_t mask_;
    int shift_;
    std::uint64_t max_;
};

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool top_down = false;
    int bits = 0;
    bool bit_fields = false;
    bool run_length = false;               // RLE8 at 8 bits, RLE4 at 4 bits
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    std::vector<std::uint32_t> palette;    // 0x00RRGGBB
    std::size_t pixel_offset = 0;
};

bool IsPaletteDepth(int bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8;
}

// The fields of the file header and of the core or info header that decoding needs.
struct BmpHeader {
    std::uint32_t pixel_offset = 0;
    std::uint32_t size = 0;  // of the core or info header
    std::int64_t width = 0;
    std::int64_t signed_height = 0;  // negative: rows stored top-down
    std::uint16_t planes = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = kCompressionNone;
    std::uint32_t colours_used = 0;

    bool core() const { return size == kCoreHeaderSize; }
    std::size_t end() const { return kFileHeaderSize + size; }
};

std::optional<BmpHeader> ReadHeader(std::string_view file) {
    ByteReader reader(file);
    auto signature = reader.Bytes(2);
    if (!signature || *signature != "BM") return std::nullopt;
    reader.Skip(8);  // file size and reserved words: often wrong, never needed
    auto pixel_offset = reader.U32();
    auto size = reader.U32();
    if (!pixel_offset || !size) return std::nullopt;
    if (*size != kCoreHeaderSize && *size < kInfoHeaderSize) return std::nullopt;
    if (*size - 4 > reader.remaining()) return std::nullopt;

    BmpHeader header;
    header.pixel_offset = *pixel_offset;
    header.size = *size;
    // The size check above keeps every read below inside the file.
    if (header.core()) {
        header.width = *reader.U16();
        header.signed_height = *reader.U16();
        header.planes = *reader.U16();
        header.bits = *reader.U16();
    } else {
        header.width = *reader.I32();
        header.signed_height = *reader.I32();
        header.planes = *reader.U16();
        header.bits = *reader.U16();
        header.compression = *reader.U32();
        reader.Skip(12);  // image size and resolution
        header.colours_used = *reader.U32();
    }
    return header;
}

bool IsSupportedDepth(const BmpHeader& header) {
    if (header.core()) return header.bits == 1 || header.bits == 4 || header.bits == 8 || header.bits == 24;
    return IsPaletteDepth(header.bits) || header.bits == 16 || header.bits == 24 || header.bits == 32;
}

bool ReadPalette(ByteReader& reader, const BmpHeader& header, BmpLayout& layout) {
    const std::uint32_t full = 1u << header.bits;
    const std::uint32_t count = (header.colours_used == 0 || header.colours_used > full) ? full : header.colours_used;
    const std::size_t entry_size = header.core() ? 3 : 4;
    layout.palette.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto entry = reader.Bytes(entry_size);
        if (!entry) return false;
        const auto blue = static_cast<unsigned char>((*entry)[0]);
        const auto green = static_cast<unsigned char>((*entry)[1]);
        const auto red = static_cast<unsigned char>((*entry)[2]);
        layout.palette.push_back((std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue);
    }
    return true;
}

std::optional<BmpLayout> ReadLayout(std::string_view file) {
    auto header = ReadHeader(file);
    if (!header || header->planes != 1 || !IsSupportedDepth(*header)) return std::nullopt;
    const std::int64_t height = header->signed_height < 0 ? -header->signed_height : header->signed_height;
    if (header->width <= 0 || height <= 0 || header->width > kMaxBmpSide || height > kMaxBmpSide ||
        header->width * height > kMaxBmpPixels) {
        return std::nullopt;
    }

    BmpLayout layout;
    layout.width = static_cast<int>(header->width);
    layout.height = static_cast<int>(height);
    layout.top_down = header->signed_height < 0;
    layout.bits = header->bits;

    ByteReader after_header(file, header->end());
    if (header->compression == kCompressionBitFields || header->compression == kCompressionAlphaBitFields) {
        if (layout.bits != 16 && layout.bits != 32) return std::nullopt;
        layout.bit_fields = true;
        // Masks stand in the later header versions, or right after a plain info header.
        ByteReader masks(file, kFileHeaderSize + kInfoHeaderSize);
        if (header->size < kInfoHeaderWithMasksSize) {
            after_header.Skip(header->compression == kCompressionAlphaBitFields ? 16 : 12);
        }
        for (auto& mask : layout.masks) {
            auto value = masks.U32();
            if (!value) return std::nullopt;
            mask = *value;
        }
    } else if (header->compression == kCompressionRle8 || header->compression == kCompressionRle4) {
        // Run-length pictures are always stored bottom-up.
        if (layout.bits != (header->compression == kCompressionRle8 ? 8 : 4) || layout.top_down) return std::nullopt;
        layout.run_length = true;
    } else if (header->compression != kCompressionNone) {
        return std::nullopt;
    }
    if (layout.bits == 16 && !layout.bit_fields) layout.masks = {0x7C00, 0x03E0, 0x001F};
    if (IsPaletteDepth(layout.bits) && !ReadPalette(after_header, *header, layout)) return std::nullopt;

    // Some writers get the offset wrong; the pixels then follow the colour table.
    const bool offset_usable = header->pixel_offset >= header->end() && header->pixel_offset < file.size();
    layout.pixel_offset = offset_usable ? header->pixel_offset : after_header.position();
    return layout;
}

std::uint32_t ReadLittleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value |= std::uint32_t{bytes[i]} << (8 * i);
    return value;
}

void DecodeRow(const BmpLayout& layout, const unsigned char* row, std::uint32_t* out) {
    if (IsPaletteDepth(layout.bits)) {
        const int per_byte = 8 / layout.bits;
        const unsigned index_mask = (1u << layout.bits) - 1;
        for (int x = 0; x < layout.width; ++x) {
            const int shift = 8 - layout.bits * (x % per_byte + 1);  // leftmost pixel in the high bits
            const unsigned index = (row[x / per_byte] >> shift) & index_mask;
            out[x] = index < layout.palette.size() ? layout.palette[index] : 0;
        }
        return;
    }
    if (layout.bits == 24 || (layout.bits == 32 && !layout.bit_fields)) {
        const int step = layout.bits / 8;
        for (int x = 0; x < layout.width; ++x) {
            const unsigned char* pixel = row + x * step;
            out[x] = (std::uint32_t{pixel[2]} << 16) | (std::uint32_t{pixel[1]} << 8) | pixel[0];
        }
        return;
    }
    const ChannelMask red(layout.masks[0]);
    const ChannelMask green(layout.masks[1]);
    const ChannelMask blue(layout.masks[2]);
    const int step = layout.bits / 8;
    for (int x = 0; x < layout.width; ++x) {
        const std::uint32_t value = ReadLittleEndian(row + x * step, step);
        out[x] = (red.Extract(value) << 16) | (green.Extract(value) << 8) | blue.Extract(value);
    }
}

// RLE8 and RLE4: pairs of a count and a value. A count above 0 repeats the value's colour index (at
// 4 bits its two nibbles in turn). A count of 0 is an escape: 0 ends the line, 1 ends the picture,
// 2 moves right and up by the next two bytes, 3 and more are that many indices stored as they are,
// padded to a whole 16-bit word. Pixels no run reaches keep palette colour 0. Runs that reach past
// the picture are clipped; data that ends early gives the rows decoded so far.
SkinImage DecodeRunLength(const BmpLayout& layout, std::string_view data) {
    const std::uint32_t background = layout.palette.empty() ? 0 : layout.palette[0];
    SkinImage image = SkinImage::Filled(layout.width, layout.height, background);
    const bool four_bits = layout.bits == 4;
    // x is clamped to the width and y to the height, so neither can overflow on long input.
    int x = 0;
    int y = 0;  // counted from the bottom row
    const auto put = [&](unsigned index) {
        if (x >= layout.width) return;
        image.At(x, layout.height - 1 - y) = index < layout.palette.size() ? layout.palette[index] : 0;
        ++x;
    };
    ByteReader reader(data);
    while (y < layout.height) {
        const auto count = reader.Bytes(1);
        const auto value = reader.Bytes(1);
        if (!count || !value) break;
        const auto n = static_cast<unsigned char>((*count)[0]);
        const auto v = static_cast<unsigned char>((*value)[0]);
        if (n > 0) {
            for (unsigned i = 0; i < n && x < layout.width; ++i) put(four_bits ? (i % 2 == 0 ? v >> 4 : v & 0x0F) : v);
            continue;
        }
        if (v == 0) {
            x = 0;
            ++y;
        } else if (v == 1) {
            break;
        } else if (v == 2) {
            const auto right = reader.Bytes(1);
            const auto up = reader.Bytes(1);
            if (!right || !up) break;
            x = std::min(layout.width, x + static_cast<unsigned char>((*right)[0]));
            y = std::min(layout.height, y + static_cast<unsigned char>((*up)[0]));
        } else {
            const std::size_t stored = four_bits ? (v + 1u) / 2 : v;
            const auto indices = reader.Bytes(stored + stored % 2);
            if (!indices) break;
            for (unsigned i = 0; i < v && x < layout.width; ++i) {
                const auto byte = static_cast<unsigned char>((*indices)[four_bits ? i / 2 : i]);
                put(four_bits ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
            }
        }
    }
    return image;
}

}  // namespace

std::optional<SkinImage> DecodeBmp(std::string_view file_bytes) {
    auto layout = ReadLayout(file_bytes);
    if (!layout) return std::nullopt;
    if (layout->run_length) {
        if (layout->pixel_offset >= file_bytes.size()) return std::nullopt;
        return DecodeRunLength(*layout, file_bytes.substr(layout->pixel_offset));
    }

    const std::int64_t row_bits = std::int64_t{layout->width} * layout->bits;
    const std::int64_t stride = (row_bits + 31) / 32 * 4;
    const std::int64_t row_bytes = (row_bits + 7) / 8;
    // The last row may lack its padding; some writers leave it off.
    const std::int64_t needed = stride * (layout->height - 1) + row_bytes;
    if (layout->pixel_offset > file_bytes.size() ||
        needed > static_cast<std::int64_t>(file_bytes.size() - layout->pixel_offset)) {
        return std::nullopt;
    }

    SkinImage image = SkinImage::Filled(layout->width, layout->height, 0);
    const auto* data = reinterpret_cast<const unsigned char*>(file_bytes.data()) + layout->pixel_offset;
    for (int y = 0; y < layout->height; ++y) {
        const int stored_row = layout->top_down ? y : layout->height - 1 - y;
        DecodeRow(*layout, data + stride * stored_row, &image.At(0, y));
    }
    return image;
}

}  // namespace kalvoro
