#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/chart/axes/AxisLabels.h"
#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/chart/axes/LabelIncrement.h"
#include "twinscope/chart/axes/LabelSample.h"

namespace twinscope {

class TChartAxis;
class TChartCanvas;

// The label pass of an axis: each paint, every shown axis decides the increment between its
// labels, places label values from the top of its range downwards, writes their texts and
// records where they stand. The pass only computes; it measures text through the canvas it is
// given and leaves all drawing to the axis painter.
//
// Everything here reads the range and geometry of the current paint (CurrentMinimum,
// CurrentMaximum, RangeSpan, StartPixel, EndPixel, ValueToPixel) and what the bound series
// told the axis (its date-time flag among it), so the axis must have prepared its range and
// mapped itself onto the plot first.

// Labels per pass beyond which an axis shows none at all.
inline constexpr std::int32_t MaxLabelsPerPass = 10000;

// One label placed by the pass.
struct TAxisLabel {
    double Value = 0;
    std::string Text;
    std::int32_t LabelPos = 0;  // pixel along the axis
    friend bool operator==(const TAxisLabel&, const TAxisLabel&) = default;
};

struct TLabelPassResult {
    double LabelIncrement = 0;
    // Row of DateTimeStepTable the labels align to and step by; NoDateTimeStep when none.
    std::int32_t StepIndex = NoDateTimeStep;
    // Pixels of the major ticks, in the order the labels were placed (top value first).
    std::vector<std::int32_t> TickPositions;
    // The labels placed, top value first; the axis's automatic items hold the same.
    std::vector<TAxisLabel> Labels;
};

// The kind of labels the axis shows: its own style unless automatic; an automatic axis takes
// the style its bound series gave it for this paint.
TAxisLabelStyle LabelStyleInUse(const TChartAxis& axis);

// Whether a value can be a label: on a date-time axis only a day of the calendar can (years
// 1..9999); a value beyond it is left out rather than stopping the paint.
bool CanLabel(const TChartAxis& axis, double value);

// The text of a label, empty for a value that cannot be one: dates through DateTimeFormat (or the
// locale's short date, or short time for a range of one day or less, when it is empty), numbers
// through AxisValuesFormat. With MultiLine every blank becomes a line break.
std::string LabelText(const TChartAxis& axis, double value);

// Pixels a label's text takes along the axis: its line count times the font height where the
// lines stack along the axis (vertical axes at 0 or 180 degrees, horizontal ones at 90 or
// 270), its width otherwise. The labels font must be selected on the canvas.
std::int32_t LabelSizeAlongAxis(const TChartAxis& axis, TChartCanvas& canvas, double value);

// How many labels of the measured size fit along the axis, with its labels' separation.
std::int32_t LabelsThatFit(const TChartAxis& axis, std::int32_t labelSize);

// The inputs of the increment choice, read off an axis prepared for this paint.
TIncrementInput IncrementInputOf(const TChartAxis& axis, std::int32_t count);
double IncrementForCount(const TChartAxis& axis, std::int32_t count);

// The widest of a few sample labels of the range shown, which tells how many labels fit. The
// labels font ends up selected on the canvas.
TLabelSample MeasureLabelSample(const TChartAxis& axis, TChartCanvas& canvas);

struct TLabelIncrement {
    double Increment = 0;
    TLabelSample Sample;  // the sample the increment was chosen from
};

// The increment the labels of this paint use, chosen from the sample given when it was measured
// under the range and settings that hold now, else from samples measured anew. The labels font
// ends up selected on the canvas either way.
TLabelIncrement LabelIncrementFrom(const TChartAxis& axis, TChartCanvas& canvas,
                                   const TLabelSample& measured);

// The increment the labels of this paint use, from samples measured now.
double ComputeLabelIncrement(const TChartAxis& axis, TChartCanvas& canvas);

// Runs the label pass: empties and refills the axis's automatic label items (one per label,
// top value first) and returns the increment, the tick pixels and the labels. The pass draws
// nothing: the painter draws the labels afterwards, behind or over the axis line. Hand-made
// (non-automatic) items are left as they are and give no ticks. The increment reuses the sample
// the layout of this paint measured, while it holds.
TLabelPassResult RunLabelPass(TChartAxis& axis, TChartCanvas& canvas,
                              const TLabelSample& measured = {});

}  // namespace twinscope
