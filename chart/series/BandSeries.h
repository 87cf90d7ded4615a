#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// The area between two lists of values over one list of X values, or between one list and a
// fixed value: a range of readings, a spread between percentiles. The high values are the Y
// values; the low values are a further value list, kept in step with them. The area is
// filled in the series colour, translucent, and its two edges are drawn with the series pen.
//
// A point whose X, low or high value has no place on the axes (not a number, or at or below
// zero on a logarithmic axis), or that is coloured clNone, breaks the band: the area stops at
// the point before it and starts again at the point after it. A long band is drawn one pixel
// column at a time: where many points share a column, the area there spans their lowest low to
// their highest high.
class TWINSCOPE_EXPORT TBandSeries : public TChartSeries {
public:
    TBandSeries();

    TChartValueList& LowValues() { return lowValues_; }
    const TChartValueList& LowValues() const { return lowValues_; }
    TChartValueList& HighValues() { return YValues(); }
    const TChartValueList& HighValues() const { return YValues(); }

    // One point; X out of order is placed by its value, as on any series.
    std::int32_t AddBand(double x, double low, double high, const std::string& label = {},
                         TColor colour = clDefault);
    // Many points in one batch. Raises RuntimeError when the three lists differ in length
    // ("Band append: 3 X values, 2 low values and 3 high values") or when an X value is below
    // the one before it ("Band append: the X value at index 2 is below the one before it"), and
    // then adds nothing.
    void AppendBand(std::span<const double> xs, std::span<const double> lows,
                    std::span<const double> highs);

    // With a fixed low the band reaches from the high values to that value, and the low
    // values are not read.
    const std::optional<double>& FixedLow() const { return fixedLow_; }
    void SetFixedLow(std::optional<double> value);

    // How much of what lies beneath shows through the area, in percent (0 opaque), on top of
    // the series' Transparency, which the edges take alone. Both canvases blend it.
    std::int32_t FillTransparency() const { return fillTransparency_; }
    void SetFillTransparency(std::int32_t percent);
    // The two edges, drawn with the series pen in the series colour over the area.
    bool ShowEdges() const { return showEdges_; }
    void SetShowEdges(bool b);

    // The point's low value (the fixed low where set).
    std::optional<double> RangeLow(std::int32_t index) const override;
    double MaxYValue() override;
    double MinYValue() override;

    void DrawAllPoints(TCanvas3D& canvas) override;

protected:
    // The point before the plot is drawn too, so the area runs to the plot's edge.
    void WidenShownRange() override;

private:
    double LowAt(std::int32_t index) const;
    // Whether point index has a place on the axes with both of its values.
    bool HasBand(std::int32_t index) const;
    // The outline of one unbroken piece of the band: the high edge left to right, then the low
    // edge left to right.
    struct TPiece {
        std::vector<TPoint> high;
        std::vector<TPoint> low;
        // Every vertex stands for a pixel column of many points.
        bool columns = true;
    };
    std::vector<TPiece> Pieces();

    TChartValueList lowValues_;
    std::optional<double> fixedLow_;
    std::int32_t fillTransparency_ = 60;
    bool showEdges_ = true;
};

}  // namespace twinscope
