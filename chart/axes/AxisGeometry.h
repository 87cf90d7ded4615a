#pragma once

#include <cstdint>
#include <optional>

#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/AxisPaint.h"
#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/runtime/Export.h"
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

TWINSCOPE_EXPORT TAxisSide SideOf(const TChartAxis& axis);
// Whether the axis has a title to show: created, visible and with a caption.
TWINSCOPE_EXPORT bool TitleShows(const TChartAxis& axis);

// The coordinate of the axis's edge of r.
TWINSCOPE_EXPORT std::int32_t Side(const TChartAxis& axis, const TRect& r);

// pos moved by PositionPercent: in pixels, or in percent of r's size across the axis. A negative
// PositionPercent moves outwards, a positive one inwards.
TWINSCOPE_EXPORT std::int32_t ShiftedByPercent(const TChartAxis& axis, std::int32_t pos,
                                               const TRect& r);

// Where the axis line stands once the plot is final: on the plot's edge, moved by
// PositionPercent.
TWINSCOPE_EXPORT std::int32_t AxisLinePosition(const TChartAxis& axis, const TRect& plot);

// pos moved outwards by amount pixels.
TWINSCOPE_EXPORT std::int32_t Outwards(const TChartAxis& axis, std::int32_t pos,
                                       std::int32_t amount);

// r with amount pixels taken from the axis's edge; at least one pixel of r is always left.
TWINSCOPE_EXPORT TRect Reserve(const TChartAxis& axis, TRect r, std::int32_t amount);

// The room of the axis line (its pen width and one pixel) and, when asked, the outer ticks;
// never less than the minor ticks need.
TWINSCOPE_EXPORT std::int32_t AxisLineAndTicksExtent(const TChartAxis& axis, bool countTicks);

// The pixels the axis spans along the plot's edge, by StartPosition and EndPosition (percent of
// the plot's size along the axis, rounded half to even; far outside 0..100 % they saturate).
TWINSCOPE_EXPORT TPixelSpan AxisPixelSpan(const TChartAxis& axis, const TRect& plot);

// The axis's scale map for a range shown over the pixels given: its kind, base and direction;
// an axis converted from a master reaches the pixels through the master's map of the range
// converted back.
TWINSCOPE_EXPORT TScaleMap AxisScaleMap(const TChartAxis& axis, TScaleRange range,
                                        TPixelSpan pixels);

// The map of a range an axis shows in a paint, over the pixels the paint's map spans: automatic
// ends rounded to the label step of the range, chosen over those pixels by the labels measured
// in `measure` (without one, the increment setting in use; 0 leaves them unrounded). An axis
// with no pixels yet, or a range of zero, is not rounded.
TWINSCOPE_EXPORT TScaleMap ShownRangeMap(const TChartAxis& axis, const TAxisPaint& paint,
                                         TScaleRange range, TChartCanvas* measure);

// The widest label text of this paint's labels, plus one blank, and the most lines any of them
// has. The labels font ends up selected on the canvas.
TWINSCOPE_EXPORT TMultiLineWidth MaxLabelWidth(const TChartAxis& axis, const TAxisPaint& paint,
                                               TChartCanvas& canvas);

// The room the title takes across the axis: TitleSize when set, else measured in the title's
// font (the caption's width beside a vertical axis at angle 0, one font height under a
// horizontal one).
// Without TitleSize the axis must have a title.
TWINSCOPE_EXPORT std::int32_t TitleExtent(const TChartAxis& axis, TChartCanvas& canvas);

// Lets a shown axis take its room from the working plot rectangle r and answers what is left
// and where the axis stands. A standard axis takes its title, labels, line and ticks from r's
// edge and places its title and labels; a custom axis takes nothing and stands at its
// PositionPercent beside r, with its labels and title outside it. What the placement of the
// last paint (in `paint`) holds stays where this paint places nothing new (a custom axis keeps
// the label line count of its first layout).
TWINSCOPE_EXPORT TAxisSpace ReserveAxisSpace(const TChartAxis& axis, const TAxisPaint& paint,
                                             TChartCanvas& canvas, const TRect& r);

// The range shown widened by the pixel offsets at both ends, once the axis is mapped onto the
// final plot rectangle, so that the range's ends lie that many pixels inside the axis's ends;
// none without offsets, or where they leave no pixel between them.
TWINSCOPE_EXPORT std::optional<TScaleRange> WidenedForOffsets(const TChartAxis& axis,
                                                              const TScaleMap& map);

// The placement once the offsets have widened the range shown: the title moved out past the
// labels, measured again on the canvas when there is one, else as the layout measured them.
TWINSCOPE_EXPORT TAxisLayout TitleBeyondLabels(const TChartAxis& axis, const TAxisPaint& paint,
                                               TChartCanvas* canvas);

// How far an axis placed by `placed` reaches outwards: past its title when the title shows,
// else past its labels when they show, else past its line and ticks.
TWINSCOPE_EXPORT std::int32_t OuterEdge(const TChartAxis& axis, const TAxisLayout& placed,
                                        TChartCanvas& canvas);
// How far `pos` lies beyond `from`, outwards; negative when it lies inside it.
TWINSCOPE_EXPORT std::int32_t DistanceOutwards(const TChartAxis& axis, std::int32_t from,
                                               std::int32_t pos);
// The placement moved outwards by `amount` pixels: line, labels and title together.
TWINSCOPE_EXPORT TAxisLayout MovedOutwards(const TChartAxis& axis, TAxisLayout placed,
                                           std::int32_t amount);

}  // namespace twinscope
