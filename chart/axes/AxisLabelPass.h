#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/chart/axes/AxisLabels.h"
#include "twinscope/chart/axes/AxisPaint.h"
#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/chart/axes/LabelIncrement.h"
#include "twinscope/chart/axes/LabelSample.h"
#include "twinscope/chart/axes/LabelValues.h"
#include "twinscope/chart/axes/ScaleDivision.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;
class TChartCanvas;

// The label pass of an axis: each paint, every shown axis decides the increment between its
// labels, takes the label values of its range from the top downwards, writes their texts and
// records where they stand. The pass only computes; it measures text through the canvas it is
// given and leaves all drawing to the axis painter.
//
// Everything here reads what the paint computed for the axis (TAxisPaint): the range shown and
// its scale map, and what the bound series told it (its date-time flag among it), so the chart
// must have prepared the axis's range and mapped it onto the plot first.

// The increment setting the labels of this paint start from: the axis's own, or the one an
// axis that follows a master takes in this paint.
TWINSCOPE_EXPORT double IncrementInUse(const TChartAxis& axis, const TAxisPaint& paint);

// The kind of labels the axis shows: its own style unless automatic; an automatic axis takes
// the style its bound series gave it for this paint.
TWINSCOPE_EXPORT TAxisLabelStyle LabelStyleInUse(const TChartAxis& axis, const TAxisPaint& paint);

// The text of a label, empty for a value that cannot be one (a date-time value outside the
// calendar): dates through DateTimeFormat (or the locale's short date, or short time for a range
// of one day or less, when it is empty), numbers through AxisValuesFormat. A logarithmic axis
// with the default format writes values below 0.001 or above 1,000,000 as a power of ten
// ("1E+300"). With MultiLine every blank becomes a line break.
TWINSCOPE_EXPORT std::string LabelText(const TChartAxis& axis, const TAxisPaint& paint,
                                       double value);
// The same text on one line, as a readout or a description reads it: a MultiLine label's
// breaks stay blanks.
TWINSCOPE_EXPORT std::string LabelLine(const TChartAxis& axis, const TAxisPaint& paint,
                                       double value);

// Pixels a label's text takes along the axis: its line count times the font height where the
// lines stack along the axis (vertical axes at 0 or 180 degrees, horizontal ones at 90 or
// 270), its width otherwise. The labels font must be selected on the canvas.
TWINSCOPE_EXPORT std::int32_t LabelSizeAlongAxis(const TChartAxis& axis, const TAxisPaint& paint,
                                                 TChartCanvas& canvas, double value);

// How many labels of the measured size fit along the axis, with its labels' separation.
TWINSCOPE_EXPORT std::int32_t LabelsThatFit(const TChartAxis& axis, const TAxisPaint& paint,
                                            std::int32_t labelSize);

// The inputs of the increment choice, read off an axis prepared for this paint.
TWINSCOPE_EXPORT TIncrementInput IncrementInputOf(const TChartAxis& axis, const TAxisPaint& paint,
                                                  std::int32_t count);
TWINSCOPE_EXPORT double IncrementForCount(const TChartAxis& axis, const TAxisPaint& paint,
                                          std::int32_t count);

// Whether the labels stand at powers of the base: on a logarithmic map spanning at least one.
TWINSCOPE_EXPORT bool LabelsAtPowers(const TAxisPaint& paint);

// The widest of a few sample labels of the range shown (the first and last labels at the
// axis's own increment, and their neighbours inwards), which tells how many labels fit. The
// labels font ends up selected on the canvas.
TWINSCOPE_EXPORT TLabelSample MeasureLabelSample(const TChartAxis& axis, const TAxisPaint& paint,
                                                 TChartCanvas& canvas);

struct TWINSCOPE_EXPORT TLabelIncrement {
    double Increment = 0;
    bool Powers = false;  // Increment counts powers of the base
    bool Rungs = false;   // with the 2 and 5 rungs inside each power
    TLabelSample Sample;  // the sample the increment was chosen from
};

// The increment the labels of this paint use, chosen from the sample given when it was measured
// under the range and settings that hold now, else from samples measured anew. The labels font
// ends up selected on the canvas either way.
TWINSCOPE_EXPORT TLabelIncrement LabelIncrementFrom(const TChartAxis& axis, const TAxisPaint& paint,
                                                    TChartCanvas& canvas,
                                                    const TLabelSample& measured);

// The increment the labels of this paint use, from samples measured now.
TWINSCOPE_EXPORT double ComputeLabelIncrement(const TChartAxis& axis, const TAxisPaint& paint,
                                              TChartCanvas& canvas);

// The calendar row a date-time axis with ExactDateTime and a set increment aligns its labels to
// for the label increment given; NoDateTimeStep otherwise.
TWINSCOPE_EXPORT std::int32_t LabelStepIndex(const TChartAxis& axis, const TAxisPaint& paint,
                                             double increment);

// What the label values of this paint are generated from, at the increment given.
TWINSCOPE_EXPORT TLabelValuesInput LabelValuesInputOf(const TChartAxis& axis,
                                                      const TAxisPaint& paint,
                                                      const TLabelIncrement& increment);

// The labels the pass of this paint gives an axis, with their pixels, for the axes aligned to
// it; nothing is placed.
TWINSCOPE_EXPORT std::vector<TMasterLabel> MasterLabelsOf(const TChartAxis& master,
                                                          const TAxisPaint& paint,
                                                          TChartCanvas& canvas);

// The label pass: the increment, the tick pixels and the labels of this paint (top value
// first), for an axis with automatic items; nothing for hand-made (non-automatic) items, which
// give no ticks. The pass only computes: it writes no item and draws nothing. The increment
// reuses the sample the layout of this paint measured, while it holds. An axis aligned to a
// master labels the master's labels of this paint instead, converted, at their pixels, with no
// increment.
TWINSCOPE_EXPORT TLabelPassResult ComputeLabelPass(const TChartAxis& axis, const TAxisPaint& paint,
                                                   TChartCanvas& canvas);

// Empties and refills an axis's automatic label items from a pass (one per label, top value
// first); hand-made items are left as they are.
TWINSCOPE_EXPORT void FillAutomaticItems(TChartAxis& axis, const TLabelPassResult& pass);

// The pass, with the axis's automatic items filled from it.
TWINSCOPE_EXPORT TLabelPassResult RunLabelPass(TChartAxis& axis, const TAxisPaint& paint,
                                               TChartCanvas& canvas);

}  // namespace twinscope
