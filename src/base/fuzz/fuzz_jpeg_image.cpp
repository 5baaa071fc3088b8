// JPEG pictures: any bytes give a picture of consistent size or nothing.

#include "base/fuzz/fuzz_check.h"
#include "base/jpeg_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = kalvoro::DecodeJpeg(kalvoro::fuzz::Bytes(data, size));
    if (!image) return 0;
    FUZZ_CHECK(image->width > 0 && image->height > 0);
    FUZZ_CHECK(image->width <= kalvoro::kMaxJpegSide && image->height <= kalvoro::kMaxJpegSide);
    FUZZ_CHECK(image->rgb.size() == static_cast<std::size_t>(image->width) * image->height * 3);
    // Touch the first and last pixel so a short buffer shows under AddressSanitizer.
    volatile std::uint8_t sink = image->rgb.front();
    sink = image->rgb.back();
    (void)sink;
    return 0;
}
