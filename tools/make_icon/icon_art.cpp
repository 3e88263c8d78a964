#include "icon_art.h"

#include <cstdint>

const std::array<std::uint32_t, 16> kVgaColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

namespace {

// Geometry is in half pixels from the icon's centre, on whole numbers only,
// so the drawing comes out the same everywhere.
struct HalfPixel {
    std::int64_t u;
    std::int64_t v;
};

HalfPixel CentreOf(int x, int y) { return {2 * x + 1 - kIconSide, 2 * y + 1 - kIconSide}; }

bool InsideCircle(HalfPixel p, std::int64_t cu, std::int64_t cv, std::int64_t radius) {
    const std::int64_t du = p.u - cu;
    const std::int64_t dv = p.v - cv;
    return du * du + dv * dv <= radius * radius;
}

constexpr std::int64_t kPlanetRadius = 19;

// The ring: an ellipse tilted by about 20 degrees (cosine and sine in
// hundredths), between 70 % and 100 % of its size.
constexpr std::int64_t kTiltCos = 94;
constexpr std::int64_t kTiltSin = 34;
constexpr std::int64_t kRingLong = 31;
constexpr std::int64_t kRingShort = 9;

HalfPixel ToRingFrame(HalfPixel p) {
    return {p.u * kTiltCos + p.v * kTiltSin, -p.u * kTiltSin + p.v * kTiltCos};
}

bool OnRing(HalfPixel p) {
    const HalfPixel r = ToRingFrame(p);
    // (r.u / long)^2 + (r.v / short)^2, scaled by long^2 short^2 100^2.
    const std::int64_t level = r.u * r.u * kRingShort * kRingShort + r.v * r.v * kRingLong * kRingLong;
    const std::int64_t outer = kRingLong * kRingLong * kRingShort * kRingShort * 100 * 100;
    return level <= outer && level * 10000 >= outer * 70 * 70;
}

bool RingInFront(HalfPixel p) { return ToRingFrame(p).v >= 0; }

std::uint8_t PlanetColour(HalfPixel p) {
    if (!InsideCircle(p, 5, 5, 20)) return kAqua;  // lit rim, upper left
    if (!InsideCircle(p, -5, -5, 20)) return kNavy;  // shadow, lower right
    return kBlue;
}

std::uint8_t RingColour(HalfPixel p) { return RingInFront(p) ? kYellow : kOlive; }

void Paint(IconPicture& icon, int x, int y, std::uint8_t colour) {
    icon.colours[y * kIconSide + x] = colour;
    icon.opaque[y * kIconSide + x] = true;
}

void DrawPlanetAndRing(IconPicture& icon) {
    for (int y = 0; y < kIconSide; ++y) {
        for (int x = 0; x < kIconSide; ++x) {
            const HalfPixel p = CentreOf(x, y);
            const bool planet = InsideCircle(p, 0, 0, kPlanetRadius);
            if (OnRing(p) && (RingInFront(p) || !planet)) {
                Paint(icon, x, y, RingColour(p));
            } else if (planet) {
                Paint(icon, x, y, PlanetColour(p));
            }
        }
    }
}

bool OpaqueAt(const IconPicture& icon, int x, int y) {
    return x >= 0 && y >= 0 && x < kIconSide && y < kIconSide && icon.opaque[y * kIconSide + x];
}

// A black line around the planet and ring keeps them readable on any desktop.
void DrawOutline(IconPicture& icon) {
    const IconPicture shapes = icon;
    for (int y = 0; y < kIconSide; ++y) {
        for (int x = 0; x < kIconSide; ++x) {
            if (OpaqueAt(shapes, x, y)) continue;
            if (OpaqueAt(shapes, x - 1, y) || OpaqueAt(shapes, x + 1, y) ||
                OpaqueAt(shapes, x, y - 1) || OpaqueAt(shapes, x, y + 1))
                Paint(icon, x, y, kBlack);
        }
    }
}

void DrawStar(IconPicture& icon, int x, int y) {
    Paint(icon, x, y, kWhite);
    Paint(icon, x - 1, y, kSilver);
    Paint(icon, x + 1, y, kSilver);
    Paint(icon, x, y - 1, kSilver);
    Paint(icon, x, y + 1, kSilver);
}

}  // namespace

IconPicture DrawIcon() {
    IconPicture icon;
    DrawPlanetAndRing(icon);
    DrawOutline(icon);
    DrawStar(icon, 4, 4);
    DrawStar(icon, 27, 27);
    Paint(icon, 27, 3, kWhite);
    return icon;
}
