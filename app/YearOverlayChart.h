#pragma once

#include <cstdint>
#include <vector>

#include "twinscope/readings/YearOverlay.h"

namespace twinscope {

class TChart;
class TChartSeries;
struct TReadings;

// The lines an overlay of years added to a chart, and what it left out.
struct TYearOverlayLines {
    // In drawing order: the percentile band, the mean, the record highs and lows, then the
    // years from the earliest; the latest year last.
    std::vector<TChartSeries*> Series;
    std::vector<std::int32_t> EmptyYears;
    // The dates the bottom axis shows: the first and the last day slot.
    double First = 0;
    double Last = 0;
};

// The titles of the lines that stand behind the years.
inline constexpr const char* MeanTitle = "mean";
inline constexpr const char* BandTitle = "10th to 90th percentile";
inline constexpr const char* RecordHighTitle = "record high";
inline constexpr const char* RecordLowTitle = "record low";

// The year a day slot of an overlay is drawn in: a leap year when 29 February has a slot of
// its own, else a common one, so that the bottom axis's dates are the slots' days.
std::int32_t SlotYear(TLeapDay leapDay);

// Adds to the chart the years of the readings laid over each other, each titled by its year
// and drawn against its days' slots as dates of SlotYear, with the daily statistics of all years
// behind them. The older years are drawn in light tints of the palette's colours, the latest in
// latestColor and twice as wide; of more than twelve years the legend lists the older ones as one
// ("1945 to 2023"). Days without readings are gaps. Each year's readout names its
// own date. No year: nothing is added.
TYearOverlayLines AddYearOverlay(TChart& chart, const TReadings& readings, TLeapDay leapDay,
                                 std::uint32_t latestColor);

}  // namespace twinscope
