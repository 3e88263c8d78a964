// The launcher's own C library functions (launcher/c_library.cpp), built here
// under kve_ names and held against the standard ones.
#include <cstddef>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

extern "C" {
void* kve_memcpy(void* destination, const void* source, std::size_t count);
void* kve_memset(void* destination, int value, std::size_t count);
void* kve_memchr(const void* memory, int value, std::size_t count);
std::size_t kve_strlen(const char* text);
int kve_strcmp(const char* left, const char* right);
}

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(LauncherCLibrary, StrcmpOrdersAsTheStandardOne) {
    const char* const pairs[][2] = {
        {"InstallDir", "InstallDir"}, {"Install", "InstallDir"}, {"InstallDir", "Install"},
        {"", ""}, {"", "a"}, {"a", ""},
        {"InstallDir", "InstallDiR"}, {"abc", "abd"},
        {"\x82\xa0", "a"}, {"a", "\x82\xa0"}, {"\xff", "\x80"},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(std::string(pair[0]) + " | " + pair[1]);
        EXPECT_EQ(Sign(kve_strcmp(pair[0], pair[1])), Sign(std::strcmp(pair[0], pair[1])));
    }
}

TEST(LauncherCLibrary, StrlenCountsEveryByteBeforeTheTerminator) {
    for (const char* text : {"", "a", "InstallDir", "\x82\xa0\x82\xa2", "\xff"})
        EXPECT_EQ(kve_strlen(text), std::strlen(text)) << text;
}

TEST(LauncherCLibrary, MemcpyAndMemsetTouchExactlyTheCountedBytes) {
    for (std::size_t count : {0u, 1u, 7u, 8u}) {
        SCOPED_TRACE(count);
        unsigned char copied[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        unsigned char expected[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        const unsigned char source[8] = {0x80, 0xff, 0, 9, 10, 11, 12, 13};
        EXPECT_EQ(kve_memcpy(copied, source, count), copied);
        std::memcpy(expected, source, count);
        EXPECT_EQ(std::memcmp(copied, expected, sizeof copied), 0);

        EXPECT_EQ(kve_memset(copied, 0x1c2, count), copied);
        std::memset(expected, 0x1c2, count);
        EXPECT_EQ(std::memcmp(copied, expected, sizeof copied), 0);
    }
}

TEST(LauncherCLibrary, MemchrFindsTheFirstMatchWithinTheCount) {
    const unsigned char bytes[] = {'a', 0x82, 0, 'b', 0xff};
    struct Case { int value; std::size_t count; };
    const Case cases[] = {
        {'a', 0}, {'a', 1}, {0x82, 5}, {0, 5}, {0xff, 5}, {0xff, 4}, {-1, 5}, {0x182, 5}, {'z', 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " in " + std::to_string(c.count));
        EXPECT_EQ(kve_memchr(bytes, c.value, c.count), std::memchr(bytes, c.value, c.count));
    }
}

}  // namespace
