#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/AxisPaint.h"
#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

struct TAxisItem;
class TAxisLabelsFormat;
class TCanvas3D;
class TChartAxis;
class TChartCanvas;

// The scale division of a shown axis in this paint, once the layout has placed it and its range
// and map are final: the label pass (or the hand-made items), the minor ticks, and the box of
// every label's text shape at the labels' anchor. Measures in the canvas; writes nothing.
TWINSCOPE_EXPORT TScaleDivision DivisionOf(const TChartAxis& axis, const TAxisPaint& paint,
                                           TChartCanvas& canvas);

// The box the axis's title is drawn in once the axis is placed; empty without a title to show.
TWINSCOPE_EXPORT TRect TitleBoxOf(const TChartAxis& axis, const TAxisPaint& paint,
                                  TChartCanvas& canvas);

// The drawing of a shown axis from what the layout decided for it (`paint`: its placement, map,
// title box and scale division); it measures nothing. In the axis's own canvas group, in this
// order: the title, the axis line, the outer ticks, the grid lines, the inner ticks, the minor
// ticks and the minor grid, and last the labels; labels that lie behind are drawn first
// instead, before the line. The grid lines cross the plot.
TWINSCOPE_EXPORT void DrawAxis(const TChartAxis& axis, const TAxisPaint& paint, TCanvas3D& canvas,
                               const TRect& plot);

// Where the axis's title stands, for a title of the given size: beside a vertical axis it is
// centred along the axis and reaches from the placed title position away from the plot; under
// or over a horizontal axis it is centred along the axis. The axis must have a title.
TWINSCOPE_EXPORT TRect AxisTitleBox(const TChartAxis& axis, const TAxisPaint& paint, TSize size);

// The box of one label text's shape anchored at (x, y), as DrawAxisLabel places it. The labels
// font must be selected.
TWINSCOPE_EXPORT TRect AxisLabelBox(const TChartAxis& axis, TChartCanvas& canvas, std::int32_t x,
                                    std::int32_t y, const std::string& text,
                                    const TAxisLabelsFormat& shape);

// Draws one label text in its text shape (the item's own format when it has one, else the
// axis's), anchored at (x, y): beside a vertical axis the text block is centred on y and ends at
// x (left axis) or starts at x (right axis); under or over a horizontal axis it is centred on x
// and hangs from y (bottom axis) or stands on it (top axis). The labels font must be selected.
TWINSCOPE_EXPORT void DrawAxisLabel(const TChartAxis& axis, TChartCanvas& canvas, std::int32_t x,
                                    std::int32_t y, const std::string& text, const TAxisItem* item);

// The minor ticks between and beyond the major ticks: `count` evenly spaced positions in every
// interval, in the order they are drawn, keeping only those strictly between the axis's ends.
// Beyond the outermost major ticks, one interval's worth continues at the spacing of the first.
// The count is limited to the axis's length in pixels.
TWINSCOPE_EXPORT std::vector<std::int32_t> MinorTickPositions(
    const std::vector<std::int32_t>& ticks, std::int32_t count, std::int32_t startPixel,
    std::int32_t endPixel);

// The minor ticks of a logarithmic map, spaced by value: with labels at every power of the base,
// at 2, 3, ... times each power (those that are not labels already); with labels at every n-th
// power, at the powers between them (every n/5-th one from n = 10 on); with labels a value step
// apart (a range of less than one power), `count` ticks evenly spaced in value between labels.
// Only the pixels strictly between the axis's ends are kept.
TWINSCOPE_EXPORT std::vector<std::int32_t> LogMinorTickPositions(const TLabelPassResult& pass,
                                                                 const TScaleMap& map,
                                                                 std::int32_t count);

// The minor ticks of a transformed map, where its transform puts them between each two
// neighbouring labels (and between the end labels and the next ones beyond, within the range):
// on a symmetric logarithmic axis 2, 3, ... 9 times each power on the logarithmic stretches and
// `count` ticks evenly spaced in value within the threshold; on a transform of the user's,
// `count` ticks evenly spaced in value. Only the pixels strictly between the axis's ends are
// kept.
TWINSCOPE_EXPORT std::vector<std::int32_t> TransformMinorTickPositions(const TLabelPassResult& pass,
                                                                       const TScaleMap& map,
                                                                       std::int32_t count);

// The minor ticks of this paint for a pass: spaced by value on a logarithmic map, evenly in
// pixels between the major ticks otherwise.
TWINSCOPE_EXPORT std::vector<std::int32_t> MinorTicksOf(const TChartAxis& axis,
                                                        const TLabelPassResult& pass,
                                                        const TScaleMap& map);

}  // namespace twinscope
