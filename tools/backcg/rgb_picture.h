// A picture as three bytes (red, green, blue) per pixel, rows top-down.
#pragma once

#include <cstdint>
#include <vector>

struct RgbPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes
};
