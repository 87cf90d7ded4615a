#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "twinscope/chart/panel/LegendText.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartSeries;

// What the legend lists: one row per series, or one per point of one series. lsAuto lists
// series when more than one active series asks to be listed (or with check boxes), values
// otherwise. Series groups are not kept by this chart: lsSeriesGroups lists the series, each
// its own group. lsLastValues lists the series, each by its last point.
enum class TLegendStyle : std::uint8_t { lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups };
using enum TLegendStyle;

// One row of a layout: the series it names, the point it stands for (-1 for the whole series),
// the item number events and records know it by (the point in values style, else the series'
// place in the chart's list) and its text columns with their widths (0 for an empty column).
struct TLegendRow {
    TChartSeries* Series = nullptr;
    std::int32_t PointIndex = -1;
    std::int32_t Index = 0;
    TLegendColumns Columns;
    std::array<std::int32_t, 3> Widths{};
    friend bool operator==(const TLegendRow&, const TLegendRow&) = default;
};

// What a layout computed, for the drawing that follows in the same paint.
struct TLegendLayout {
    TRect ShapeBox;
    TLegendStyle EffectiveStyle = lsValues;
    TChartSeries* LegendSeries = nullptr;  // values style: whose points are listed
    std::int32_t TotalItems = 0;
    std::int32_t RowCount = 0;
    std::int32_t LastShownItem = -1;  // the items shown are FirstValue .. LastShownItem
    std::int32_t RowHeight = 0;
    std::int32_t RowPad = 0;
    std::int32_t SpaceWidth = 0;
    std::int32_t FrameThickness = 0;
    std::int32_t ItemsTop = 0;
    std::vector<TLegendRow> Rows;  // the shown items, in item order
    std::array<std::int32_t, 3> ColumnWidths{};
    std::int32_t TextBlockWidth = 0;
    std::int32_t SymbolWidth = 0;
    std::int32_t SymbolX = 0;
    std::int32_t TextX = 0;
    friend bool operator==(const TLegendLayout&, const TLegendLayout&) = default;
};

}  // namespace twinscope
