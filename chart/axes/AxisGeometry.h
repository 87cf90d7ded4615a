#pragma once

#include <cstdint>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartAxis;

// Where an axis stands beside the plot and how much room it takes across its direction.
//
// "Outwards" is away from the plot: down for a bottom axis, up for a top axis, left for a left
// axis, right for a right axis. Positions across an axis are an x for a vertical axis and a y
// for a horizontal one.

// The plot edge an axis stands on: bottom and top for horizontal axes, left and right for
// vertical ones (top and right when the axis stands on the other side).
enum class TAxisSide : std::uint8_t { asBottom, asTop, asLeft, asRight };
using enum TAxisSide;

TAxisSide SideOf(const TChartAxis& axis);

// The coordinate of the axis's edge of r.
std::int32_t Side(const TChartAxis& axis, const TRect& r);

// pos moved by PositionPercent: in pixels, or in percent of r's size across the axis. A negative
// PositionPercent moves outwards, a positive one inwards.
std::int32_t ShiftedByPercent(const TChartAxis& axis, std::int32_t pos, const TRect& r);

// pos moved outwards by amount pixels.
std::int32_t Outwards(const TChartAxis& axis, std::int32_t pos, std::int32_t amount);

// r with amount pixels taken from the axis's edge; at least one pixel of r is always left.
TRect Reserve(const TChartAxis& axis, TRect r, std::int32_t amount);

// The room of the axis line (its pen width and one pixel) and, when asked, the outer ticks;
// never less than the minor ticks need.
std::int32_t AxisLineAndTicksExtent(const TChartAxis& axis, bool countTicks);

// The widest label text of this paint's labels, plus one blank, and the most lines any of them
// has. The labels font ends up selected on the canvas.
TMultiLineWidth MaxLabelWidth(const TChartAxis& axis, TChartCanvas& canvas);

// The room the labels take across the axis: LabelsSize when set, else measured (one font height
// per line on a horizontal axis, the widest text on a vertical one). Measures LabelLineCount
// first when it is 0.
std::int32_t LabelsExtent(TChartAxis& axis, TChartCanvas& canvas);

// The room the title takes across the axis: TitleSize when set, else measured in the title's
// font (the caption's width beside a vertical axis at angle 0, one font height under a
// horizontal one).
std::int32_t TitleExtent(TChartAxis& axis, TChartCanvas& canvas);

// Lets a shown axis take its room from the working plot rectangle r and answers what is left.
// A standard axis takes its title, labels, line and ticks from r's edge and records where its
// title and labels stand; a custom axis takes nothing and records where it stands, at its
// PositionPercent beside r, with its labels and title outside it.
TRect ReserveAxisSpace(TChartAxis& axis, TChartCanvas& canvas, const TRect& r);

// Widens the range shown by the pixel offsets at both ends once the axis is mapped onto the
// final plot rectangle, so that the range's ends lie that many pixels inside the axis's ends.
// The title then moves out past the labels, measured again on the canvas when there is one,
// else as the layout measured them.
void WidenRangeForOffsets(TChartAxis& axis, TChartCanvas* canvas);

}  // namespace twinscope
