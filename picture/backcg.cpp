#include "backcg.h"

#include <cstring>

namespace {

std::uint32_t ReadU16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

std::uint32_t ReadU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

// A group is four pixels of one column in one row, compared as one value.
std::uint32_t LoadGroup(const std::uint8_t* p) {
    std::uint32_t group;
    std::memcpy(&group, p, sizeof group);
    return group;
}

void StoreGroup(std::uint8_t* p, std::uint32_t group) { std::memcpy(p, &group, sizeof group); }

// Reads one column of `height` rows; false when the stream is malformed.
bool DecodeColumn(std::uint8_t* top, std::int32_t stride, std::uint32_t height,
                  const std::uint8_t*& in, const std::uint8_t* end) {
    // The address is worked out afresh for each row, so no pointer ever steps
    // past the buffer after its last row.
    auto rowAt = [&](std::uint32_t row) { return top + std::ptrdiff_t(row) * stride; };
    std::uint32_t row = 0;
    std::uint32_t rowsLeft = height;
    std::uint32_t lastLiteral = 0;
    bool afterLiteral = false;
    while (rowsLeft > 0) {
        if (end - in < 4) return false;
        std::uint32_t group = LoadGroup(in);
        in += 4;
        if (!afterLiteral || group != lastLiteral) {
            lastLiteral = group;
            StoreGroup(rowAt(row++), group);
            rowsLeft -= 1;
            afterLiteral = true;
            continue;
        }
        // A marker: the last literal again, then its count.
        if (end - in < 1) return false;
        std::uint32_t count = *in++;
        if (count == 0) {
            if (end - in < 1) return false;
            count = 256 + *in++;
        }
        if (count > rowsLeft) return false;
        for (std::uint32_t i = 0; i < count; ++i) StoreGroup(rowAt(row++), lastLiteral);
        rowsLeft -= count;
        afterLiteral = false;
    }
    return true;
}

}  // namespace

bool IsBackcgSizeValid(std::uint32_t width, std::uint32_t height) {
    return width >= 4 && width % 4 == 0 && height >= 1;
}

bool LocateBackcgRecord(const std::uint8_t* data, std::size_t size, BackcgLayout* layout) {
    if (size < kBackcgRecordOffsetField + 4) return false;
    const std::uint64_t recordOffset = ReadU32(data + kBackcgRecordOffsetField);
    const std::uint64_t record = kBackcgRecordOffsetField + recordOffset;
    if (record + kBackcgRecordHeaderBytes > size) return false;
    layout->colours = data;
    layout->sizeFields = data + record + 4;
    layout->end = data + size;
    layout->width = ReadU16(layout->sizeFields);
    layout->height = ReadU16(layout->sizeFields + 2);
    return IsBackcgSizeValid(layout->width, layout->height);
}

bool DecodeColumnRle(std::uint8_t* destination, const std::uint8_t* source,
                     const std::uint8_t* sourceEnd, std::int32_t stride) {
    if (sourceEnd - source < 4) return false;
    const std::uint32_t width = ReadU16(source);
    const std::uint32_t height = ReadU16(source + 2);
    if (!IsBackcgSizeValid(width, height)) return false;
    const std::uint8_t* in = source + 4;
    for (std::uint32_t column = 0; column < width / 4; ++column) {
        if (!DecodeColumn(destination + 4 * column, stride, height, in, sourceEnd)) return false;
    }
    return true;
}
