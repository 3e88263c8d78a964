// libFuzzer target: a resource of any bytes goes through the launcher's
// start-up path: find the record, then decode bottom-up into a picture buffer
// of exactly width x height bytes.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "backcg.h"

namespace {

// Larger pictures only cost memory: the decoder refuses them long before the
// stream could fill them, and the fuzzer would stall on the allocations.
constexpr std::size_t kMostPixels = std::size_t(1) << 22;

// Touches the colour table so a table that does not fit is reported.
unsigned SumColours(const BackcgLayout& layout) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBackcgColourTableBytes; ++i) sum += layout.colours[i];
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BackcgLayout layout;
    if (!LocateBackcgRecord(data, size, &layout)) return 0;
    volatile unsigned colours = SumColours(layout);
    (void)colours;
    const std::size_t pixels = std::size_t(layout.width) * layout.height;
    if (pixels > kMostPixels) return 0;
    std::unique_ptr<std::uint8_t[]> picture(new std::uint8_t[pixels]);
    std::uint8_t* lastRow = picture.get() + pixels - layout.width;
    DecodeColumnRle(lastRow, layout.sizeFields, layout.end, -std::int32_t(layout.width));
    return 0;
}
