#pragma once

#include <cstdint>

#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TScaleMap;

// One bar per point, from a base value (0 unless set) to the point's Y value, centred on its
// X value and filled in the point's colour; the pen (hidden at creation) outlines each bar. On
// a logarithmic axis, where the base may have no place, bars stand on the axis's minimum.
//
// A bar is as wide as set in pixels, or else a percentage of the smallest spacing between
// neighbouring points shown, at least a pixel. Where points share a pixel column the column
// draws one bar a pixel wide, covering what its bars cover together: from the base to its
// highest value (and down to its lowest where values lie below the base).
class TWINSCOPE_EXPORT TBarSeries : public TChartSeries {
public:
    TBarSeries();

    double Base() const { return base_; }
    void SetBase(double value);
    // 0: from the spacing of the points.
    std::int32_t BarWidth() const { return barWidth_; }
    void SetBarWidth(std::int32_t pixels);
    std::int32_t BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(std::int32_t percent);

    // The width the bars take in the paint in progress, in pixels; 0 where points share a
    // pixel column, which then draws one bar a pixel wide.
    std::int32_t ShownBarWidth() const;

    // Automatic axes take the base as well, except on a logarithmic axis.
    double MaxYValue() override;
    double MinYValue() override;

    void DrawAllPoints(TCanvas3D& canvas) override;

protected:
    // The point before the plot is drawn too: its bar may reach into the plot.
    void WidenShownRange() override;

private:
    // The pixel row bars stand on.
    std::int32_t BasePixel() const;
    bool BaseCounts() const;
    // A bar over the pixel columns [left, right) from the base to the value.
    void DrawBar(TCanvas3D& canvas, std::int32_t left, std::int32_t right, double value,
                 TColor color);

    double base_ = 0;
    std::int32_t barWidth_ = 0;
    std::int32_t barWidthPercent_ = 70;
};

}  // namespace twinscope
