// The launcher's background picture, decoded from a module's BACKCG resource,
// to tell what the main window must show.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "screen_pixels.h"

struct BackgroundPicture {
    int width = 0;
    int height = 0;
    std::vector<BYTE> indices;         // colour-table indices, top row first
    std::array<RGBQUAD, 256> colours;  // the bitmap's colour table

    COLORREF ColourAt(int x, int rowFromTop) const;
    // Wrong pictures that a faulty display would show instead.
    BackgroundPicture UpsideDown() const;
    BackgroundPicture WithRedAndBlueSwapped() const;
};

// False when the module has no BACKCG resource or it does not decode.
bool LoadBackgroundPicture(HMODULE module, BackgroundPicture* picture);
// The same from a program file, read without running it.
bool LoadBackgroundPictureOfProgram(const std::string& path, BackgroundPicture* picture);

// Where the centred, unscaled picture part shown in a client area of that
// size begins: its column, and its row counted from the picture's top.
POINT CentralPartOrigin(const BackgroundPicture& picture, int clientWidth, int clientHeight);

// How many pixels of `shown` differ from the picture part that begins at
// `origin`; pixels inside `skipped` (same coordinates as `shown`) are left out.
int CountDifferences(const Pixels& shown, const BackgroundPicture& picture, POINT origin,
                     const std::vector<RECT>& skipped = {});
