#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartAxis;
class TChartSeries;
class TCustomAxisPanel;

// One value as an axis writes it: the number in the axis's unit, its text in the axis's own
// label format (empty where the value cannot be a label, a date outside the calendar) and the
// caption a readout shows: the text with the axis's unit after it ("72.5 °F") when the axis's
// title is a unit of at most three characters, with the axis's name before it ("day of the
// year 228") when the title is longer, or the text alone. Pixel is where the value stands
// along the axis.
struct TWINSCOPE_EXPORT TReadoutValue {
    const TChartAxis* Axis = nullptr;
    double Value = 0;
    std::string Text;
    std::string Caption;
    std::int32_t Pixel = 0;
    friend bool operator==(const TReadoutValue&, const TReadoutValue&) = default;
};

// What a readout finds of one series: the point nearest the cursor's X, where it was drawn,
// and its X and Y in the series' axes, each followed by its value in every shown scale that
// stands on that axis, in the chart's axis order. A point that spans a range (a band's) has
// its low end in Low, in the same units as Y, its high end in Y, and each Y caption names the
// range from low to high ("41 – 55 °F"); Low is empty for points of one value.
struct TWINSCOPE_EXPORT TSeriesReadout {
    const TChartSeries* Series = nullptr;
    std::int32_t Index = -1;
    TPoint Point;
    std::vector<TReadoutValue> X;
    std::vector<TReadoutValue> Y;
    std::vector<TReadoutValue> Low;
    friend bool operator==(const TSeriesReadout&, const TSeriesReadout&) = default;
};

// What the chart reads under a pixel, from the layout its last paint kept. Outside that
// paint's plot rectangle it reads nothing (Shown is false).
struct TWINSCOPE_EXPORT TReadout {
    TPoint Cursor;
    bool Shown = false;
    // The column the crosshair stands in: the X of the first series' point found, else the
    // cursor's.
    std::int32_t CrosshairX = 0;
    // Every active series with a point there, in the series list's order; a series whose
    // nearest point is a gap, or lies outside the plot, or that has no points, has no entry.
    std::vector<TSeriesReadout> Series;
    // The value under the crosshair on every shown axis, in the chart's axis order: horizontal
    // axes at CrosshairX (the first point's X, on the axes that read it), vertical ones at the
    // cursor's Y. A value read off a pixel of a linear axis of numbers is rounded to the power
    // of ten next below what one pixel is worth (0.1 where a pixel is 0.3 °F).
    std::vector<TReadoutValue> Badges;
    friend bool operator==(const TReadout&, const TReadout&) = default;
};

// The readout at a pixel of the chart. It reads the layout the last paint kept and the series'
// values as they are now, so points added or removed since are found as they stand; it draws
// nothing and changes nothing. The nearest point of a series with ascending X values is found
// by halves.
TWINSCOPE_EXPORT TReadout ReadoutAt(const TCustomAxisPanel& chart, TPoint pixel);

// The readout of one point of a series, as a keyboard cursor shows it: the crosshair stands at
// the point, the series reads that point even where others share its pixel column, and the
// other series read their points nearest it. Nothing (Shown false) where the point is a gap,
// is not drawn or lies outside the plot.
TWINSCOPE_EXPORT TReadout ReadoutOfPoint(const TCustomAxisPanel& chart, const TChartSeries& series,
                                         std::int32_t index);

}  // namespace twinscope
