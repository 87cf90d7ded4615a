#pragma once

#include <cstdint>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/series/KeptColumns.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

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
struct TWINSCOPE_EXPORT TSeriesPointer {
    std::int32_t HorizSize = 4;
    std::int32_t VertSize = 4;
    TSeriesPointerStyle Style = psRectangle;
    bool InflateMargins = true;
    bool Dark3D = true;
    bool Draw3D = true;
    bool Visible = true;
};

// A series drawn with lines that the mouse can hit.
class TWINSCOPE_EXPORT TCustomLineSeries : public TChartSeries {
public:
    bool ClickableLine() const { return clickableLine_; }
    void SetClickableLine(bool b) { clickableLine_ = b; }

private:
    bool clickableLine_ = true;
};

// A series with a point marker.
class TWINSCOPE_EXPORT TCustomSeries : public TCustomLineSeries {
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
class TWINSCOPE_EXPORT TCustomStackSeries : public TCustomSeries {
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

    // Segment ends are kept within this many pixels of the origin, so that no coordinate
    // overflows the canvas.
    static constexpr std::int32_t PixelLimit = 32767;

    // One segment per point, each ending at its point in that point's colour, clipped to the
    // plot rectangle; the first point shown gets the part of the line that enters the plot.
    void DrawAllPoints(TCanvas3D& canvas) override;

    // A line in one colour through ascending X, without gaps, markers or transparency, is
    // drawn one pixel column at a time where the canvas allows it: the points of a column as
    // one vertical line, then one segment on to the next column. On by default; off, every
    // segment is drawn on its own.
    bool ReduceColumns() const { return reduceColumns_; }
    void SetReduceColumns(bool b) { reduceColumns_ = b; }
    // Within a pass of DrawAllPoints: the segment from the previously drawn point to this one.
    void DrawPoint(TCanvas3D& canvas, std::int32_t index) override;

private:
    void UseLinePen(TCanvas3D& canvas, TColor color);
    // How the pass may draw by pixel columns (TColumnLines::None: segment by segment).
    TChartCanvas::TColumnLines ColumnLinesFor(TCanvas3D& canvas);
    void DrawColumns(TCanvas3D& canvas, TChartCanvas::TColumnLines lines);

    // The index the line into point `index` starts from, or -1 when it starts at a gap that
    // is not drawn.
    std::int32_t EnteringFrom(std::int32_t index) const;
    void DrawEnteringSegment(TCanvas3D& canvas, std::int32_t index, TPoint to, TColor color);
    // A segment on the line through points `fromIndex` and `toIndex`.
    void DrawSegment(TCanvas3D& canvas, TPoint from, TPoint to, std::int32_t fromIndex,
                     std::int32_t toIndex, TColor color);
    // The Y value the line through two points takes at the X value x.
    double YOnLine(std::int32_t a, std::int32_t b, double x) const;
    // Brings an end beyond PixelLimit back along the line through points a and b.
    TPoint LimitEnd(TPoint end, std::int32_t a, std::int32_t b) const;

    TKeptColumns keptColumns_;
    // State of one drawing pass.
    TRect plotClip_;
    TPoint prev_;
    TColor prevColor_ = clDefault;
    std::int32_t prevIndex_ = -1;
    bool started_ = false;
    std::int32_t enteringIndex_ = -1;

    bool stairs_ = false;
    bool invertedStairs_ = false;
    bool colorEachLine_ = true;
    bool dark3D_ = true;
    bool pointerBehind_ = false;
    bool reduceColumns_ = true;
};

// The line series: a polyline through the points, its marker hidden.
class TWINSCOPE_EXPORT TLineSeries : public TCustomStackSeries {
public:
    TLineSeries();
    TChartPen& LinePen() { return Pen(); }
    const TChartPen& LinePen() const { return Pen(); }
};

}  // namespace twinscope
