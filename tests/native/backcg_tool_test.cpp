// The distributor's backcg tool: its encoder is the exact inverse of the
// launcher's decoder and codes in the fewest bytes the rules allow; the
// command line refuses bad input without leaving an output file behind.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "backcg.h"
#include "encoder.h"
#include "file_io.h"
#include "palette.h"
#include "png_io.h"
#include "resource.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A one-column picture (width 4) from a row string: each letter is a group of
// four bytes equal to it.
Bytes ColumnOf(const std::string& rows) {
    Bytes pixels;
    for (char row : rows) pixels.insert(pixels.end(), 4, std::uint8_t(row));
    return pixels;
}

std::string Stretches(std::initializer_list<std::pair<char, std::size_t>> stretches) {
    std::string rows;
    for (const auto& [letter, length] : stretches) rows.append(length, letter);
    return rows;
}

Bytes EncodeColumn(const std::string& rows) {
    return EncodeColumnRle(ColumnOf(rows).data(), 4, std::uint32_t(rows.size()));
}

// The coded bytes after the width and height fields.
Bytes CodedPart(const Bytes& encoded) { return Bytes(encoded.begin() + 4, encoded.end()); }

Bytes Group(char letter) { return Bytes(4, std::uint8_t(letter)); }

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// Decodes what DecodeColumnRle reads, top-down, into a picture of the given size.
bool DecodeTo(const Bytes& stream, std::uint32_t width, std::uint32_t height, Bytes* pixels) {
    pixels->assign(std::size_t(width) * height, 0);
    return DecodeColumnRle(pixels->data(), stream.data(), stream.data() + stream.size(),
                           std::int32_t(width));
}

// The fewest bytes of any item sequence the decoding rules accept for the
// column, found by trying a literal and every repeat length at every row.
std::size_t ShortestCodingOf(const std::string& rows) {
    const std::size_t unreached = std::numeric_limits<std::size_t>::max() / 2;
    // best[row][afterLiteral]: fewest bytes filling the rows above `row`.
    std::vector<std::array<std::size_t, 2>> best(rows.size() + 1, {unreached, unreached});
    best[0][0] = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int afterLiteral = 0; afterLiteral < 2; ++afterLiteral) {
            const std::size_t sofar = best[row][afterLiteral];
            if (sofar == unreached) continue;
            if (!afterLiteral || rows[row] != rows[row - 1])
                best[row + 1][1] = std::min(best[row + 1][1], sofar + 4);
            if (!afterLiteral) continue;
            for (std::size_t count = 1; count <= 511 && row + count <= rows.size() &&
                                        rows[row + count - 1] == rows[row - 1];
                 ++count) {
                const std::size_t cost = sofar + 4 + (count <= 255 ? 1 : 2);
                best[row + count][0] = std::min(best[row + count][0], cost);
            }
        }
    }
    return std::min(best[rows.size()][0], best[rows.size()][1]);
}

// Stretches of every length in [first, last], alternating two groups.
std::string AllStretchLengths(std::size_t first, std::size_t last) {
    std::string rows;
    for (std::size_t length = first; length <= last; ++length) rows.append(length, length % 2 ? 'x' : 'y');
    return rows;
}

// A deterministic picture of long and short stretches in a few colours.
IndexedPicture StripedPicture(std::uint32_t width, std::uint32_t height) {
    IndexedPicture picture;
    picture.width = width;
    picture.height = height;
    std::uint32_t seed = 12345;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const bool speck = (seed >> 16) % 61 == 0;
            picture.indices.push_back(std::uint8_t(10 + (speck ? (seed >> 8) % 200 : (y / 37 + x / 90) % 7)));
        }
    }
    for (std::size_t i = 0; i < picture.colourTable.size(); ++i) picture.colourTable[i] = std::uint8_t(i * 7);
    return picture;
}

RgbPicture ColourfulPicture(std::uint32_t width, std::uint32_t height, std::uint32_t colours) {
    RgbPicture picture{width, height, {}};
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t colour = (x / 4 + y / 8 * 145) % colours;
            picture.rgb.insert(picture.rgb.end(), {std::uint8_t(colour * 37), std::uint8_t(colour), std::uint8_t(255 - colour)});
        }
    }
    return picture;
}

}  // namespace

TEST(ColumnEncoding, WorkedExampleComesOutByteForByte) {
    EXPECT_EQ(CodedPart(EncodeColumn("ABBBBC")),
              Concat({Group('A'), Group('B'), Group('B'), {0x03}, Group('C')}));
}

TEST(ColumnEncoding, LongStretchesUseTwoByteCountsAndStartOverAfter512Rows) {
    struct Case {
        std::size_t rows;
        Bytes coded;
    };
    const Bytes z = Group('z');
    for (const Case& c : {Case{1, z}, Case{2, Concat({z, z, {0x01}})}, Case{256, Concat({z, z, {0xFF}})},
                          Case{257, Concat({z, z, {0x00, 0x00}})}, Case{512, Concat({z, z, {0x00, 0xFF}})},
                          Case{513, Concat({z, z, {0x00, 0xFF}, z})},
                          Case{515, Concat({z, z, {0x00, 0xFF}, z, z, {0x02}})}}) {
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(CodedPart(EncodeColumn(std::string(c.rows, 'z'))), c.coded);
    }
}

TEST(ColumnEncoding, EveryColumnIsCodedInTheFewestBytesTheRulesAllow) {
    const std::vector<std::string> columns = {
        "ABABAB",
        Stretches({{'a', 1}, {'b', 2}, {'a', 1}, {'c', 3}}),
        AllStretchLengths(1, 60),
        AllStretchLengths(250, 262),
        AllStretchLengths(505, 530),
        AllStretchLengths(1020, 1030),
        Stretches({{'p', 1535}, {'q', 1536}, {'p', 1537}, {'q', 1538}}),
    };
    for (const std::string& rows : columns) {
        SCOPED_TRACE(rows.size());
        const Bytes encoded = EncodeColumn(rows);
        EXPECT_EQ(CodedPart(encoded).size(), ShortestCodingOf(rows));
        Bytes decoded;
        ASSERT_TRUE(DecodeTo(encoded, 4, std::uint32_t(rows.size()), &decoded));
        EXPECT_EQ(decoded, ColumnOf(rows));
    }
}

TEST(ColumnEncoding, SizesTheFormatCannotHoldAreRefused) {
    const Bytes pixels(8 * 2);
    EXPECT_THROW(EncodeColumnRle(pixels.data(), 6, 2), std::invalid_argument);
    EXPECT_THROW(EncodeColumnRle(pixels.data(), 8, 0), std::invalid_argument);
    EXPECT_THROW(EncodeColumnRle(pixels.data(), 0x10000, 1), std::invalid_argument);
}

TEST(ResourceRoundTrip, EncodedPictureDecodesToTheSamePixelsAndColours) {
    const IndexedPicture picture = StripedPicture(580, 440);
    const DecodedResource decoded = DecodeBackcgResource(BuildBackcgResource(picture));
    EXPECT_EQ(decoded.picture.width, 580u);
    EXPECT_EQ(decoded.picture.height, 440u);
    EXPECT_EQ(decoded.picture.indices, picture.indices);
    EXPECT_EQ(decoded.picture.colourTable, picture.colourTable);
}

TEST(ResourceRoundTrip, ResourceTheEncoderMadeReEncodesToTheSameBytes) {
    const Bytes resource = BuildBackcgResource(StripedPicture(580, 440));
    EXPECT_EQ(BuildBackcgResource(DecodeBackcgResource(resource).picture), resource);
}

TEST(ResourceRoundTrip, ShippedContainerHasTheRecordRightAfterTheOffsetField) {
    const Bytes resource = BuildBackcgResource(StripedPicture(8, 2));
    const Bytes container(resource.begin() + 768, resource.begin() + 784);
    EXPECT_EQ(container, Bytes({1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 8, 0, 2, 0}));
}

TEST(ResourceRoundTrip, HandMadeStreamsDecodeByTheRulesAndReEncodeShorter) {
    // Literal + repeat of 1, then an equal literal after the repeat + repeat of 1:
    // four rows of 'k' in 18 bytes, where 9 would do.
    const Bytes handMade =
        Concat({{4, 0, 4, 0}, Group('k'), Group('k'), {0x01}, Group('k'), Group('k'), {0x01}});
    Bytes pixels;
    ASSERT_TRUE(DecodeTo(handMade, 4, 4, &pixels));
    EXPECT_EQ(pixels, ColumnOf("kkkk"));
    EXPECT_EQ(CodedPart(EncodeColumnRle(pixels.data(), 4, 4)), Concat({Group('k'), Group('k'), {0x03}}));
}

TEST(ResourceRoundTrip, RecordFurtherAwayIsFoundThroughTheOffset) {
    Bytes resource = BuildBackcgResource(StripedPicture(8, 3));
    resource[772] = 12;  // eight more bytes before the record
    resource.insert(resource.begin() + 776, 8, 0xEE);
    const DecodedResource decoded = DecodeBackcgResource(resource);
    EXPECT_EQ(decoded.picture.indices, StripedPicture(8, 3).indices);
}

TEST(ResourceRoundTrip, MalformedResourcesAreRefused) {
    const Bytes resource = BuildBackcgResource(StripedPicture(16, 5));
    EXPECT_THROW(DecodeBackcgResource(Bytes(resource.begin(), resource.end() - 1)), std::runtime_error);
    EXPECT_THROW(DecodeBackcgResource(Bytes(resource.begin(), resource.begin() + 780)), std::runtime_error);
    EXPECT_THROW(DecodeBackcgResource(Bytes(100, 0)), std::runtime_error);
}

TEST(Palette, ColoursTakeIndices10To244InAscendingOrderAndTheRestStaysBlack) {
    const RgbPicture rgb = ColourfulPicture(580, 440, kMostPictureColours);
    const IndexedPicture indexed = IndexRgbPicture(rgb);
    EXPECT_EQ(ExpandToRgb(indexed).rgb, rgb.rgb);
    EXPECT_EQ(CountColoursUsed(indexed), kMostPictureColours);
    const auto [lowest, highest] = std::minmax_element(indexed.indices.begin(), indexed.indices.end());
    EXPECT_EQ(*lowest, 10);
    EXPECT_EQ(*highest, 244);
    auto entry = [&](std::size_t index) {
        const std::uint8_t* bgr = &indexed.colourTable[index * 3];
        return (std::uint32_t(bgr[2]) << 16) | (std::uint32_t(bgr[1]) << 8) | bgr[0];
    };
    for (std::size_t index = 0; index < 256; ++index) {
        SCOPED_TRACE(index);
        if (index < 10 || index > 244) {
            EXPECT_EQ(entry(index), 0u);
        } else if (index > 10) {
            EXPECT_LT(entry(index - 1), entry(index));
        }
    }
}

TEST(Palette, MoreThan235ColoursAreRefused) {
    EXPECT_THROW(IndexRgbPicture(ColourfulPicture(580, 440, kMostPictureColours + 1)), std::runtime_error);
}

namespace {

namespace fs = std::filesystem;

// Runs the built backcg in a scratch directory of its own.
class BackcgCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("backcg_test_" + std::to_string(::getpid()) + "_" + test->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    // The exit status; standard output and error are kept for the checks.
    int Run(const std::string& arguments) {
        const std::string command = std::string("\"") + BACKCG_TOOL + "\" " + arguments + " >\"" +
                                    PathOf("stdout.txt") + "\" 2>\"" + PathOf("stderr.txt") + "\"";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Output(const std::string& name) const {
        std::ifstream in(PathOf(name));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void WritePng(const std::string& name, const RgbPicture& picture) {
        WriteFileAtomically(PathOf(name), EncodePng(picture));
    }

    void WriteBytes(const std::string& name, const Bytes& bytes) { WriteFileAtomically(PathOf(name), bytes); }

    // The command failed with a message and left neither the output nor a partial file.
    void ExpectRefused(const std::string& arguments, const std::string& output, const std::string& message) {
        SCOPED_TRACE(arguments);
        EXPECT_NE(Run(arguments), 0);
        EXPECT_NE(Output("stderr.txt").find(message), std::string::npos) << Output("stderr.txt");
        EXPECT_FALSE(fs::exists(PathOf(output)));
        EXPECT_FALSE(fs::exists(PathOf(output + ".partial")));
    }

    fs::path dir_;
};

}  // namespace

TEST_F(BackcgCommand, EncodeThenDecodeGivesBackThePicture) {
    const RgbPicture picture = ColourfulPicture(580, 440, 40);
    WritePng("in.png", picture);
    ASSERT_EQ(Run("encode " + PathOf("in.png") + " " + PathOf("title.bin")), 0);
    ASSERT_EQ(Run("decode " + PathOf("title.bin") + " " + PathOf("out.png")), 0);
    EXPECT_EQ(DecodePng(ReadWholeFile(PathOf("out.png"))).rgb, picture.rgb);

    ASSERT_EQ(Run("info " + PathOf("title.bin")), 0);
    const std::string info = Output("stdout.txt");
    EXPECT_NE(info.find("580 x 440"), std::string::npos) << info;
    EXPECT_NE(info.find("colours used: 40"), std::string::npos) << info;
    const std::size_t coded = fs::file_size(PathOf("title.bin")) - 784;  // colours, container, record header
    EXPECT_NE(info.find("coded size: " + std::to_string(coded) + " bytes"), std::string::npos) << info;
}

TEST_F(BackcgCommand, CommittedTitlePictureEncodesAndSurvivesTheRoundTrip) {
    ASSERT_EQ(Run(std::string("encode \"") + TITLE_PICTURE + "\" " + PathOf("title.bin")), 0)
        << Output("stderr.txt");
    ASSERT_EQ(Run("decode " + PathOf("title.bin") + " " + PathOf("title.png")), 0);
    EXPECT_EQ(DecodePng(ReadWholeFile(PathOf("title.png"))).rgb,
              DecodePng(ReadWholeFile(TITLE_PICTURE)).rgb);
}

TEST_F(BackcgCommand, BadPicturesAreRefusedWithoutOutput) {
    WritePng("small.png", ColourfulPicture(440, 580, 4));
    ExpectRefused("encode " + PathOf("small.png") + " " + PathOf("out.bin"), "out.bin", "580 x 440");

    WritePng("busy.png", ColourfulPicture(580, 440, kMostPictureColours + 1));
    ExpectRefused("encode " + PathOf("busy.png") + " " + PathOf("out.bin"), "out.bin", "colours");

    ExpectRefused("encode " + PathOf("missing.png") + " " + PathOf("out.bin"), "out.bin", "cannot open");

    WriteBytes("text.png", Bytes(200, 'x'));
    ExpectRefused("encode " + PathOf("text.png") + " " + PathOf("out.bin"), "out.bin", "PNG");

    const Bytes png = EncodePng(ColourfulPicture(580, 440, 10));
    WriteBytes("cut.png", Bytes(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2)));
    ExpectRefused("encode " + PathOf("cut.png") + " " + PathOf("out.bin"), "out.bin", "PNG");
}

TEST_F(BackcgCommand, MalformedResourcesAreRefusedWithoutOutput) {
    const Bytes resource = BuildBackcgResource(IndexRgbPicture(ColourfulPicture(580, 440, 10)));
    WriteBytes("cut.bin", Bytes(resource.begin(), resource.end() - 1));
    ExpectRefused("decode " + PathOf("cut.bin") + " " + PathOf("out.png"), "out.png", "malformed");
    ExpectRefused("info " + PathOf("cut.bin"), "out.png", "malformed");

    WriteBytes("short.bin", Bytes(775, 0));
    ExpectRefused("decode " + PathOf("short.bin") + " " + PathOf("out.png"), "out.png", "not a BACKCG");
}

TEST_F(BackcgCommand, WrongArgumentsShowTheUsage) {
    EXPECT_EQ(Run("encode only-one.png"), 2);
    EXPECT_NE(Output("stderr.txt").find("usage"), std::string::npos);
}
