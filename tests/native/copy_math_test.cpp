// The installer's size text, progress bar and free space figures.
#include <gtest/gtest.h>

#include <cstdint>

#include "copy_math.h"

namespace {

void ExpectSizeText(std::uint64_t bytes, std::uint64_t whole, std::uint32_t tenth) {
    SCOPED_TRACE(bytes);
    const SizeTextFigures figures = ComputeSizeTextFigures(bytes);
    EXPECT_EQ(figures.whole, whole);
    EXPECT_EQ(figures.tenth, tenth);
}

constexpr std::uint32_t kFrameWidth = 264;  // the copy dialog's frame
constexpr std::uint32_t kFullBar = kFrameWidth - 2;

}  // namespace

TEST(SizeText, FiguresAreTruncatedTenthsOf972800Bytes) {
    ExpectSizeText(0, 0, 0);
    ExpectSizeText(97279, 0, 0);
    ExpectSizeText(97280, 0, 1);
    ExpectSizeText(1048576, 1, 0);
    ExpectSizeText(10000000, 10, 2);
    ExpectSizeText(1000000000, 1027, 9);
}

TEST(SizeText, SourcesOf4GiBAndMoreShowTheirTrueSize) {
    ExpectSizeText(std::uint64_t(4) << 30, 4415, 0);
    ExpectSizeText(std::uint64_t(10) << 30, 11037, 6);
}

TEST(ProgressBar, SmallCopiesAreMeasuredInBytes) {
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, 30000, 60000), 131u);
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, 60000, 60000), kFullBar);
}

TEST(ProgressBar, LargeCopiesAreMeasuredInUnitsOf65536Bytes) {
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, 65535, 10000000), 0u);
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, 5000000, 10000000), 131u);
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, 10000000, 10000000), kFullBar);
    const std::uint64_t huge = std::uint64_t(1) << 44;
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, huge / 2, huge), 131u);
}

TEST(ProgressBar, NeverDividesByZeroNorOutgrowsTheFrame) {
    EXPECT_LE(ComputeProgressWidth(kFrameWidth, 0, 0), kFullBar);
    EXPECT_LE(ComputeProgressWidth(kFrameWidth, 5000, 0), kFullBar);
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, 70000, 60000), kFullBar);
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, 20000000, 10000000), kFullBar);
    EXPECT_EQ(ComputeProgressWidth(kFrameWidth, ~std::uint64_t(0), 1), kFullBar);
    EXPECT_EQ(ComputeProgressWidth(1, 5, 10), 0u);
    EXPECT_EQ(ComputeProgressWidth(0, 5, 10), 0u);
}

TEST(FreeSpace, ExactlyTheSpaceNeededIsEnough) {
    EXPECT_TRUE(HasRoomFor(4096000, 4096000));
    EXPECT_FALSE(HasRoomFor(4095999, 4096000));
    EXPECT_TRUE(HasRoomFor(0, 0));
}

TEST(FreeSpace, LargeDrivesDoNotOverflow) {
    EXPECT_EQ(ComputeFreeBytes(64, 4096, 0xFFFFFFFFu), std::uint64_t(64) * 4096 * 0xFFFFFFFFu);
    EXPECT_EQ(ComputeFreeBytes(8, 512, 1000), 4096000u);
}
