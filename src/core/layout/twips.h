#pragma once

namespace velkaram {

// The windows were designed in twips, fifteen to the pixel on the screens
// they were drawn for.
inline constexpr int TwipsPerPixel = 15;

// A design length in whole pixels, rounded to the nearest.
constexpr int pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

} // namespace velkaram
