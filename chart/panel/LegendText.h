#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <string_view>
#include "twinscope/chart/axes/AxisPaint.h"

namespace twinscope {

class TChartAxis;
class TChartSeries;

// What a legend row of a point says: its label, its value, its percentage of the series' total
// and its X value, alone or side by side.
enum class TLegendTextStyle : std::uint8_t {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue,
    ltsValue,
    ltsPercent,
    ltsXAndValue,
    ltsXAndPercent,
    ltsXAndText,
    ltsXAndValueAndText
};
using enum TLegendTextStyle;

// Separators inside legend texts: a line break, and the break between text columns.
inline constexpr char LegendLineSeparator = '\r';
inline constexpr char LegendColumnSeparator = '\x06';

// The legend text of point index of a series in the given style, its columns separated by
// LegendColumnSeparator. The value is written as a date-time when the series' value list holds
// date-times (as a number when it lies outside the calendar), else in the series' ValueFormat;
// the percentage is of the list's total (of 100 when that is 0) in PercentFormat; the X value
// as horizAxis writes its labels in the paint given.
std::string LegendPointText(TChartSeries& series, std::int32_t index, TLegendTextStyle style,
                            const TChartAxis& horizAxis, const TAxisPaint& horizPaint);

// A legend text on one line: line separators become blanks.
std::string OneLine(std::string text);

using TLegendColumns = std::array<std::string, 3>;

// The text before the first column separator, between the first and the second, and the rest.
TLegendColumns SplitLegendColumns(std::string_view text);

// Whether column 0, 1 or 2 of a point's legend text is right-aligned in the given style.
bool LegendColumnRightAligned(TLegendTextStyle style, int column);

}  // namespace twinscope
