// PNG files through libpng's simplified interface.
#pragma once

#include <cstdint>
#include <vector>

#include "rgb_picture.h"

// Decodes a PNG of any colour type into 8-bit RGB. Throws std::runtime_error
// for data that is not a valid PNG or that has transparent pixels.
RgbPicture DecodePng(const std::vector<std::uint8_t>& file);

// The bytes of an 8-bit RGB PNG of the picture. Throws std::runtime_error.
std::vector<std::uint8_t> EncodePng(const RgbPicture& picture);
