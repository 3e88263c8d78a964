// The installer's size text, progress bar and free space figures, and the
// copy's step of one block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "copy_block.h"
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

namespace {

// A source file read from its start, and the copy written behind it; the
// copy takes at most `writeLimit` bytes a write, as a full disk would.
struct FilePair {
    explicit FilePair(std::string bytes) : source(std::move(bytes)) {}

    std::string source;
    std::string copy;
    std::size_t position = 0;
    std::uint32_t writeLimit = kTransferFailed;
    bool readFails = false;

    std::uint32_t Read(std::uint8_t* buffer, std::uint32_t capacity) {
        if (readFails) return kTransferFailed;
        const std::size_t count = std::min<std::size_t>(capacity, source.size() - position);
        source.copy(reinterpret_cast<char*>(buffer), count, position);
        position += count;
        return static_cast<std::uint32_t>(count);
    }

    std::uint32_t Write(const std::uint8_t* buffer, std::uint32_t count) {
        if (writeLimit == 0) return kTransferFailed;
        const std::uint32_t taken = std::min(count, writeLimit);
        copy.append(reinterpret_cast<const char*>(buffer), taken);
        return taken;
    }

    // Copies block by block until the file is done or fails; every outcome in order.
    std::vector<BlockOutcome> CopyAll(std::uint64_t* copiedBytes) {
        std::vector<std::uint8_t> buffer(kCopyBlockBytes);
        std::vector<BlockOutcome> outcomes;
        do {
            outcomes.push_back(CopyOneBlock(
                buffer.data(), [this](std::uint8_t* b, std::uint32_t n) { return Read(b, n); },
                [this](const std::uint8_t* b, std::uint32_t n) { return Write(b, n); }, copiedBytes));
        } while (outcomes.back() == BlockOutcome::kCopied && outcomes.size() < 10);
        return outcomes;
    }
};

std::string Pattern(std::size_t bytes) {
    std::string pattern(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i) pattern[i] = static_cast<char>(i * 7 + i / 251);
    return pattern;
}

using Outcomes = std::vector<BlockOutcome>;
constexpr BlockOutcome kCopied = BlockOutcome::kCopied;
constexpr BlockOutcome kFileDone = BlockOutcome::kFileDone;
constexpr BlockOutcome kFailed = BlockOutcome::kFailed;

}  // namespace

TEST(CopyBlock, AFileOf128KiBTakesTwoBlocksAndAStepThatFindsItsEnd) {
    FilePair files(Pattern(131072));
    std::uint64_t copied = 5;
    EXPECT_EQ(files.CopyAll(&copied), (Outcomes{kCopied, kCopied, kFileDone}));
    EXPECT_TRUE(files.copy == files.source);
    EXPECT_EQ(copied, 5u + 131072u);
}

TEST(CopyBlock, AFailedReadOrWriteAndAShortWriteFailTheCopy) {
    struct Case {
        const char* what;
        bool readFails;
        std::uint32_t writeLimit;
    };
    for (const Case& c : {Case{"the read fails", true, kTransferFailed}, Case{"the write fails", false, 0},
                          Case{"the write stops one byte short", false, kCopyBlockBytes - 1},
                          Case{"the write takes one byte", false, 1}}) {
        SCOPED_TRACE(c.what);
        FilePair files(Pattern(100000));
        files.readFails = c.readFails;
        files.writeLimit = c.writeLimit;
        std::uint64_t copied = 0;
        EXPECT_EQ(files.CopyAll(&copied), Outcomes{kFailed});
        EXPECT_EQ(copied, 0u);
    }
}
