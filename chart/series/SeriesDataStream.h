#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartSeries;

// The "Data" payload of a stored series: a flags byte, an int32 point count, then one record
// per point. Numbers are little-endian, doubles IEEE binary64.
//
// A record holds, each only under its condition: the order value (X) as a double under
// sdOrderValues, the primary value (Y) as a double always, the colour as a uint32 under
// sdColors, the label under sdLabels (a length byte, or 0xFF and an int32 length, then the
// bytes), one double for each value list after the first two, a 34-byte mark position under
// sdMarkPositions, and a picture presence byte under sdPictures.
enum TSeriesDataFlags : std::uint8_t {
    sdOrderValues = 0x01,
    sdColors = 0x02,
    sdLabels = 0x04,
    sdMarkPositions = 0x08,
    sdPictures = 0x10,
};

// A mark-position record: a point (two int32), a flag byte, a point, a flag byte, an int32, a
// point and an int32.
inline constexpr std::size_t SeriesMarkPositionSize = 34;

// Replaces the points of `series` with those of `payload`, through the ordinary add path, so
// an ordered XValues list re-sorts records stored out of order. On success LoadedFromStream
// becomes true.
//
// A payload that does not hold what its header announces raises StreamReadError: the
// complete records read before the fault stay, the batch is closed and LoadedFromStream is
// false (the series no longer holds what was stored). Nothing is allocated for points whose
// bytes are not there. Mark positions are checked for length and skipped, as no series here
// has marks; a record carrying a picture is refused, as pictures come in a component format
// this system does not read.
TWINSCOPE_EXPORT void ReadSeriesData(TChartSeries& series, std::span<const std::uint8_t> payload);

// The payload that stores the points of `series`. X values are left out when they are simply
// the indexes; colours when no point has one of its own; labels when every label is empty.
// Mark positions and pictures are never written: no series here has them.
TWINSCOPE_EXPORT std::vector<std::uint8_t> WriteSeriesData(const TChartSeries& series);

// Whether the points are stored with the window: when forced, or when they were read from
// the stored window and storing is not switched off. In an inherited window, whose ancestor
// holds the same series, they are stored exactly when they differ from the ancestor's.
TWINSCOPE_EXPORT bool ShouldWriteData(const TChartSeries& series,
                                      const TChartSeries* ancestor = nullptr);

// Whether the two series would write the same payload.
TWINSCOPE_EXPORT bool SameSeriesData(const TChartSeries& a, const TChartSeries& b);

}  // namespace twinscope
