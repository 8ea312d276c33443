#pragma once

#include <ft2build.h>
#include FT_TYPES_H

#include <cmath>

// FreeType's 26.6 fixed point: positions, advances and sizes in 1/64 pixel.
namespace F26Dot6 {

constexpr FT_Pos OnePixel = 64;

constexpr FT_Pos fromPixels(FT_Pos pixels)
{
    return pixels * OnePixel;
}

// Down to the whole pixel at or left of value, still in 1/64 pixel.
constexpr FT_Pos floor(FT_Pos value)
{
    return value & ~(OnePixel - 1);
}

// To the nearest whole pixel, halves up, still in 1/64 pixel.
constexpr FT_Pos round(FT_Pos value)
{
    return floor(value + OnePixel / 2);
}

// Whole pixels, rounded down.
constexpr FT_Pos floorToPixels(FT_Pos value)
{
    return value >> 6;
}

// Whole pixels, rounded to the nearest, halves up.
constexpr FT_Pos roundToPixels(FT_Pos value)
{
    return (value + OnePixel / 2) >> 6;
}

// A size or length in pixels, rounded to the nearest 1/64 pixel.
inline FT_Pos fromFractionalPixels(double pixels)
{
    return std::lround(pixels * OnePixel);
}

constexpr double toPixels(FT_Pos value)
{
    return double(value) / OnePixel;
}

// 16.16 fixed point (FreeType's unhinted advances) to 26.6, cut.
constexpr FT_Pos fromFixed(FT_Fixed value)
{
    return value >> 10;
}

} // namespace F26Dot6
