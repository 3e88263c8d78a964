// The picture's decoding alone under Wine: DecodeColumnRle on the launcher's
// own BACKCG resource, as start-up calls it, against a memcpy of the bytes it
// writes.
//
// Usage: decode_bench <runs>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "backcg.h"
#include "figures.h"

namespace {

bool LocatePicture(BackcgLayout* layout) {
    HRSRC resource = FindResourceA(nullptr, "BACKCG", MAKEINTRESOURCEA(10));
    if (resource == nullptr) return false;
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, resource)));
    return data != nullptr && LocateBackcgRecord(data, SizeofResource(nullptr, resource), layout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: decode_bench <runs>\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    BackcgLayout layout;
    if (!LocatePicture(&layout)) {
        std::fprintf(stderr, "decode_bench: no BACKCG picture in this program\n");
        return 1;
    }
    const std::size_t bytes = std::size_t(layout.width) * layout.height;
    std::vector<std::uint8_t> pixels(bytes), copy(bytes);
    const auto stride = -static_cast<std::int32_t>(layout.width);
    Figures decode, memcpyFigures;
    for (int run = 0; run < runs; ++run) {
        const double start = NowMilliseconds();
        if (!DecodeColumnRle(&pixels[bytes - layout.width], layout.sizeFields, layout.end, stride)) return 1;
        const double decoded = NowMilliseconds();
        std::memcpy(copy.data(), pixels.data(), bytes);
        const double copied = NowMilliseconds();
        decode.Add((decoded - start) * 1000);
        memcpyFigures.Add((copied - decoded) * 1000);
    }
    // The copy is read, so that it is made.
    if (copy[bytes / 2] != pixels[bytes / 2]) return 1;
    char heading[160];
    std::snprintf(heading, sizeof heading, "Picture decoding under Wine, %u x %u, %zu bytes (median of %d runs, min-max)",
                  layout.width, layout.height, bytes, runs);
    PrintHeading(heading);
    PrintRow("memcpy of the picture's bytes", memcpyFigures, "us");
    PrintRow("DecodeColumnRle of the launcher's BACKCG", decode, "us", &memcpyFigures, "memcpy");
    return 0;
}
