#include "twinscope/chart/panel/LegendSymbol.h"

#include <algorithm>
#include <array>

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {

namespace {

std::int32_t ShownSize(const TShadowData& shadow, std::int32_t TShadowData::*size) {
    return shadow.Visible ? shadow.*size : 0;
}

// A marker fills the whole symbol rectangle in its style.
void DrawMarker(TChartCanvas& canvas, TSeriesPointerStyle style, const TRect& r) {
    const std::int32_t cx = (r.Left + r.Right) / 2;
    const std::int32_t cy = (r.Top + r.Bottom) / 2;
    auto polygon = [&canvas](std::initializer_list<TPoint> points) {
        canvas.Polygon(std::span<const TPoint>(points.begin(), points.size()));
    };
    auto cross = [&] {
        canvas.Line(cx, r.Top, cx, r.Bottom);
        canvas.Line(r.Left, cy, r.Right, cy);
    };
    auto diagonalCross = [&] {
        canvas.Line(r.Left, r.Top, r.Right, r.Bottom);
        canvas.Line(r.Left, r.Bottom, r.Right, r.Top);
    };
    switch (style) {
        case psRectangle:
            canvas.Rectangle(r);
            break;
        case psCircle:
            canvas.Ellipse(r);
            break;
        case psTriangle:
            polygon({{r.Left, r.Bottom}, {cx, r.Top}, {r.Right, r.Bottom}});
            break;
        case psDownTriangle:
            polygon({{r.Left, r.Top}, {r.Right, r.Top}, {cx, r.Bottom}});
            break;
        case psLeftTriangle:
            polygon({{r.Left, cy}, {r.Right, r.Top}, {r.Right, r.Bottom}});
            break;
        case psRightTriangle:
            polygon({{r.Left, r.Top}, {r.Right, cy}, {r.Left, r.Bottom}});
            break;
        case psDiamond:
            polygon({{cx, r.Top}, {r.Right, cy}, {cx, r.Bottom}, {r.Left, cy}});
            break;
        case psCross:
            cross();
            break;
        case psDiagCross:
            diagonalCross();
            break;
        case psStar:
            cross();
            diagonalCross();
            break;
        case psSmallDot:
            canvas.Ellipse({cx - 1, cy - 1, cx + 2, cy + 2});
            break;
        case psNothing:
            break;
    }
}

// A band's swatch: the rectangle filled as the band is, its top and bottom edge drawn as the
// band's edges are.
void DrawBandSymbol(TChartCanvas& canvas, const TBandSeries& band, TColor color, const TRect& rect,
                    const TLegendSymbol& symbol) {
    canvas.SetBrush(TBrushData{.Color = color});
    canvas.SetPenStyle(psClear);
    {
        const TTransparencyGuard fill(canvas, rect, band.FillTransparency());
        canvas.Rectangle(rect);
    }
    const TChartPen& pen = symbol.DefaultPen() ? band.Pen() : symbol.Pen();
    if (!band.ShowEdges() || !pen.Visible()) return;
    canvas.SetPenFrom(pen, color);
    canvas.SetPenWidth(std::min(canvas.Pen().Width, rect.Height() / 2));
    canvas.HorizLine(rect.Left, rect.Right, rect.Top);
    canvas.HorizLine(rect.Left, rect.Right, rect.Bottom - 1);
}

}  // namespace

TLegendSymbol::TLegendSymbol(std::function<void()> onChange)
    : TChangeNotifier(std::move(onChange)) {
    pen_.SetOnChange(OnChange());
}

std::int32_t TLegendSymbol::ExtraWidth() const {
    return ShownSize(shadow_, &TShadowData::HorizSize) +
           ShownSize(emboss_, &TShadowData::HorizSize);
}

std::int32_t TLegendSymbol::ExtraHeight(std::int32_t rowHeight) const {
    const std::int32_t reach = std::max(ShownSize(shadow_, &TShadowData::VertSize),
                                        ShownSize(emboss_, &TShadowData::VertSize));
    return std::max(reach - rowHeight / 6, 0);
}

void DrawSeriesSymbol(TChartCanvas& canvas, const TChartSeries& series, TColor color,
                      const TRect& rect, const TLegendSymbol& symbol) {
    if (color == clNone) return;
    if (const auto* band = dynamic_cast<const TBandSeries*>(&series)) {
        DrawBandSymbol(canvas, *band, color, rect, symbol);
        return;
    }
    const auto* markerSeries = dynamic_cast<const TCustomSeries*>(&series);
    const auto* lineSeries = dynamic_cast<const TCustomStackSeries*>(&series);
    const bool markerShown = markerSeries && markerSeries->Pointer().Visible;
    const bool drawsLine = lineSeries && lineSeries->DrawsLine() && !markerShown;

    canvas.SetBrush(TBrushData{.Color = color});
    const TChartPen& pen = symbol.DefaultPen() ? series.Pen() : symbol.Pen();
    if (drawsLine && !pen.Visible()) {
        // A line series always shows its line, in the legend as on the plot.
        TChartPen shown(pen.Data());
        shown.Show();
        canvas.SetPenFrom(shown, color);
    } else {
        canvas.SetPenFrom(pen, drawsLine ? color : pen.Color());
    }
    canvas.SetPenWidth(std::min(canvas.Pen().Width, rect.Height() / 2));

    if (drawsLine) {
        const std::int32_t middle = (rect.Top + rect.Bottom) / 2;
        canvas.Line(rect.Left, middle, rect.Right, middle);
    } else if (markerShown) {
        DrawMarker(canvas, markerSeries->Pointer().Style, rect);
    } else {
        canvas.Rectangle(rect);
    }
}

}  // namespace twinscope
