#include "palette.h"

#include <map>
#include <stdexcept>
#include <string>

namespace {

using ColourKey = std::uint32_t;  // 0xRRGGBB

ColourKey KeyOfPixel(const RgbPicture& picture, std::size_t pixel) {
    const std::uint8_t* rgb = &picture.rgb[pixel * 3];
    return (ColourKey(rgb[0]) << 16) | (ColourKey(rgb[1]) << 8) | rgb[2];
}

// Each colour of the picture mapped to its index, in ascending colour order.
std::map<ColourKey, std::uint8_t> AssignIndices(const RgbPicture& picture) {
    std::map<ColourKey, std::uint8_t> indexOf;
    const std::size_t pixels = std::size_t(picture.width) * picture.height;
    for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
        indexOf.emplace(KeyOfPixel(picture, pixel), 0);
        if (indexOf.size() > kMostPictureColours)
            throw std::runtime_error("the picture has more than " +
                                     std::to_string(kMostPictureColours) + " colours");
    }
    std::uint32_t next = kFirstPictureIndex;
    for (auto& entry : indexOf) entry.second = std::uint8_t(next++);
    return indexOf;
}

void SetTableEntry(IndexedPicture& picture, std::uint8_t index, ColourKey colour) {
    std::uint8_t* entry = &picture.colourTable[index * 3];
    entry[0] = std::uint8_t(colour);        // blue
    entry[1] = std::uint8_t(colour >> 8);   // green
    entry[2] = std::uint8_t(colour >> 16);  // red
}

}  // namespace

IndexedPicture IndexRgbPicture(const RgbPicture& picture) {
    const std::map<ColourKey, std::uint8_t> indexOf = AssignIndices(picture);
    IndexedPicture indexed;
    indexed.width = picture.width;
    indexed.height = picture.height;
    for (const auto& [colour, index] : indexOf) SetTableEntry(indexed, index, colour);
    const std::size_t pixels = std::size_t(picture.width) * picture.height;
    indexed.indices.reserve(pixels);
    for (std::size_t pixel = 0; pixel < pixels; ++pixel)
        indexed.indices.push_back(indexOf.at(KeyOfPixel(picture, pixel)));
    return indexed;
}

RgbPicture ExpandToRgb(const IndexedPicture& picture) {
    RgbPicture rgb{picture.width, picture.height, {}};
    rgb.rgb.reserve(picture.indices.size() * 3);
    for (std::uint8_t index : picture.indices) {
        const std::uint8_t* entry = &picture.colourTable[index * 3];
        rgb.rgb.insert(rgb.rgb.end(), {entry[2], entry[1], entry[0]});
    }
    return rgb;
}

std::size_t CountColoursUsed(const IndexedPicture& picture) {
    std::array<bool, kBackcgColourCount> used{};
    for (std::uint8_t index : picture.indices) used[index] = true;
    std::size_t count = 0;
    for (bool isUsed : used) count += isUsed ? 1 : 0;
    return count;
}
