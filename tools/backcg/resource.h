// The whole BACKCG resource: colour table, container and image record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "palette.h"

// The container's record offset, counted from the offset field itself.
constexpr std::uint32_t kShippedRecordOffset = 4;

// The resource for a picture; throws std::invalid_argument for a size the
// format cannot hold.
std::vector<std::uint8_t> BuildBackcgResource(const IndexedPicture& picture);

struct DecodedResource {
    IndexedPicture picture;
    std::size_t codedBytes = 0;  // from the first column to the resource's end
};

// Reads a resource as the launcher does; throws std::runtime_error when it is
// malformed.
DecodedResource DecodeBackcgResource(const std::vector<std::uint8_t>& resource);
