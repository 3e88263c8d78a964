#include "ico_file.h"

#include <utility>

namespace {

constexpr std::uint32_t kDirectoryBytes = 6;
constexpr std::uint32_t kEntryBytes = 16;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPaletteBytes = 16 * 4;
constexpr std::uint32_t kColourRowBytes = kIconSide / 2;  // 4 bits a pixel, already 4-byte aligned
constexpr std::uint32_t kMaskRowBytes = kIconSide / 8;    // 1 bit a pixel, already 4-byte aligned
constexpr std::uint32_t kColourMaskBytes = kColourRowBytes * kIconSide;
constexpr std::uint32_t kAndMaskBytes = kMaskRowBytes * kIconSide;
constexpr std::uint32_t kImageBytes = kInfoHeaderBytes + kPaletteBytes + kColourMaskBytes + kAndMaskBytes;

class ByteWriter {
public:
    void U8(std::uint32_t value) { bytes_.push_back(std::uint8_t(value)); }
    void U16(std::uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value);
        U16(value >> 16);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

void WriteDirectory(ByteWriter& out) {
    out.U16(0);  // reserved
    out.U16(1);  // an icon, not a cursor
    out.U16(1);  // one image
    out.U8(kIconSide);
    out.U8(kIconSide);
    out.U8(16);  // colours
    out.U8(0);   // reserved
    out.U16(1);  // planes
    out.U16(4);  // bits per pixel
    out.U32(kImageBytes);
    out.U32(kDirectoryBytes + kEntryBytes);
}

void WriteInfoHeader(ByteWriter& out) {
    out.U32(kInfoHeaderBytes);
    out.U32(kIconSide);
    out.U32(2 * kIconSide);  // colour mask and transparency mask
    out.U16(1);
    out.U16(4);
    out.U32(0);  // BI_RGB
    out.U32(kColourMaskBytes + kAndMaskBytes);
    out.U32(0);
    out.U32(0);
    out.U32(16);
    out.U32(0);
}

void WritePalette(ByteWriter& out) {
    for (std::uint32_t colour : kVgaColours) out.U32(colour);  // blue, green, red, 0
}

std::uint32_t PixelAt(const IconPicture& icon, int x, int y) {
    return icon.opaque[y * kIconSide + x] ? icon.colours[y * kIconSide + x] : 0;
}

void WriteColourMask(ByteWriter& out, const IconPicture& icon) {
    for (int y = kIconSide - 1; y >= 0; --y)
        for (int x = 0; x < kIconSide; x += 2) out.U8((PixelAt(icon, x, y) << 4) | PixelAt(icon, x + 1, y));
}

// A set bit keeps the screen: the pixel is transparent.
void WriteAndMask(ByteWriter& out, const IconPicture& icon) {
    for (int y = kIconSide - 1; y >= 0; --y) {
        for (int x = 0; x < kIconSide; x += 8) {
            std::uint32_t bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                bits = (bits << 1) | (icon.opaque[y * kIconSide + x + bit] ? 0 : 1);
            out.U8(bits);
        }
    }
}

}  // namespace

std::vector<std::uint8_t> BuildIcoFile(const IconPicture& icon) {
    ByteWriter out;
    WriteDirectory(out);
    WriteInfoHeader(out);
    WritePalette(out);
    WriteColourMask(out, icon);
    WriteAndMask(out, icon);
    return out.Take();
}
