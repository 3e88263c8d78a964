// Writes small BACKCG resources made by the encoder into a directory, as the
// fuzzer's starting corpus: make_fuzz_seeds DIR
#include <cstdio>
#include <string>

#include "file_io.h"
#include "resource.h"

namespace {

struct Seed {
    const char* name;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t stripeRows;  // rows of one colour before the next
};

// Stretches shorter than one repeat, needing a two-byte count, and longer than 512 rows.
constexpr Seed kSeeds[] = {
    {"one_row", 16, 1, 1},      {"short_runs", 8, 12, 3},  {"alternating", 12, 9, 1},
    {"two_byte_count", 4, 300, 290}, {"over_512", 8, 1100, 520}, {"wide", 64, 6, 2},
};

IndexedPicture Striped(const Seed& seed) {
    IndexedPicture picture;
    picture.width = seed.width;
    picture.height = seed.height;
    for (std::uint32_t y = 0; y < seed.height; ++y)
        for (std::uint32_t x = 0; x < seed.width; ++x)
            picture.indices.push_back(std::uint8_t(10 + (y / seed.stripeRows + x / 4) % 5));
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds DIR\n");
        return 2;
    }
    try {
        for (const Seed& seed : kSeeds)
            WriteFileAtomically(std::string(argv[1]) + "/" + seed.name + ".bin", BuildBackcgResource(Striped(seed)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
