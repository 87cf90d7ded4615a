#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "twinscope/chart/panel/ChartLegend.h"

namespace twinscope {

// How a legend box keeps inside the chart: it moves left (or right) until it fits between the
// chart's edges, and when it is wider than the chart its texts are shortened with an ellipsis.

// A box's horizontal extent: its left edge and its width, without the shadow beside it.
struct TLegendSpan {
    std::int32_t Left = 0;
    std::int32_t Width = 0;
    friend bool operator==(const TLegendSpan&, const TLegendSpan&) = default;
};

// Where a box of the given span stands between the edges low and high when its shadow reaches
// `reach` pixels beyond its right edge. A box that fits stays where it is; one that crosses the
// right edge moves left, one that crosses the left edge moves right, and one wider than the
// room starts at the left edge with the width of the room (its contents must shrink to it).
TLegendSpan FitLegendSpan(TLegendSpan box, std::int32_t reach, std::int32_t low,
                          std::int32_t high);

using TTextMeasure = std::function<std::int32_t(const std::string&)>;

// The ellipsis that ends a shortened text.
inline constexpr const char* LegendEllipsis = "\xE2\x80\xA6";

// The text as it is when it measures at most maxWidth; else its longest start (whole
// characters, trailing spaces dropped) that measures at most maxWidth with the ellipsis after
// it, or the ellipsis alone when none does.
std::string ElideText(const std::string& text, std::int32_t maxWidth, const TTextMeasure& measure);

// Shortens the texts of the widest column that can still shrink, so that the column becomes up
// to `excess` pixels narrower; a row's column width stays its text's width + gap. Answers
// false when no column can shrink any more.
bool ShortenWidestColumn(std::vector<TLegendRow>& rows, std::int32_t excess, std::int32_t gap,
                         const TTextMeasure& measure);

}  // namespace twinscope
