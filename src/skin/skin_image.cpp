#include "skin/skin_image.h"

namespace kalvoro {

SkinImage SkinImage::Filled(int width, int height, std::uint32_t pixel) {
    SkinImage image;
    if (width <= 0 || height <= 0) return image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pixel);
    return image;
}

}  // namespace kalvoro
