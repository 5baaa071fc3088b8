// BMP files: any bytes give a picture of consistent size or nothing, and a decoded picture written
// as a BMP file by the program decodes to the same pixels.

#include "base/fuzz/fuzz_check.h"
#include "skin/bmp_decoder.h"
#include "skin/bmp_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = kalvoro::DecodeBmp(kalvoro::fuzz::Bytes(data, size));
    if (!image) return 0;
    FUZZ_CHECK(image->width > 0 && image->height > 0);
    FUZZ_CHECK(image->width <= kalvoro::kMaxBmpSide && image->height <= kalvoro::kMaxBmpSide);
    FUZZ_CHECK(static_cast<long long>(image->width) * image->height <= kalvoro::kMaxBmpPixels);
    FUZZ_CHECK(image->pixels.size() == static_cast<std::size_t>(image->width) * image->height);
    for (const std::uint32_t pixel : image->pixels) FUZZ_CHECK((pixel & 0xFF000000u) == 0);

    const auto again = kalvoro::DecodeBmp(kalvoro::EncodeBmp24(*image));
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *image);
    return 0;
}
