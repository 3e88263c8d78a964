// The program's icon: a ringed planet beside a star, drawn pixel by pixel in
// the 16 standard VGA colours.
#pragma once

#include <array>
#include <cstdint>

constexpr int kIconSide = 32;

// The 16 colours as 0xRRGGBB, in the standard order (0 black .. 15 white).
extern const std::array<std::uint32_t, 16> kVgaColours;

enum VgaColour : std::uint8_t {
    kBlack = 0, kMaroon, kGreen, kOlive, kNavy, kPurple, kTeal, kSilver,
    kGrey, kRed, kLime, kYellow, kBlue, kFuchsia, kAqua, kWhite,
};

struct IconPicture {
    // Rows top-down; a colour index per pixel, meaningful where opaque.
    std::array<std::uint8_t, kIconSide * kIconSide> colours{};
    std::array<bool, kIconSide * kIconSide> opaque{};
};

IconPicture DrawIcon();
