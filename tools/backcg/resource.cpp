#include "resource.h"

#include <algorithm>
#include <stdexcept>

#include "backcg.h"
#include "encoder.h"

namespace {

constexpr std::uint32_t kContainerFirstField = 1;

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(std::uint8_t(value >> shift));
}

std::vector<std::uint8_t> DecodePixels(const BackcgLayout& layout) {
    std::vector<std::uint8_t> pixels(std::size_t(layout.width) * layout.height);
    if (!DecodeColumnRle(pixels.data(), layout.sizeFields, layout.end, std::int32_t(layout.width)))
        throw std::runtime_error("the coded picture is malformed");
    return pixels;
}

}  // namespace

std::vector<std::uint8_t> BuildBackcgResource(const IndexedPicture& picture) {
    const std::vector<std::uint8_t> coded =
        EncodeColumnRle(picture.indices.data(), picture.width, picture.height);
    std::vector<std::uint8_t> resource(picture.colourTable.begin(), picture.colourTable.end());
    AppendU32(resource, kContainerFirstField);
    AppendU32(resource, kShippedRecordOffset);
    AppendU32(resource, 0);  // the record's first field, not read
    resource.insert(resource.end(), coded.begin(), coded.end());
    return resource;
}

DecodedResource DecodeBackcgResource(const std::vector<std::uint8_t>& resource) {
    BackcgLayout layout;
    if (!LocateBackcgRecord(resource.data(), resource.size(), &layout))
        throw std::runtime_error("not a BACKCG resource: its header or picture size is invalid");
    DecodedResource decoded;
    decoded.picture.width = layout.width;
    decoded.picture.height = layout.height;
    decoded.picture.indices = DecodePixels(layout);
    std::copy(layout.colours, layout.colours + kBackcgColourTableBytes,
              decoded.picture.colourTable.begin());
    decoded.codedBytes = std::size_t(layout.end - layout.sizeFields) - 4;
    return decoded;
}
