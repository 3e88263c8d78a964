#include "drawn_text.h"

#include <set>
#include <vector>

#include "screen_pixels.h"
#include "waiting.h"
#include "window_finding.h"

namespace {

constexpr DWORD kPaintMilliseconds = 2000;

bool ColumnHasInk(const Pixels& shown, int x, COLORREF ink) {
    for (int y = 0; y < shown.height; ++y)
        if (shown.At(x, y) == ink) return true;
    return false;
}

// Which pixels of columns [from, to) are ink, row by row.
std::vector<bool> ShapeOf(const Pixels& shown, int from, int to, COLORREF ink) {
    std::vector<bool> shape;
    for (int y = 0; y < shown.height; ++y)
        for (int x = from; x < to; ++x) shape.push_back(shown.At(x, y) == ink);
    return shape;
}

// A text drawn in glyphs of its own shows at least one shape for each of its
// different ASCII characters and for half of its different other ones; with
// those others as empty boxes or question marks, at most one more.
size_t ShapesOfItsGlyphs(const std::wstring& text) {
    std::set<wchar_t> ascii, others;
    for (wchar_t character : text) {
        if (character == L' ' || character == L'&') continue;
        (character < 0x80 ? ascii : others).insert(character);
    }
    return ascii.size() + (others.size() + 1) / 2;
}

// The different shapes that the ink makes in one line of text shown: each run
// of columns holding ink is one shape, told apart by its pixels.
int CountDistinctShapes(const Pixels& shown, COLORREF ink) {
    std::set<std::vector<bool>> shapes;
    for (int x = 0; x < shown.width; ++x) {
        if (!ColumnHasInk(shown, x, ink)) continue;
        const int from = x;
        while (x < shown.width && ColumnHasInk(shown, x, ink)) ++x;
        shapes.insert(ShapeOf(shown, from, x, ink));
    }
    return static_cast<int>(shapes.size());
}

}  // namespace

bool ShowsItsGlyphs(const RECT& area, COLORREF ink, const std::wstring& text) {
    const size_t wanted = ShapesOfItsGlyphs(text);
    return WaitUntil([&] { return size_t(CountDistinctShapes(CaptureScreen(area), ink)) >= wanted; },
                     kPaintMilliseconds);
}

RECT CaptionTextArea(HWND window) {
    const RECT outer = OuterRect(window);
    const RECT client = ClientRectOnScreen(window);
    const int captionHeight = GetSystemMetrics(SM_CYCAPTION);
    const int buttonsWidth = GetSystemMetrics(SM_CXSIZE) + GetSystemMetrics(SM_CXFIXEDFRAME);
    return RECT{client.left + 1, client.top - captionHeight + 1, outer.right - buttonsWidth, client.top - 1};
}
