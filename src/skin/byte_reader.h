#pragma once
// Little-endian reads from a byte buffer with bounds checks, for the package and BMP parsers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kalvoro {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes, std::size_t position = 0) : bytes_(bytes), position_(position) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return position_ <= bytes_.size() ? bytes_.size() - position_ : 0; }

    std::optional<std::uint16_t> U16() { return Read<std::uint16_t>(2); }
    std::optional<std::uint32_t> U32() { return Read<std::uint32_t>(4); }
    std::optional<std::int32_t> I32() {
        auto value = U32();
        if (!value) return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }
    std::optional<std::int64_t> I64() {
        auto value = Read<std::uint64_t>(8);
        if (!value) return std::nullopt;
        return static_cast<std::int64_t>(*value);
    }
    // The next count bytes, or nothing when fewer remain.
    std::optional<std::string_view> Bytes(std::size_t count) {
        if (count > remaining()) return std::nullopt;
        std::string_view result = bytes_.substr(position_, count);
        position_ += count;
        return result;
    }
    bool Skip(std::size_t count) { return Bytes(count).has_value(); }

private:
    template <typename T>
    std::optional<T> Read(std::size_t size) {
        if (size > remaining()) return std::nullopt;
        T value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= static_cast<T>(static_cast<unsigned char>(bytes_[position_ + i])) << (8 * i);
        }
        position_ += size;
        return value;
    }

    std::string_view bytes_;
    std::size_t position_;
};

}  // namespace kalvoro
