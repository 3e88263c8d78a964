// The .ico file of one 32 x 32 image at 4 bits per pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "icon_art.h"

// Icon directory, BITMAPINFOHEADER (height doubled for the two masks), the
// 16 colours, the colour (XOR) mask bottom-up and the transparency (AND) mask.
std::vector<std::uint8_t> BuildIcoFile(const IconPicture& icon);
