// How the launcher reads the BACKCG picture: the container, the column coding
// and its refusals. Inputs and pictures live in heap buffers of exactly their
// size, so AddressSanitizer reports any read or write past them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "backcg.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Group = std::array<std::uint8_t, 4>;

const Group A = {0x01, 0x02, 0x03, 0x04};
const Group B = {0x05, 0x06, 0x07, 0x08};
const Group C = {0x09, 0x0A, 0x0B, 0x0C};

// A heap copy holding exactly the given bytes.
class ExactBuffer {
public:
    explicit ExactBuffer(const Bytes& bytes) : size_(bytes.size()), data_(new std::uint8_t[size_]) {
        if (size_ > 0) std::memcpy(data_.get(), bytes.data(), size_);
    }
    explicit ExactBuffer(std::size_t size) : size_(size), data_(new std::uint8_t[size]()) {}

    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* end() const { return data_.get() + size_; }
    Bytes ToBytes() const { return Bytes(data_.get(), data_.get() + size_); }

private:
    std::size_t size_;
    std::unique_ptr<std::uint8_t[]> data_;
};

void Append(Bytes& out, const Group& group) { out.insert(out.end(), group.begin(), group.end()); }

// The width and height fields followed by the coded columns.
Bytes Stream(std::uint16_t width, std::uint16_t height, const Bytes& columns) {
    Bytes stream = {std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height),
                    std::uint8_t(height >> 8)};
    stream.insert(stream.end(), columns.begin(), columns.end());
    return stream;
}

// Coded bytes written as groups and count bytes, in order.
struct Piece {
    Piece(const Group& group) : bytes(group.begin(), group.end()) {}
    Piece(std::initializer_list<std::uint8_t> countBytes) : bytes(countBytes) {}
    Bytes bytes;
};

Bytes Code(std::initializer_list<Piece> pieces) {
    Bytes out;
    for (const Piece& piece : pieces) out.insert(out.end(), piece.bytes.begin(), piece.bytes.end());
    return out;
}

// A one-column picture (width 4) with these groups from the top down.
Bytes ColumnPicture(std::initializer_list<std::pair<Group, int>> stretches) {
    Bytes pixels;
    for (const auto& [group, rows] : stretches)
        for (int i = 0; i < rows; ++i) Append(pixels, group);
    return pixels;
}

struct Decoded {
    bool ok;
    Bytes pixels;  // rows top-down
};

Decoded DecodeTopDown(const Bytes& stream, std::uint32_t width, std::uint32_t height) {
    ExactBuffer source(stream);
    ExactBuffer picture(std::size_t(width) * height);
    const bool ok = DecodeColumnRle(picture.data(), source.data(), source.end(), std::int32_t(width));
    return {ok, picture.ToBytes()};
}

bool DecodesWithoutFault(const Bytes& stream, std::uint32_t width, std::uint32_t height) {
    return DecodeTopDown(stream, width, height).ok;
}

}  // namespace

TEST(ColumnDecoding, WorkedExampleCodesSixRowsInSeventeenBytes) {
    const Bytes columns = Code({A, B, B, {0x03}, C});
    ASSERT_EQ(columns.size(), 17u);
    const Decoded decoded = DecodeTopDown(Stream(4, 6, columns), 4, 6);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.pixels, ColumnPicture({{A, 1}, {B, 4}, {C, 1}}));
}

TEST(ColumnDecoding, ColumnsFillTheirFourPixelsLeftmostFirst) {
    const Decoded decoded = DecodeTopDown(Stream(8, 2, Code({A, B, C, A})), 8, 2);
    ASSERT_TRUE(decoded.ok);
    Bytes expected;
    for (const Group& group : {A, C, B, A}) Append(expected, group);
    EXPECT_EQ(decoded.pixels, expected);
}

TEST(ColumnDecoding, HeightOneMakesEveryGroupALiteralEvenWhenEqual) {
    const Bytes columns = Code({A, A, A});
    ASSERT_EQ(columns.size(), 12u);
    const Decoded decoded = DecodeTopDown(Stream(12, 1, columns), 12, 1);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.pixels, Code({A, A, A}));
}

TEST(ColumnDecoding, RepeatFillingTheColumnEndsItAndTheNextStartsWithALiteral) {
    // Column one: A for three rows. Column two opens with A again, as a literal.
    const Decoded decoded = DecodeTopDown(Stream(8, 3, Code({A, A, {0x02}, A, B, B, {0x01}})), 8, 3);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.pixels, Code({A, A, A, B, A, B}));
}

TEST(ColumnDecoding, GroupEqualToARepeatIsALiteralAndTheOneAfterItAMarkerAgain) {
    const Decoded oneMoreRow = DecodeTopDown(Stream(4, 4, Code({A, A, {0x02}, A})), 4, 4);
    ASSERT_TRUE(oneMoreRow.ok);
    EXPECT_EQ(oneMoreRow.pixels, ColumnPicture({{A, 4}}));

    const Decoded repeatedAgain = DecodeTopDown(Stream(4, 7, Code({A, A, {0x02}, A, A, {0x03}})), 4, 7);
    ASSERT_TRUE(repeatedAgain.ok);
    EXPECT_EQ(repeatedAgain.pixels, ColumnPicture({{A, 7}}));
}

TEST(ColumnDecoding, CountsRunFromOneTo511Rows) {
    struct Case {
        Bytes count;
        int rows;
    };
    for (const Case& c : {Case{{0x01}, 1}, Case{{0xFF}, 255}, Case{{0x00, 0x00}, 256},
                          Case{{0x00, 0x01}, 257}, Case{{0x00, 0xFF}, 511}}) {
        SCOPED_TRACE(c.rows);
        Bytes columns = Code({B, B});
        columns.insert(columns.end(), c.count.begin(), c.count.end());
        const std::uint16_t height = std::uint16_t(1 + c.rows);
        const Decoded decoded = DecodeTopDown(Stream(4, height, columns), 4, height);
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.pixels, ColumnPicture({{B, 1 + c.rows}}));
    }
}

TEST(ColumnDecoding, StretchOf513RowsTakesFourteenBytes) {
    const Bytes columns = Code({C, C, {0x00, 0xFF}, C});
    ASSERT_EQ(columns.size(), 14u);
    const Decoded decoded = DecodeTopDown(Stream(4, 513, columns), 4, 513);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.pixels, ColumnPicture({{C, 513}}));
}

TEST(BottomUpDecoding, TopRowLandsInTheBufferLastRowLikeAtStartUp) {
    const std::uint32_t width = 8, height = 3;
    const Bytes columns = Code({A, B, B, {0x01}, C, C, {0x02}});
    ExactBuffer source(Stream(width, height, columns));
    ExactBuffer picture(width * height);
    std::uint8_t* lastRow = picture.data() + (height - 1) * width;
    ASSERT_TRUE(DecodeColumnRle(lastRow, source.data(), source.end(), -std::int32_t(width)));

    Bytes bottomUp;  // the picture's rows from the bottom up
    for (const Group& group : {B, C, B, C, A, C}) Append(bottomUp, group);
    EXPECT_EQ(picture.ToBytes(), bottomUp);
}

TEST(MalformedPicture, SizeOutsideTheFormatIsRefused) {
    EXPECT_FALSE(DecodesWithoutFault(Stream(0, 1, Code({A})), 0, 1));
    EXPECT_FALSE(DecodesWithoutFault(Stream(6, 1, Code({A, A})), 6, 1));
    EXPECT_FALSE(DecodesWithoutFault(Stream(2, 1, Code({A})), 2, 1));
    EXPECT_FALSE(DecodesWithoutFault(Stream(4, 0, Code({A})), 4, 0));
}

TEST(MalformedPicture, EveryCutShortStreamIsRefused) {
    // Two columns with a literal, one- and two-byte counts and a literal after a repeat.
    // Among the cuts: right after a 0 count byte, so the count's second byte lies past the end.
    const Bytes stream = Stream(8, 300, Code({A, A, {0x00, 0x10}, A, A, {0x19}, B,  // 273 + 26 + 1 rows
                                              B, B, {0x00, 0x1A}, C, C, {0x10}}));  // 283 + 17 rows
    ASSERT_TRUE(DecodesWithoutFault(stream, 8, 300));
    for (std::size_t size = 0; size < stream.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(DecodesWithoutFault(Bytes(stream.begin(), stream.begin() + std::ptrdiff_t(size)), 8, 300));
    }
}

TEST(MalformedPicture, RepeatLongerThanTheRowsLeftIsRefused) {
    EXPECT_FALSE(DecodesWithoutFault(Stream(4, 3, Code({A, A, {0x03}})), 4, 3));
    EXPECT_FALSE(DecodesWithoutFault(Stream(4, 300, Code({A, A, {0x00, 0xFF}})), 4, 300));
    // In the last column, where writing on would leave the buffer.
    EXPECT_FALSE(DecodesWithoutFault(Stream(8, 2, Code({A, B, C, C, {0x02}})), 8, 2));
}

namespace {

constexpr std::size_t kShippedSizeFields = 780;  // 768 colours, two container fields, one record field

// A resource whose record lies `recordOffset` bytes after the offset field;
// the bytes in between are filled with values that would be a bad size.
Bytes Resource(std::uint32_t recordOffset, std::uint16_t width, std::uint16_t height, const Bytes& columns) {
    Bytes resource(kBackcgColourTableBytes, 0x7E);
    for (std::uint32_t field : {1u, recordOffset})
        for (int shift = 0; shift < 32; shift += 8) resource.push_back(std::uint8_t(field >> shift));
    resource.resize(kBackcgRecordOffsetField + recordOffset + 4, 0x00);
    const Bytes stream = Stream(width, height, columns);
    resource.insert(resource.end(), stream.begin(), stream.end());
    return resource;
}

bool Locate(const Bytes& resource, BackcgLayout* layout) {
    ExactBuffer buffer(resource);
    const bool found = LocateBackcgRecord(buffer.data(), resource.size(), layout);
    if (found) {
        // Point the layout back into the caller's copy for checking.
        layout->sizeFields = resource.data() + (layout->sizeFields - buffer.data());
        layout->end = resource.data() + (layout->end - buffer.data());
        layout->colours = resource.data() + (layout->colours - buffer.data());
    }
    return found;
}

}  // namespace

TEST(RecordLocation, ShippedLayoutGivesTheSizeAndTheStreamStart) {
    const Bytes resource = Resource(4, 580, 440, Code({A}));
    BackcgLayout layout{};
    ASSERT_TRUE(Locate(resource, &layout));
    EXPECT_EQ(layout.width, 580u);
    EXPECT_EQ(layout.height, 440u);
    EXPECT_EQ(layout.colours, resource.data());
    EXPECT_EQ(layout.sizeFields, resource.data() + kShippedSizeFields);
    EXPECT_EQ(layout.end, resource.data() + resource.size());
}

TEST(RecordLocation, OffsetIsCountedFromItsOwnField) {
    const Bytes resource = Resource(20, 8, 2, Code({A, B, C, A}));
    BackcgLayout layout{};
    ASSERT_TRUE(Locate(resource, &layout));
    EXPECT_EQ(layout.sizeFields, resource.data() + kShippedSizeFields + 16);
    EXPECT_EQ(layout.width, 8u);
    EXPECT_EQ(layout.height, 2u);
}

TEST(RecordLocation, HeaderMustFitInsideTheResource) {
    const Bytes headerOnly = Resource(4, 8, 2, {});
    BackcgLayout layout{};
    EXPECT_TRUE(Locate(headerOnly, &layout));
    for (std::size_t size : {std::size_t(0), kBackcgRecordOffsetField + 3, headerOnly.size() - 1}) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(Locate(Bytes(headerOnly.begin(), headerOnly.begin() + std::ptrdiff_t(size)), &layout));
    }
}

TEST(RecordLocation, OffsetsPointingFarAwayAreRefusedWithoutWrapping) {
    for (std::uint32_t offset : {0xFFFFFFFFu, 0xFFFFFFF8u, 0xFFFFFCFCu, 0x80000000u}) {
        Bytes resource = Resource(4, 8, 2, Code({A, B, C, A}));
        for (int shift = 0; shift < 32; shift += 8)
            resource[kBackcgRecordOffsetField + shift / 8] = std::uint8_t(offset >> shift);
        BackcgLayout layout{};
        SCOPED_TRACE(offset);
        EXPECT_FALSE(Locate(resource, &layout));
    }
}

TEST(RecordLocation, SizesOutsideTheFormatAreRefused) {
    BackcgLayout layout{};
    EXPECT_FALSE(Locate(Resource(4, 0, 440, Code({A})), &layout));
    EXPECT_FALSE(Locate(Resource(4, 581, 440, Code({A})), &layout));
    EXPECT_FALSE(Locate(Resource(4, 580, 0, Code({A})), &layout));
}
