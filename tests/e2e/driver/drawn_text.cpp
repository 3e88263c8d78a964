#include "drawn_text.h"

#include <set>
#include <vector>

#include "waiting.h"
#include "window_finding.h"

namespace {

constexpr DWORD kPaintMilliseconds = 2000;

// Rows [top, bottom) of the text's lines.
struct Band {
    int top;
    int bottom;
};

bool HasInk(const Pixels& shown, RECT area, COLORREF ink) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (shown.At(x, y) == ink) return true;
    return false;
}

// The runs of rows that hold ink: the lines of a text.
std::vector<Band> LinesOf(const Pixels& shown, COLORREF ink) {
    std::vector<Band> lines;
    for (int y = 0; y < shown.height;) {
        if (!HasInk(shown, RECT{0, y, shown.width, y + 1}, ink)) {
            ++y;
            continue;
        }
        const int top = y;
        while (y < shown.height && HasInk(shown, RECT{0, y, shown.width, y + 1}, ink)) ++y;
        lines.push_back(Band{top, y});
    }
    return lines;
}

// Which pixels of the area are ink, row by row.
std::vector<bool> ShapeOf(const Pixels& shown, RECT area, COLORREF ink) {
    std::vector<bool> shape;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) shape.push_back(shown.At(x, y) == ink);
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

}  // namespace

int CountDistinctShapes(const Pixels& shown, COLORREF ink) {
    std::set<std::vector<bool>> shapes;
    for (const Band& line : LinesOf(shown, ink)) {
        for (int x = 0; x < shown.width;) {
            if (!HasInk(shown, RECT{x, line.top, x + 1, line.bottom}, ink)) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < shown.width && HasInk(shown, RECT{x, line.top, x + 1, line.bottom}, ink)) ++x;
            shapes.insert(ShapeOf(shown, RECT{from, line.top, x, line.bottom}, ink));
        }
    }
    return static_cast<int>(shapes.size());
}

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
