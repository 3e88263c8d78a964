#include "encoder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "backcg.h"

// Why this is the shortest coding: only equal neighbouring groups can share
// bytes, so each column splits into maximal stretches of one group that are
// coded independently (a stretch's first literal differs from whatever came
// before it, so it is always allowed). Inside a stretch every literal but the
// first must follow a repeat, so the coding is blocks of "literal + repeat"
// covering 2..512 rows for 9 (up to 256 rows) or 10 bytes, with a lone literal
// (4 bytes, 1 row) allowed only last. Full 512-row blocks followed by one
// block for the remainder need the fewest blocks, and trading capacity in an
// earlier block for a one-byte shorter count always costs a byte in the last.

namespace {

constexpr std::uint32_t kGroupBytes = 4;
constexpr std::uint32_t kLongestRepeat = 511;
constexpr std::uint32_t kLongestOneByteCount = 255;
constexpr std::uint32_t kLongestSide = 0xFFFF;

class ColumnWriter {
public:
    ColumnWriter(std::vector<std::uint8_t>& out, const std::uint8_t* pixels, std::uint32_t width,
                 std::uint32_t column)
        : out_(out), top_(pixels + kGroupBytes * column), width_(width) {}

    void Write(std::uint32_t height) {
        std::uint32_t row = 0;
        while (row < height) {
            const std::uint32_t length = StretchLength(row, height);
            WriteStretch(GroupAt(row), length);
            row += length;
        }
    }

private:
    const std::uint8_t* GroupAt(std::uint32_t row) const {
        return top_ + std::size_t(row) * width_;
    }

    // Rows from `row` down that hold the same group as `row`.
    std::uint32_t StretchLength(std::uint32_t row, std::uint32_t height) const {
        std::uint32_t end = row + 1;
        while (end < height && std::memcmp(GroupAt(end), GroupAt(row), kGroupBytes) == 0) ++end;
        return end - row;
    }

    // A literal, then a repeat of up to 511 rows; a longer stretch goes on
    // with the group as a literal again, which is allowed right after a repeat.
    void WriteStretch(const std::uint8_t* group, std::uint32_t length) {
        while (length > 0) {
            WriteGroup(group);
            length -= 1;
            if (length == 0) return;
            const std::uint32_t count = std::min(length, kLongestRepeat);
            WriteGroup(group);  // the marker
            WriteCount(count);
            length -= count;
        }
    }

    void WriteGroup(const std::uint8_t* group) { out_.insert(out_.end(), group, group + kGroupBytes); }

    void WriteCount(std::uint32_t count) {
        if (count > kLongestOneByteCount) {
            out_.push_back(0);
            out_.push_back(std::uint8_t(count - 256));
        } else {
            out_.push_back(std::uint8_t(count));
        }
    }

    std::vector<std::uint8_t>& out_;
    const std::uint8_t* top_;
    std::uint32_t width_;
};

void WriteU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

}  // namespace

std::vector<std::uint8_t> EncodeColumnRle(const std::uint8_t* pixels, std::uint32_t width,
                                          std::uint32_t height) {
    if (!IsBackcgSizeValid(width, height) || width > kLongestSide || height > kLongestSide)
        throw std::invalid_argument("the picture's size cannot be coded");
    std::vector<std::uint8_t> out;
    WriteU16(out, width);
    WriteU16(out, height);
    for (std::uint32_t column = 0; column < width / kGroupBytes; ++column)
        ColumnWriter(out, pixels, width, column).Write(height);
    return out;
}
