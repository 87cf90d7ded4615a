#pragma once

#include <string>

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartSeries;
class TCustomChart;
struct TReadout;

// What a screen reader says of a chart, read from the layout its last paint kept, with the
// texts its labels use.

// The chart's name: its title's lines joined by blanks; empty for a chart without a title.
TWINSCOPE_EXPORT std::string ChartName(const TCustomChart& chart);

// Each shown axis and scale with its side, its title and the range it shows, in the chart's
// axis order: "left axis °F: 0 to 100; left scale °C: -17.8 to 37.8".
TWINSCOPE_EXPORT std::string AxesDescription(const TCustomChart& chart);

// A series' point count and the ranges of its values in its axes' label formats:
// "365 points; °F 31.5 to 92.3; 1/1/2015 to 12/31/2015" ("no points" for an empty series).
TWINSCOPE_EXPORT std::string SeriesDescription(const TCustomChart& chart, TChartSeries& series);

// A readout as one sentence, its box's lines joined by commas; empty when it shows nothing.
TWINSCOPE_EXPORT std::string ReadoutSentence(const TReadout& readout);

}  // namespace twinscope
