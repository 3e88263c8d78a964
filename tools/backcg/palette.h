// Turning a true-colour picture into palette indices and back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "backcg.h"
#include "rgb_picture.h"

// The picture's colours take indices 10..244; the rest of the table is black.
constexpr std::uint32_t kFirstPictureIndex = 10;
constexpr std::uint32_t kLastPictureIndex = 244;
constexpr std::uint32_t kMostPictureColours = kLastPictureIndex - kFirstPictureIndex + 1;

struct IndexedPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> indices;                              // rows top-down
    std::array<std::uint8_t, kBackcgColourTableBytes> colourTable{};  // blue, green, red
};

// Gives the picture's colours the indices from 10 up in ascending order of
// their red, green, blue value, so the same picture always gets the same
// table. Throws std::runtime_error for more than 235 colours.
IndexedPicture IndexRgbPicture(const RgbPicture& picture);

// The colours the indices stand for.
RgbPicture ExpandToRgb(const IndexedPicture& picture);

// How many different indices the picture uses.
std::size_t CountColoursUsed(const IndexedPicture& picture);
