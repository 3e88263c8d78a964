#include "background_picture.h"

#include <algorithm>

#include "backcg.h"

namespace {

bool IsSkipped(int x, int y, const std::vector<RECT>& skipped) {
    const POINT point{x, y};
    return std::any_of(skipped.begin(), skipped.end(), [&](const RECT& area) { return PtInRect(&area, point); });
}

bool ShowsPictureColour(const Pixels& shown, const BackgroundPicture& picture, POINT origin, int x, int y) {
    const int column = origin.x + x;
    const int row = origin.y + y;
    if (column < 0 || row < 0 || column >= picture.width || row >= picture.height) return false;
    return shown.At(x, y) == picture.ColourAt(column, row);
}

}  // namespace

COLORREF BackgroundPicture::ColourAt(int x, int rowFromTop) const {
    const RGBQUAD& colour = colours[indices[size_t(rowFromTop) * width + x]];
    return RGB(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

BackgroundPicture BackgroundPicture::UpsideDown() const {
    BackgroundPicture flipped = *this;
    for (int row = 0; row < height; ++row)
        std::copy_n(&indices[size_t(height - 1 - row) * width], width, &flipped.indices[size_t(row) * width]);
    return flipped;
}

BackgroundPicture BackgroundPicture::WithRedAndBlueSwapped() const {
    BackgroundPicture swapped = *this;
    for (RGBQUAD& colour : swapped.colours) std::swap(colour.rgbRed, colour.rgbBlue);
    return swapped;
}

bool LoadBackgroundPicture(HMODULE module, BackgroundPicture* picture) {
    HRSRC resource = FindResourceA(module, "BACKCG", MAKEINTRESOURCEA(10));
    if (resource == nullptr) return false;
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, resource)));
    BackcgLayout layout;
    if (data == nullptr || !LocateBackcgRecord(data, SizeofResource(module, resource), &layout)) return false;
    picture->width = int(layout.width);
    picture->height = int(layout.height);
    picture->indices.assign(size_t(layout.width) * layout.height, 0);
    for (size_t i = 0; i < picture->colours.size(); ++i) {
        const std::uint8_t* entry = layout.colours + 3 * i;  // blue, green, red
        picture->colours[i] = RGBQUAD{entry[0], entry[1], entry[2], 0};
    }
    return DecodeColumnRle(picture->indices.data(), layout.sizeFields, layout.end, std::int32_t(layout.width));
}

bool LoadBackgroundPictureOfProgram(const std::string& path, BackgroundPicture* picture) {
    HMODULE program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr) return false;
    const bool loaded = LoadBackgroundPicture(program, picture);
    FreeLibrary(program);
    return loaded;
}

// Offsets are measured from the picture's bottom-left corner, as for a bottom-up bitmap.
POINT CentralPartOrigin(const BackgroundPicture& picture, int clientWidth, int clientHeight) {
    const int fromLeft = (picture.width - clientWidth) / 2;
    const int fromBottom = (picture.height - clientHeight) / 2;
    return POINT{fromLeft, picture.height - fromBottom - clientHeight};
}

int CountDifferences(const Pixels& shown, const BackgroundPicture& picture, POINT origin,
                     const std::vector<RECT>& skipped) {
    int differences = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            if (!IsSkipped(x, y, skipped) && !ShowsPictureColour(shown, picture, origin, x, y)) ++differences;
    return differences;
}
