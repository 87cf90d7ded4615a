#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace twinscope {

class TChart;
class TChartSeries;

// One stored value of the window's content: a boolean, a number or a text (names such as
// "clRed" or "loAscending", captions, hex bytes).
using TStoredValue = std::variant<bool, double, std::string>;
// Properties in the order they are stored: "LeftAxis.Minimum" = 40, ...
using TStoredProperties = std::vector<std::pair<std::string, TStoredValue>>;

// Applies stored properties to the chart, which the caller keeps in loading mode so that the
// range setters skip their checks. An unknown property or a value of the wrong kind raises
// StreamReadError naming it.
void ApplyChartProperties(TChart& chart, const TStoredProperties& properties);

// Applies a series' stored properties, "Data" included.
void ApplySeriesProperties(TChartSeries& series, TChart& chart,
                           const TStoredProperties& properties);

}  // namespace twinscope
