#include "screen_pixels.h"

#include <cstring>
#include <fstream>

namespace {

constexpr int kBytesPerPixel = 3;

int PaddedRowBytes(int width) { return (width * kBytesPerPixel + 3) & ~3; }

BITMAPINFOHEADER Header24(int width, int height) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // negative: top row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

template <typename T>
void WriteRaw(std::ofstream& out, const T& value) {
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

COLORREF Pixels::At(int x, int y) const {
    const BYTE* pixel = &bgr[(size_t(y) * width + x) * kBytesPerPixel];
    return RGB(pixel[2], pixel[1], pixel[0]);
}

Pixels CapturePixels(HDC source, const RECT& area) {
    Pixels pixels;
    pixels.width = area.right - area.left;
    pixels.height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader = Header24(pixels.width, -pixels.height);
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, source, area.left, area.top, SRCCOPY);
    GdiFlush();
    const int rowBytes = pixels.width * kBytesPerPixel;
    pixels.bgr.resize(size_t(rowBytes) * pixels.height);
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(&pixels.bgr[size_t(y) * rowBytes], static_cast<BYTE*>(bits) + size_t(y) * PaddedRowBytes(pixels.width),
                    rowBytes);
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    return pixels;
}

Pixels CaptureScreen(const RECT& area) {
    RECT screenRect, visible;
    GetWindowRect(GetDesktopWindow(), &screenRect);
    IntersectRect(&visible, &area, &screenRect);
    HDC screen = GetDC(nullptr);
    Pixels pixels = CapturePixels(screen, visible);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Bottom row first, as most readers of the format expect.
bool SaveBitmapFile(const Pixels& pixels, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    const int rowBytes = PaddedRowBytes(pixels.width);
    const DWORD headersBytes = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = headersBytes;
    file.bfSize = headersBytes + DWORD(rowBytes) * pixels.height;
    WriteRaw(out, file);
    WriteRaw(out, Header24(pixels.width, pixels.height));
    const std::string padding(rowBytes - pixels.width * kBytesPerPixel, '\0');
    for (int y = pixels.height - 1; y >= 0; --y) {
        out.write(reinterpret_cast<const char*>(&pixels.bgr[size_t(y) * pixels.width * kBytesPerPixel]),
                  pixels.width * kBytesPerPixel);
        out << padding;
    }
    return bool(out);
}
