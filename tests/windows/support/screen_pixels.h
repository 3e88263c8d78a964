// Pixels read back from the screen or a window, for comparing what a player
// sees with what should be there.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<BYTE> bgr;  // top row first, three bytes a pixel, rows without padding

    COLORREF At(int x, int y) const;
};

// The pixels of `area` (in the device context's coordinates), as 24-bit colour.
Pixels CapturePixels(HDC source, const RECT& area);
// The pixels of `area` in screen coordinates, whatever window shows them;
// only the part that lies on the screen.
Pixels CaptureScreen(const RECT& area);
// Writes a 24-bit BMP file; false when the file can't be written.
bool SaveBitmapFile(const Pixels& pixels, const std::string& path);
