#include "twinscope/chart/panel/ReadoutDrawing.h"

#include <algorithm>

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/panel/CustomAxisPanel.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"

namespace twinscope {

namespace {
constexpr const char* ValueSeparator = " · ";
// Room around the box's lines, and the side of a series' colour mark and its gap to the text.
constexpr std::int32_t BoxPadding = 4;
constexpr std::int32_t MarkSize = 8;
constexpr std::int32_t MarkGap = 4;
// Half the side of the square drawn around a point read.
constexpr std::int32_t PointMarkHalf = 3;

std::string Joined(const std::vector<TReadoutValue>& values) {
    std::string text;
    for (const TReadoutValue& v : values) {
        if (v.Caption.empty()) continue;
        if (!text.empty()) text += ValueSeparator;
        text += v.Caption;
    }
    return text;
}

TRect PointMark(TPoint p) {
    return {p.X - PointMarkHalf, p.Y - PointMarkHalf, p.X + PointMarkHalf + 1,
            p.Y + PointMarkHalf + 1};
}

void DrawCrosshair(TCanvas3D& canvas, const TRect& plot, const TReadout& readout,
                   const TReadoutStyle& style) {
    canvas.SetPen(TPenData{.Color = style.Crosshair});
    canvas.VertLine(readout.CrosshairX, plot.Top, plot.Bottom);
    if (style.HorizontalLine) canvas.HorizLine(plot.Left, plot.Right, readout.Cursor.Y);
}

void DrawPointMarks(TCanvas3D& canvas, const TReadout& readout) {
    canvas.SetBrushStyle(bsClear);
    for (const TSeriesReadout& s : readout.Series) {
        canvas.SetPen(TPenData{.Color = s.Series->SeriesColor()});
        canvas.Rectangle(PointMark(s.Point));
    }
}

// A badge stands where a label of the value would, framed and filled so that it covers the
// labels beneath: the box of its text and its frame around it, measured in the labels font.
struct TBadgeBoxes {
    TRect Text;
    TRect Frame;
};
TBadgeBoxes BadgeBoxes(TCanvas3D& canvas, const TCustomAxisPanel& chart, const TReadoutValue& badge) {
    const TChartAxis& axis = *badge.Axis;
    const TAxisPaint& paint = chart.AxisPaintOf(axis);
    const TAxisLabelsFormat& format = axis.Labels().Format();
    canvas.SetFont(axis.LabelsFont());
    const std::int32_t anchor = paint.Layout.LabelsPosition;
    const TRect box = axis.Horizontal()
                          ? AxisLabelBox(axis, canvas, badge.Pixel, anchor, badge.Text, format)
                          : AxisLabelBox(axis, canvas, anchor, badge.Pixel, badge.Text, format);
    return {box, {box.Left - 2, box.Top - 1, box.Right + 2, box.Bottom + 1}};
}

void DrawBadge(TCanvas3D& canvas, const TCustomAxisPanel& chart, const TReadoutValue& badge) {
    if (badge.Text.empty()) return;
    const TChartAxis& axis = *badge.Axis;
    const TBadgeBoxes boxes = BadgeBoxes(canvas, chart, badge);
    canvas.SetPen(TPenData{.Color = axis.LabelsFont().Color()});
    canvas.SetBrush(TBrushData{.Color = clWhite});
    canvas.Rectangle(boxes.Frame);
    canvas.SetBackMode(cbmTransparent);
    DrawTextShape(canvas, axis.Labels().Format(), boxes.Text, badge.Text);
}

// The lines of the box by the cursor, measured in the chart's own 8-point Arial, and the box.
struct TReadoutBoxLayout {
    std::vector<TReadoutLine> Lines;
    std::int32_t LineHeight = 0;
    TRect Box;
};
TReadoutBoxLayout BoxLayout(TCanvas3D& canvas, const TRect& plot, const TReadout& readout) {
    TReadoutBoxLayout layout{.Lines = ReadoutLines(readout), .LineHeight = 0, .Box = {}};
    if (layout.Lines.empty()) return layout;
    canvas.SetFont(TFontData{});
    layout.LineHeight = canvas.FontHeight();
    std::int32_t width = 0;
    for (const TReadoutLine& line : layout.Lines)
        width = std::max(width, canvas.TextWidth(line.Text));
    const TSize size{width + MarkSize + MarkGap + 2 * BoxPadding,
                     layout.LineHeight * static_cast<std::int32_t>(layout.Lines.size()) +
                         2 * BoxPadding};
    layout.Box = ReadoutBox(size, readout.Cursor, plot);
    return layout;
}

void DrawBox(TCanvas3D& canvas, const TRect& plot, const TReadout& readout,
             const TReadoutStyle& style) {
    const TReadoutBoxLayout layout = BoxLayout(canvas, plot, readout);
    if (layout.Lines.empty()) return;
    const std::int32_t indent = MarkSize + MarkGap;
    canvas.SetPen(TPenData{.Color = style.BoxFrame});
    canvas.SetBrush(TBrushData{.Color = style.BoxColor});
    canvas.Rectangle(layout.Box);
    canvas.SetBackMode(cbmTransparent);
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    std::int32_t y = layout.Box.Top + BoxPadding;
    for (const TReadoutLine& line : layout.Lines) {
        const std::int32_t x = layout.Box.Left + BoxPadding;
        if (line.Mark != clNone) {
            canvas.SetPen(TPenData{.Color = line.Mark});
            canvas.SetBrush(TBrushData{.Color = line.Mark});
            const std::int32_t top = y + (layout.LineHeight - MarkSize) / 2;
            canvas.Rectangle({x, top, x + MarkSize, top + MarkSize});
        }
        canvas.TextOut(x + indent, y, line.Text);
        y += layout.LineHeight;
    }
}
}  // namespace

std::vector<TReadoutLine> ReadoutLines(const TReadout& readout) {
    std::vector<TReadoutLine> lines;
    for (const TSeriesReadout& s : readout.Series) {
        const std::string y = Joined(s.Y);
        lines.push_back(
            {s.Series->ListedName() + (y.empty() ? "" : ": " + y), s.Series->SeriesColor()});
        if (std::string x = Joined(s.X); !x.empty()) lines.push_back({std::move(x)});
    }
    return lines;
}

TRect ReadoutBox(TSize size, TPoint cursor, const TRect& plot) {
    std::int64_t left = std::int64_t{cursor.X} + BoxOffset;
    if (left + size.Width > plot.Right) left = std::int64_t{cursor.X} - BoxOffset - size.Width;
    std::int64_t top = std::int64_t{cursor.Y} + BoxOffset;
    if (top + size.Height > plot.Bottom) top = std::int64_t{cursor.Y} - BoxOffset - size.Height;
    left = std::max<std::int64_t>(left, plot.Left);
    top = std::max<std::int64_t>(top, plot.Top);
    return {SaturatedPixel(left), SaturatedPixel(top), SaturatedPixel(left + size.Width),
            SaturatedPixel(top + size.Height)};
}

void DrawReadout(TCanvas3D& canvas, const TCustomAxisPanel& chart, const TReadout& readout,
                 const TReadoutStyle& style) {
    if (!readout.Shown) return;
    const TGroupGuard group(canvas, "Readout");
    const TRect& plot = chart.PlotRect();
    DrawCrosshair(canvas, plot, readout, style);
    DrawPointMarks(canvas, readout);
    if (style.Badges) {
        for (const TReadoutValue& badge : readout.Badges)
            DrawBadge(canvas, chart, badge);
    }
    DrawBox(canvas, plot, readout, style);
}

}  // namespace twinscope

namespace twinscope {

std::vector<TRect> ReadoutFootprint(TCanvas3D& canvas, const TCustomAxisPanel& chart,
                                    const TReadout& readout, const TReadoutStyle& style) {
    if (!readout.Shown) return {};
    const TRect& plot = chart.PlotRect();
    std::vector<TRect> drawn{{readout.CrosshairX, plot.Top, readout.CrosshairX + 1, plot.Bottom}};
    if (style.HorizontalLine)
        drawn.push_back({plot.Left, readout.Cursor.Y, plot.Right, readout.Cursor.Y + 1});
    for (const TSeriesReadout& s : readout.Series)
        drawn.push_back(PointMark(s.Point));
    if (style.Badges) {
        for (const TReadoutValue& badge : readout.Badges) {
            if (!badge.Text.empty()) drawn.push_back(BadgeBoxes(canvas, chart, badge).Frame);
        }
    }
    if (const TReadoutBoxLayout box = BoxLayout(canvas, plot, readout); !box.Lines.empty())
        drawn.push_back(box.Box);
    // Smoothed edges, wide pens and the labels' shapes reach a little beyond.
    constexpr std::int32_t Reach = 3;
    for (TRect& r : drawn)
        r = {r.Left - Reach, r.Top - Reach, r.Right + Reach, r.Bottom + Reach};
    return drawn;
}

}  // namespace twinscope
