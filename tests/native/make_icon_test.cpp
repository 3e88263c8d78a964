// The program icon's .ico file: one 32 x 32 image at 4 bits per pixel whose
// masks, read back the way Windows reads them, give the drawing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ico_file.h"
#include "icon_art.h"

namespace {

std::uint32_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes.at(at) | (bytes.at(at + 1) << 8);
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return U16At(bytes, at) | (U16At(bytes, at + 2) << 16);
}

constexpr std::size_t kImage = 22;                     // after the directory and its one entry
constexpr std::size_t kPalette = kImage + 40;
constexpr std::size_t kColourMask = kPalette + 64;
constexpr std::size_t kAndMask = kColourMask + 32 * 16;

// The colour index and transparency of pixel (x, y), y counted from the top.
std::uint32_t ColourAt(const std::vector<std::uint8_t>& ico, int x, int y) {
    const std::uint8_t pair = ico.at(kColourMask + (31 - y) * 16 + x / 2);
    return x % 2 ? pair & 0x0F : pair >> 4;
}

bool TransparentAt(const std::vector<std::uint8_t>& ico, int x, int y) {
    return (ico.at(kAndMask + (31 - y) * 4 + x / 8) >> (7 - x % 8)) & 1;
}

}  // namespace

TEST(ProgramIcon, FileHoldsOne32By32SixteenColourImage) {
    const std::vector<std::uint8_t> ico = BuildIcoFile(DrawIcon());
    ASSERT_EQ(ico.size(), kAndMask + 32 * 4);
    EXPECT_EQ(U16At(ico, 0), 0u);
    EXPECT_EQ(U16At(ico, 2), 1u);  // icon
    EXPECT_EQ(U16At(ico, 4), 1u);  // one image
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 16);
    EXPECT_EQ(U16At(ico, 12), 4u);
    EXPECT_EQ(U32At(ico, 14), ico.size() - kImage);
    EXPECT_EQ(U32At(ico, 18), kImage);

    EXPECT_EQ(U32At(ico, kImage), 40u);       // BITMAPINFOHEADER
    EXPECT_EQ(U32At(ico, kImage + 4), 32u);   // width
    EXPECT_EQ(U32At(ico, kImage + 8), 64u);   // both masks
    EXPECT_EQ(U16At(ico, kImage + 12), 1u);   // planes
    EXPECT_EQ(U16At(ico, kImage + 14), 4u);   // bits per pixel
    EXPECT_EQ(U32At(ico, kImage + 16), 0u);   // uncompressed
}

TEST(ProgramIcon, PaletteIsTheStandardVgaSixteen) {
    const std::vector<std::uint8_t> ico = BuildIcoFile(DrawIcon());
    const std::uint32_t expected[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(U32At(ico, kPalette + 4 * i), expected[i]) << i;
}

TEST(ProgramIcon, MasksReadBottomUpGiveTheDrawing) {
    const IconPicture icon = DrawIcon();
    const std::vector<std::uint8_t> ico = BuildIcoFile(icon);
    int opaquePixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const bool opaque = icon.opaque[y * 32 + x];
            EXPECT_EQ(TransparentAt(ico, x, y), !opaque);
            EXPECT_EQ(ColourAt(ico, x, y), opaque ? icon.colours[y * 32 + x] : 0u);
            opaquePixels += opaque;
        }
    }
    // A picture, not an empty or full square.
    EXPECT_GT(opaquePixels, 300);
    EXPECT_LT(opaquePixels, 32 * 32 - 100);
    EXPECT_TRUE(TransparentAt(ico, 0, 31));
    EXPECT_FALSE(TransparentAt(ico, 16, 16));
}
