#pragma once

#include <cstdint>

#include "chart/series/ChartSeries.h"

namespace twinscope {

enum class TSeriesPointerStyle : std::uint8_t {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot,
    psNothing,
    psLeftTriangle,
    psRightTriangle
};
using enum TSeriesPointerStyle;

// The marker drawn at each point; its half-sizes also decide when a point touches the plot.
struct TSeriesPointer {
    std::int32_t HorizSize = 4;
    std::int32_t VertSize = 4;
    TSeriesPointerStyle Style = psRectangle;
    bool InflateMargins = true;
    bool Dark3D = true;
    bool Draw3D = true;
    bool Visible = true;
};

// A series drawn with lines that the mouse can hit.
class TCustomLineSeries : public TChartSeries {
public:
    bool ClickableLine() const { return clickableLine_; }
    void SetClickableLine(bool b) { clickableLine_ = b; }

private:
    bool clickableLine_ = true;
};

// A series with a point marker.
class TCustomSeries : public TCustomLineSeries {
public:
    TSeriesPointer& Pointer() { return pointer_; }
    const TSeriesPointer& Pointer() const { return pointer_; }
    bool InflateMargins() const { return pointer_.InflateMargins; }
    void SetInflateMargins(bool b) { pointer_.InflateMargins = b; }

protected:
    // Points just outside the plot whose marker still touches it, and points sharing an order
    // value with the range's ends, are drawn too, so lines run to the plot edge.
    void WidenShownRange() override;

private:
    TSeriesPointer pointer_;
};

// Line, area and stair drawing settings.
class TCustomStackSeries : public TCustomSeries {
public:
    bool Stairs() const { return stairs_; }
    void SetStairs(bool b) { stairs_ = b; }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool b) { invertedStairs_ = b; }
    bool ColorEachLine() const { return colorEachLine_; }
    void SetColorEachLine(bool b) { colorEachLine_ = b; }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool b) { dark3D_ = b; }
    bool PointerBehind() const { return pointerBehind_; }
    void SetPointerBehind(bool b) { pointerBehind_ = b; }
    bool DrawsLine() const { return true; }
    bool FillsArea() const { return false; }

private:
    bool stairs_ = false;
    bool invertedStairs_ = false;
    bool colorEachLine_ = true;
    bool dark3D_ = true;
    bool pointerBehind_ = false;
};

// The line series: a polyline through the points, its marker hidden.
class TLineSeries : public TCustomStackSeries {
public:
    TLineSeries();
    TChartPen& LinePen() { return Pen(); }
    const TChartPen& LinePen() const { return Pen(); }
};

}  // namespace twinscope
