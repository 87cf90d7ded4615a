#pragma once

#include <cstdint>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// A colour is 0x00BBGGRR for an explicit colour. Two special values and the system colours
// (0xFF in the high byte) are resolved by whoever draws.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clDefault = 0x20000000;  // not set: use the owner's default
inline constexpr TColor clNone = 0x1FFFFFFF;     // draw nothing; as a point colour, a gap
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;

inline constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000u) == clSystemColor;
}

struct TWINSCOPE_EXPORT TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Pixel settings may be any 32-bit value: sums and products made from them are taken in 64 bits
// and brought back to the nearest 32-bit value instead of overflowing, so that every result
// that fits is exact.
constexpr std::int32_t SaturatedPixel(std::int64_t p) {
    constexpr std::int64_t low = INT32_MIN;
    constexpr std::int64_t high = INT32_MAX;
    return static_cast<std::int32_t>(p < low ? low : p > high ? high : p);
}

// Integer pixel rectangle, y growing downwards. Right and Bottom are exclusive where drawing
// cares (a filled rectangle covers Left..Right-1).
struct TWINSCOPE_EXPORT TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    // Saturated, for a rectangle wider or taller than 32 bits can count.
    constexpr std::int32_t Width() const { return SaturatedPixel(std::int64_t{Right} - Left); }
    constexpr std::int32_t Height() const { return SaturatedPixel(std::int64_t{Bottom} - Top); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// r with its right edge moved by dx and its bottom edge by dy, saturated.
constexpr TRect WithFarEdgesMoved(const TRect& r, std::int32_t dx, std::int32_t dy) {
    return {r.Left, r.Top, SaturatedPixel(std::int64_t{r.Right} + dx),
            SaturatedPixel(std::int64_t{r.Bottom} + dy)};
}

// The intersection of two rectangles; empty (IsEmpty) when they do not overlap.
constexpr TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (r.IsEmpty()) return TRect{};
    return r;
}

// Whether a point lies inside a rectangle, its right and bottom edges excluded.
constexpr bool Contains(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// Unit of the chart margins, of an axis position and of a custom legend position.
enum class TChartUnits : std::uint8_t { muPercent = 0, muPixels = 1 };
using enum TChartUnits;

}  // namespace twinscope
