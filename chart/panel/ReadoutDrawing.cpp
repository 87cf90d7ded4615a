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

void DrawCrosshair(TCanvas3D& canvas, const TRect& plot, const TReadout& readout,
                   const TReadoutStyle& style) {
    canvas.SetPen(TPenData{.Color = style.Crosshair});
    canvas.VertLine(readout.CrosshairX, plot.Top, plot.Bottom);
    if (style.HorizontalLine) canvas.HorizLine(plot.Left, plot.Right, readout.Cursor.Y);
}

TRect PointMark(TPoint point) {
    return {point.X - PointMarkHalf, point.Y - PointMarkHalf, point.X + PointMarkHalf + 1,
            point.Y + PointMarkHalf + 1};
}

void DrawPointMarks(TCanvas3D& canvas, const TReadout& readout) {
    canvas.SetBrushStyle(bsClear);
    for (const TSeriesReadout& s : readout.Series) {
        canvas.SetPen(TPenData{.Color = s.Series->SeriesColor()});
        canvas.Rectangle(PointMark(s.Point));
    }
}

// A badge stands where a label of the value would, framed and filled so that it covers the
// labels beneath. Its text's box, with the labels font set.
TRect BadgeTextBox(TCanvas3D& canvas, const TCustomAxisPanel& chart, const TReadoutValue& badge) {
    const TChartAxis& axis = *badge.Axis;
    const TAxisLabelsFormat& format = axis.Labels().Format();
    canvas.SetFont(axis.LabelsFont());
    const std::int32_t anchor = chart.AxisPaintOf(axis).Layout.LabelsPosition;
    return axis.Horizontal() ? AxisLabelBox(axis, canvas, badge.Pixel, anchor, badge.Text, format)
                             : AxisLabelBox(axis, canvas, anchor, badge.Pixel, badge.Text, format);
}

TRect BadgeFrame(const TRect& textBox) {
    return {textBox.Left - 2, textBox.Top - 1, textBox.Right + 2, textBox.Bottom + 1};
}

void DrawBadge(TCanvas3D& canvas, const TCustomAxisPanel& chart, const TReadoutValue& badge) {
    if (badge.Text.empty()) return;
    const TRect box = BadgeTextBox(canvas, chart, badge);
    canvas.SetPen(TPenData{.Color = badge.Axis->LabelsFont().Color()});
    canvas.SetBrush(TBrushData{.Color = clWhite});
    canvas.Rectangle(BadgeFrame(box));
    canvas.SetBackMode(cbmTransparent);
    DrawTextShape(canvas, badge.Axis->Labels().Format(), box, badge.Text);
}

// The box of lines by the cursor, with the chart's own 8-point Arial set.
TRect LinesBox(TCanvas3D& canvas, const TRect& plot, const TReadout& readout,
               const std::vector<TReadoutLine>& lines) {
    canvas.SetFont(TFontData{});
    std::int32_t width = 0;
    for (const TReadoutLine& line : lines)
        width = std::max(width, canvas.TextWidth(line.Text));
    const TSize size{
        width + MarkSize + MarkGap + 2 * BoxPadding,
        canvas.FontHeight() * static_cast<std::int32_t>(lines.size()) + 2 * BoxPadding};
    return ReadoutBox(size, readout.Cursor, plot);
}

void DrawBox(TCanvas3D& canvas, const TRect& plot, const TReadout& readout,
             const TReadoutStyle& style) {
    const std::vector<TReadoutLine> lines = ReadoutLines(readout);
    if (lines.empty()) return;
    const TRect box = LinesBox(canvas, plot, readout, lines);
    const std::int32_t lineHeight = canvas.FontHeight();
    canvas.SetPen(TPenData{.Color = style.BoxFrame});
    canvas.SetBrush(TBrushData{.Color = style.BoxColor});
    canvas.Rectangle(box);
    canvas.SetBackMode(cbmTransparent);
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    std::int32_t y = box.Top + BoxPadding;
    for (const TReadoutLine& line : lines) {
        const std::int32_t x = box.Left + BoxPadding;
        if (line.Mark != clNone) {
            canvas.SetPen(TPenData{.Color = line.Mark});
            canvas.SetBrush(TBrushData{.Color = line.Mark});
            const std::int32_t top = y + (lineHeight - MarkSize) / 2;
            canvas.Rectangle({x, top, x + MarkSize, top + MarkSize});
        }
        canvas.TextOut(x + MarkSize + MarkGap, y, line.Text);
        y += lineHeight;
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

std::vector<TRect> ReadoutArea(TCanvas3D& canvas, const TCustomAxisPanel& chart,
                               const TReadout& readout, const TReadoutStyle& style) {
    if (!readout.Shown) return {};
    const TRect& plot = chart.PlotRect();
    std::vector<TRect> area{{readout.CrosshairX, plot.Top, readout.CrosshairX + 1, plot.Bottom}};
    if (style.HorizontalLine)
        area.push_back({plot.Left, readout.Cursor.Y, plot.Right, readout.Cursor.Y + 1});
    for (const TSeriesReadout& s : readout.Series)
        area.push_back(PointMark(s.Point));
    if (style.Badges) {
        for (const TReadoutValue& badge : readout.Badges) {
            if (!badge.Text.empty()) area.push_back(BadgeFrame(BadgeTextBox(canvas, chart, badge)));
        }
    }
    if (const std::vector<TReadoutLine> lines = ReadoutLines(readout); !lines.empty())
        area.push_back(LinesBox(canvas, plot, readout, lines));
    // A smoothed edge reaches a pixel beyond its shape.
    for (TRect& r : area)
        r = {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
    return area;
}

}  // namespace twinscope
