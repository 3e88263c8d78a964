// Splitting installation paths of code page 932, where 0x5C is also the
// second byte of characters such as ソ and 表, and of code page 1252, where
// it never is. The bytes are written out because the native build does not
// compile strings to code page 932.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "path_parts.h"

namespace {

// "ソフト" and "表" in code page 932: ソ and 表 end in 0x5C.
const std::string kSoftware = "\x83\x5c" "\x83\x74" "\x83\x67";
const std::string kTable = "\x95\x5c";

// Code page 1252 has no double-byte characters.
bool IsCp1252LeadByte(unsigned char) { return false; }

std::vector<std::string> ParentsOf(const std::string& path, LeadBytePredicate isLeadByte = IsCp932LeadByte) {
    std::size_t lengths[8];
    const std::size_t found = FindParentLengths(path.c_str(), isLeadByte, lengths, 8);
    std::vector<std::string> parents;
    for (std::size_t i = 0; i < found && i < 8; ++i) parents.push_back(path.substr(0, lengths[i]));
    return parents;
}

std::string Trimmed(const std::string& path, bool* cut) {
    std::vector<char> buffer(path.begin(), path.end());
    buffer.push_back('\0');
    *cut = TrimTrailingSeparator(buffer.data(), IsCp932LeadByte);
    return buffer.data();
}

}  // namespace

TEST(Cp932Bytes, LeadBytesOpenDoubleByteCharactersOnly) {
    for (unsigned char lead : {0x81, 0x83, 0x95, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(IsCp932LeadByte(lead)) << int(lead);
    // ASCII, the separator, half-width katakana (single bytes) and the unused ends.
    for (unsigned char single : {0x00, 0x41, 0x5C, 0x7F, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(IsCp932LeadByte(single)) << int(single);
}

TEST(Cp932Bytes, SecondByteOfADoubleByteCharacterIsNoSeparator) {
    const std::string path = "C:\\" + kTable + "\\x";
    EXPECT_TRUE(IsSeparatorAt(path.c_str(), 2, IsCp932LeadByte));
    EXPECT_FALSE(IsSeparatorAt(path.c_str(), 4, IsCp932LeadByte));  // 表's 0x5C
    EXPECT_TRUE(IsSeparatorAt(path.c_str(), 5, IsCp932LeadByte));
    EXPECT_FALSE(IsSeparatorAt(path.c_str(), 6, IsCp932LeadByte));
}

TEST(ParentDirectories, JapaneseNamesAreSplitOnlyAtRealSeparators) {
    const std::string path = "C:\\" + kSoftware + "\\" + kTable + "\\x";
    EXPECT_EQ(ParentsOf(path),
              (std::vector<std::string>{"C:\\" + kSoftware, "C:\\" + kSoftware + "\\" + kTable}));
}

// é (0xE9) is a letter of its own in code page 1252 but would open a
// double-byte character in code page 932 and hide the separator after it.
TEST(ParentDirectories, ASingleByteCodePageSplitsAtEveryBackslash) {
    const std::string cafe = "C:\\Spiele\\Caf\xe9";
    EXPECT_EQ(ParentsOf(cafe + "\\Q7R", IsCp1252LeadByte), (std::vector<std::string>{"C:\\Spiele", cafe}));
    EXPECT_TRUE(IsSeparatorAt((cafe + "\\").c_str(), cafe.size(), IsCp1252LeadByte));
}

TEST(ParentDirectories, AsciiPathsAndTheDriveRoot) {
    EXPECT_EQ(ParentsOf("C:\\Games\\Demo\\data"), (std::vector<std::string>{"C:\\Games", "C:\\Games\\Demo"}));
    EXPECT_TRUE(ParentsOf("C:\\").empty());
    EXPECT_TRUE(ParentsOf("C:\\Games").empty());
}

TEST(ParentDirectories, CountsAllButStoresOnlyWhatFits) {
    std::size_t lengths[2] = {0, 12345};
    EXPECT_EQ(FindParentLengths("C:\\a\\b\\c", IsCp932LeadByte, lengths, 1), 2u);
    EXPECT_EQ(lengths[0], 4u);
    EXPECT_EQ(lengths[1], 12345u);
}

TEST(TrailingSeparator, OneIsCutOffADirectoryButNotOffTheRootOrACharacter) {
    struct Case {
        std::string path;
        std::string expected;
    };
    for (const Case& c : {Case{"C:\\Games\\", "C:\\Games"}, Case{"C:\\" + kSoftware + "\\", "C:\\" + kSoftware},
                          Case{"C:\\", "C:\\"}, Case{"C:\\" + kTable, "C:\\" + kTable},
                          Case{"C:\\Games", "C:\\Games"}}) {
        SCOPED_TRACE(c.path);
        bool cut = false;
        EXPECT_EQ(Trimmed(c.path, &cut), c.expected);
        EXPECT_EQ(cut, c.path != c.expected);
    }
}
