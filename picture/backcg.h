// The BACKCG picture resource: a 256-colour table, a small container pointing
// to one image record, and the record's column-wise run-length coded pixels.
// Free of windows.h so it builds and is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>

// Byte layout of the resource (little-endian integers).
constexpr std::size_t kBackcgColourCount = 256;
constexpr std::size_t kBackcgColourTableBytes = kBackcgColourCount * 3;  // blue, green, red
constexpr std::size_t kBackcgContainerOffset = kBackcgColourTableBytes;   // first field: 1, not read
constexpr std::size_t kBackcgRecordOffsetField = kBackcgContainerOffset + 4;
constexpr std::size_t kBackcgRecordHeaderBytes = 8;  // a field that is not read, width, height

// Where the parts of a resource lie, found by LocateBackcgRecord.
struct BackcgLayout {
    const std::uint8_t* colours;     // 256 entries of blue, green, red
    const std::uint8_t* sizeFields;  // the record's width field: what DecodeColumnRle reads first
    const std::uint8_t* end;         // one past the resource's last byte
    std::uint32_t width;
    std::uint32_t height;
};

// Finds the image record through the container. False when the colour table,
// the container or the record header does not fit inside [data, data + size),
// or when the size is outside the format (width not a positive multiple of 4,
// height 0).
bool LocateBackcgRecord(const std::uint8_t* data, std::size_t size, BackcgLayout* layout);

// Decodes the column-coded picture whose width field is at `source` into
// `destination` (the top row's leftmost pixel), moving `stride` bytes from one
// row to the next row down. Reads nothing at or past `sourceEnd` and writes
// only the width x height pixels it was asked for. False for a malformed
// picture: a bad size, a stream that ends early, or a repeat longer than the
// rows left in its column. On false the pixels may be partly written.
bool DecodeColumnRle(std::uint8_t* destination, const std::uint8_t* source,
                     const std::uint8_t* sourceEnd, std::int32_t stride);

// True when the size is one the format allows.
bool IsBackcgSizeValid(std::uint32_t width, std::uint32_t height);
