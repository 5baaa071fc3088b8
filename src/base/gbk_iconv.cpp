#include <iconv.h>

#include <cstdint>

#include "base/gbk.h"

namespace kalvoro::gbk_backend {
namespace {

class IconvDescriptor {
public:
    IconvDescriptor(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~IconvDescriptor() {
        if (valid()) iconv_close(descriptor_);
    }
    IconvDescriptor(const IconvDescriptor&) = delete;
    IconvDescriptor& operator=(const IconvDescriptor&) = delete;

    bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input in one go; false unless every byte was consumed.
    bool Convert(const char* input, std::size_t input_size, char* output, std::size_t& output_size) {
        if (!valid()) return false;
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input);
        std::size_t in_left = input_size;
        char* out = output;
        std::size_t out_left = output_size;
        const std::size_t result = iconv(descriptor_, &in, &in_left, &out, &out_left);
        if (result == static_cast<std::size_t>(-1) || in_left != 0) return false;
        // Flush any shift state; CP936 has none but iconv wants the call.
        if (iconv(descriptor_, nullptr, nullptr, &out, &out_left) == static_cast<std::size_t>(-1)) return false;
        output_size -= out_left;
        return true;
    }

private:
    iconv_t descriptor_;
};

// iconv descriptors carry conversion state, so each thread keeps its own pair.
IconvDescriptor& Decoder() {
    thread_local IconvDescriptor decoder("UTF-32LE", "CP936");
    return decoder;
}

IconvDescriptor& Encoder() {
    thread_local IconvDescriptor encoder("CP936", "UTF-32LE");
    return encoder;
}

}  // namespace

bool DecodeUnit(std::string_view unit, char32_t& code_point) {
    if (unit.empty() || unit.size() > 2) return false;
    unsigned char output[8] = {};
    std::size_t output_size = sizeof output;
    if (!Decoder().Convert(unit.data(), unit.size(), reinterpret_cast<char*>(output), output_size)) return false;
    if (output_size != 4) return false;
    code_point = static_cast<char32_t>(output[0] | (output[1] << 8) | (output[2] << 16) |
                                       (static_cast<std::uint32_t>(output[3]) << 24));
    return true;
}

std::size_t EncodeCodePoint(char32_t code_point, char out[2]) {
    const unsigned char input[4] = {
        static_cast<unsigned char>(code_point & 0xFF), static_cast<unsigned char>((code_point >> 8) & 0xFF),
        static_cast<unsigned char>((code_point >> 16) & 0xFF), static_cast<unsigned char>((code_point >> 24) & 0xFF)};
    char output[8] = {};
    std::size_t output_size = sizeof output;
    if (!Encoder().Convert(reinterpret_cast<const char*>(input), sizeof input, output, output_size)) return 0;
    if (output_size == 0 || output_size > 2) return 0;
    out[0] = output[0];
    out[1] = output_size == 2 ? output[1] : '\0';
    return output_size;
}

}  // namespace kalvoro::gbk_backend
