#pragma once
// Writes a picture as an uncompressed 24-bit bottom-up BMP file (what every Windows version and
// every paint program reads).

#include <string>

#include "skin/skin_image.h"

namespace kalvoro {

std::string EncodeBmp24(const SkinImage& image);

}  // namespace kalvoro
