#include "twinscope/chart/axes/AxisDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

double AbsSinDegrees(std::int32_t degrees) {
    return std::fabs(std::sin(degrees * std::numbers::pi / 180.0));
}

void DrawTitle(const TChartAxis& axis, const TAxisPaint& paint, TCanvas3D& canvas) {
    if (!TitleShows(axis)) return;
    const TChartAxisTitle& title = *axis.CreatedTitle();
    const TGroupGuard group(canvas, "Title");
    DrawTextShape(canvas, title, paint.TitleBox, title.Caption(), title.Angle());
}

}  // namespace

TRect AxisTitleBox(const TChartAxis& axis, const TAxisPaint& paint, TSize size) {
    const TChartAxisTitle& title = *axis.CreatedTitle();
    const std::int64_t center = paint.Map.Center();
    const std::int64_t position = paint.Layout.TitlePosition;
    const std::int64_t shadow = title.Shadow().Visible ? title.Shadow().VertSize : 0;
    const TAxisSide side = SideOf(axis);
    std::int64_t left;
    std::int64_t top;
    if (axis.Horizontal()) {
        left = center - size.Width / 2;
        top = position;
        if (title.Angle() == 90) top += side == asTop ? -size.Height : size.Height;
        if (side == asTop) top -= size.Height + shadow;
    } else {
        const std::int32_t h = size.Height / 2;
        const bool right = side == asRight;
        const std::int64_t offset = right ? h : -h - shadow;
        const double c = right ? AbsSinDegrees(title.Angle()) : 2 - AbsSinDegrees(title.Angle());
        left = position + offset - Round(size.Width * c * 0.5);
        top = center - h;
    }
    return {SaturatedPixel(left), SaturatedPixel(top), SaturatedPixel(left + size.Width),
            SaturatedPixel(top + size.Height)};
}

namespace {

void DrawAxisLine(const TChartAxis& axis, const TScaleMap& map, TChartCanvas& canvas,
                  std::int64_t position) {
    const TChartAxisPen& pen = axis.Axis();
    if (!pen.Visible()) return;
    canvas.SetPenFrom(pen, pen.Color());
    // The line lies on the outer side of the axis position, off the plot area.
    const std::int64_t d = pen.Width() / 2;
    const std::int32_t start = map.StartPixel();
    const std::int32_t end = map.EndPixel();
    switch (SideOf(axis)) {
        case asBottom:
            canvas.HorizLine(start, end, SaturatedPixel(position + d));
            break;
        case asTop:
            canvas.HorizLine(start, end, SaturatedPixel(position));
            break;
        case asLeft:
            canvas.VertLine(SaturatedPixel(position - d), start, end);
            break;
        case asRight:
            canvas.VertLine(SaturatedPixel(position + d), start, end);
            break;
    }
}

// A tick at t, `delta` pixels out from the axis position and `length` long (outwards when
// positive), measured past the axis line's width.
void DrawTick(const TChartAxis& axis, TChartCanvas& canvas, std::int64_t position, std::int32_t t,
              std::int64_t delta, std::int64_t length) {
    const std::int64_t w = axis.Axis().Width();
    switch (SideOf(axis)) {
        case asLeft: {
            const std::int64_t x0 = position - delta - w + 1;
            canvas.Line(SaturatedPixel(x0), t, SaturatedPixel(x0 - length), t);
            break;
        }
        case asRight: {
            const std::int64_t x0 = position + delta;
            canvas.Line(SaturatedPixel(x0), t, SaturatedPixel(x0 + length), t);
            break;
        }
        case asBottom: {
            const std::int64_t y0 = position + delta + w - 1;
            canvas.Line(t, SaturatedPixel(y0), t, SaturatedPixel(y0 + length));
            break;
        }
        case asTop: {
            const std::int64_t y0 = position - delta;
            canvas.Line(t, SaturatedPixel(y0), t, SaturatedPixel(y0 - length));
            break;
        }
    }
}

void DrawTicks(const TChartAxis& axis, TCanvas3D& canvas, std::int64_t position,
               const char* group, const TTicks& pen, const std::vector<std::int32_t>& positions,
               std::int64_t delta, std::int64_t length) {
    const TGroupGuard guard(canvas, group);
    canvas.SetPenFrom(pen, pen.Color());
    for (const std::int32_t t : positions)
        DrawTick(axis, canvas, position, t, delta, length);
}

// A line across the plot at p, off the plot frame's near edge.
void DrawGridLine(const TChartAxis& axis, TChartCanvas& canvas, const TRect& plot, std::int32_t p) {
    if (axis.Horizontal()) {
        canvas.VertLine(p, plot.Top + 1, plot.Bottom);
    } else {
        canvas.HorizLine(plot.Left + 1, plot.Right, p);
    }
}

void SelectGridPen(TChartCanvas& canvas, const TChartPen& pen) {
    canvas.SetPenFrom(pen, pen.Color() == clDefault ? clGray : pen.Color());
}

void DrawGrid(const TChartAxis& axis, const TScaleMap& map, TCanvas3D& canvas, const TRect& plot,
              const std::vector<std::int32_t>& ticks) {
    const TAxisGridPen& pen = axis.Grid();
    if (!pen.Visible()) return;
    const TGroupGuard group(canvas, "Grid");
    SelectGridPen(canvas, pen);
    const std::size_t every = static_cast<std::size_t>(std::max(1, pen.DrawEvery()));
    for (std::size_t i = 0; i < ticks.size(); i += every) {
        const std::int32_t p = ticks[i];
        // The lines at the axis's ends would lie on the plot frame.
        if (map.StartPixel() < p && p < map.EndPixel()) DrawGridLine(axis, canvas, plot, p);
    }
}

bool InShownRange(const TScaleMap& map, double value) {
    return (value >= map.Minimum() && value <= map.Maximum()) || SameValue(value, map.Minimum());
}

void DrawLabel(const TChartAxis& axis, const TScaleMap& map, TChartCanvas& canvas,
               const TAxisLabel& label) {
    if (!InShownRange(map, label.Value)) return;
    const TAxisLabelsFormat& format = label.Format ? *label.Format : axis.Labels().Format();
    if (!format.Visible()) return;
    canvas.SetFont(axis.LabelsFont());
    canvas.SetBrushStyle(bsClear);
    canvas.SetBackMode(cbmTransparent);
    DrawTextShape(canvas, format, label.Box, label.Text);
}

}  // namespace

std::vector<std::int32_t> MinorTickPositions(const std::vector<std::int32_t>& ticks,
                                             std::int32_t count, std::int32_t startPixel,
                                             std::int32_t endPixel) {
    std::vector<std::int32_t> positions;
    // More minor ticks than the axis has pixels would only draw the same pixels again.
    count = static_cast<std::int32_t>(std::min<std::int64_t>(
        count, std::max<std::int64_t>(0, std::int64_t{endPixel} - startPixel)));
    const auto add = [&](std::int64_t p) {
        if (startPixel < p && p < endPixel) positions.push_back(static_cast<std::int32_t>(p));
    };
    const std::size_t k = ticks.size();
    const double parts = static_cast<double>(count) + 1;
    if (k > 1) {
        const double d = (static_cast<double>(ticks[1]) - ticks[0]) / parts;
        for (std::int32_t j = 1; j <= count; ++j) {
            const std::int64_t g = Round(j * d);
            add(ticks[0] - g);
            add(ticks[k - 1] + g);
        }
    }
    for (std::size_t i = 1; i < k; ++i) {
        const double d = (static_cast<double>(ticks[i]) - ticks[i - 1]) / parts;
        for (std::int32_t j = 1; j <= count; ++j)
            add(ticks[i] - Round(d * j));
    }
    return positions;
}

TRect AxisLabelBox(const TChartAxis& axis, TChartCanvas& canvas, std::int32_t x, std::int32_t y,
                   const std::string& text, const TAxisLabelsFormat& shape) {
    const std::int64_t a = canvas.FontHeight();
    const auto n = static_cast<std::int64_t>(TextShapeLines(text).size());
    const TSize size = TextShapeSize(canvas, shape, text);

    const TAxisSide side = SideOf(axis);
    std::int64_t top;
    std::int64_t left;
    if (axis.Horizontal()) {
        top = side == asTop ? y - a * n : y;
        left = x - size.Width / 2;
    } else {
        // Centres the block of lines on the tick: one line's top lies half a line above it.
        top = y - a / 2 - Round(a * 0.5 * static_cast<double>(n + 1)) + a;
        left = side == asLeft ? x - size.Width : x;
    }
    return {SaturatedPixel(left), SaturatedPixel(top), SaturatedPixel(left + size.Width),
            SaturatedPixel(top + size.Height)};
}

void DrawAxisLabel(const TChartAxis& axis, TChartCanvas& canvas, std::int32_t x, std::int32_t y,
                   const std::string& text, const TAxisItem* item) {
    const TAxisLabelsFormat& shape = item && item->Format ? *item->Format : axis.Labels().Format();
    DrawTextShape(canvas, shape, AxisLabelBox(axis, canvas, x, y, text, shape), text);
}

std::vector<std::int32_t> LogMinorTickPositions(const TLabelPassResult& pass, const TScaleMap& map,
                                                std::int32_t count) {
    std::vector<std::int32_t> positions;
    if (count <= 0 || map.Kind() != skLogarithmic || !(pass.LabelIncrement > 0)) return positions;
    const TPixelSpan pixels = map.Pixels();
    const auto add = [&](double v) {
        const std::int32_t p = map.ToPixel(v);
        if (pixels.Start < p && p < pixels.End) positions.push_back(p);
    };
    // No more ticks than the axis has pixels.
    const std::size_t most = static_cast<std::size_t>(std::max(0, map.Length()));
    const double minimum = map.Minimum();
    const double maximum = map.Maximum();
    if (!pass.Powers) {
        const double step = pass.LabelIncrement / (count + 1.0);
        for (const TAxisLabel& label : pass.Labels) {
            for (std::int32_t j = 1; j <= count && positions.size() < most; ++j)
                add(label.Value - j * step);
        }
        return positions;
    }
    const Extended base = map.LogBase();
    const auto power = [&](std::int64_t k) { return static_cast<double>(std::pow(base, k)); };
    const auto exponent = [&](double v) {
        return static_cast<std::int64_t>(
            std::floor(std::log(static_cast<Extended>(v)) / std::log(base)));
    };
    const std::int64_t low = exponent(minimum);
    const std::int64_t high = exponent(maximum) + 1;
    const auto labels = static_cast<std::int64_t>(pass.LabelIncrement);
    if (labels == 1) {
        const auto multiples = static_cast<std::int32_t>(std::ceil(map.LogBase()));
        for (std::int64_t k = low; k <= high && positions.size() < most; ++k) {
            for (std::int32_t m = 2; m < multiples; ++m) {
                if (pass.Rungs && (m == 2 || m == 5)) continue;
                const double v = m * power(k);
                if (v > minimum && v < maximum) add(v);
            }
        }
        return positions;
    }
    const std::int64_t minorStep = labels <= 5 ? 1 : labels / 5;
    for (std::int64_t k = low - low % minorStep; k <= high && positions.size() < most;
         k += minorStep) {
        if (k % labels == 0) continue;
        const double v = power(k);
        if (v > minimum && v < maximum) add(v);
    }
    return positions;
}

std::vector<std::int32_t> TransformMinorTickPositions(const TLabelPassResult& pass,
                                                      const TScaleMap& map, std::int32_t count) {
    std::vector<std::int32_t> positions;
    const TAxisTransform* t = map.Transform();
    if (count <= 0 || map.Kind() != skTransformed || !(pass.LabelIncrement > 0) ||
        pass.Labels.empty()) {
        return positions;
    }
    // The labels from the bottom up, with the next label beyond each end.
    std::vector<double> labels;
    for (auto it = pass.Labels.rbegin(); it != pass.Labels.rend(); ++it)
        labels.push_back(it->Value);
    const auto beyond = [&](double v, double sign) {
        if (pass.Powers) return t->Inverse(t->Forward(v) + sign * pass.LabelIncrement);
        return v + sign * pass.LabelIncrement;
    };
    labels.insert(labels.begin(), beyond(labels.front(), -1));
    labels.push_back(beyond(labels.back(), 1));
    const std::int32_t low = std::min(map.StartPixel(), map.EndPixel());
    const std::int32_t high = std::max(map.StartPixel(), map.EndPixel());
    // No more ticks than the axis has pixels.
    const std::size_t most = static_cast<std::size_t>(std::max(0, map.Length()));
    for (std::size_t i = 1; i < labels.size() && positions.size() < most; ++i) {
        const double from = labels[i - 1];
        const double to = labels[i];
        if (!(to > from) || !t->InDomain(from) || !t->InDomain(to)) continue;
        for (const double v : t->MinorValues(from, to, count)) {
            if (v <= map.Minimum() || v >= map.Maximum()) continue;
            const std::int32_t p = map.ToPixel(v);
            if (low < p && p < high && positions.size() < most) positions.push_back(p);
        }
    }
    return positions;
}

std::vector<std::int32_t> MinorTicksOf(const TChartAxis& axis, const TLabelPassResult& pass,
                                       const TScaleMap& map) {
    // Aligned ticks have no increment of their own: their minor ticks share each gap.
    if (map.Kind() == skLogarithmic && !axis.AlignsTicks()) {
        return LogMinorTickPositions(pass, map, axis.MinorTickCount());
    }
    if (map.Kind() == skTransformed && !axis.AlignsTicks()) {
        return TransformMinorTickPositions(pass, map, axis.MinorTickCount());
    }
    return MinorTickPositions(pass.TickPositions, axis.MinorTickCount(), map.StartPixel(),
                              map.EndPixel());
}

TScaleDivision DivisionOf(const TChartAxis& axis, const TAxisPaint& paint, TChartCanvas& canvas) {
    TScaleDivision division = ComputeLabelPass(axis, paint, canvas);
    division.Automatic = axis.Items().Automatic();
    if (!division.Automatic) {
        for (const TAxisItem& item : axis.Items()) {
            division.Labels.push_back({.Value = item.Value,
                                       .Text = item.Text,
                                       .LabelPos = item.LabelPos,
                                       .Format = item.Format.get()});
        }
    }
    division.MinorTicks = MinorTicksOf(axis, division, paint.Map);
    const std::int32_t anchor = paint.Layout.LabelsPosition;
    for (TAxisLabel& label : division.Labels) {
        canvas.SetFont(axis.LabelsFont());
        const TAxisLabelsFormat& shape = label.Format ? *label.Format : axis.Labels().Format();
        label.Box = axis.Horizontal()
                        ? AxisLabelBox(axis, canvas, label.LabelPos, anchor, label.Text, shape)
                        : AxisLabelBox(axis, canvas, anchor, label.LabelPos, label.Text, shape);
    }
    return division;
}

TRect TitleBoxOf(const TChartAxis& axis, const TAxisPaint& paint, TChartCanvas& canvas) {
    if (!TitleShows(axis)) return {};
    const TChartAxisTitle& title = *axis.CreatedTitle();
    return AxisTitleBox(axis, paint, TextShapeSize(canvas, title, title.Caption()));
}

void DrawAxis(const TChartAxis& axis, const TAxisPaint& paint, TCanvas3D& canvas,
              const TRect& plot) {
    const TAxisLayout& placed = paint.Layout;
    const TScaleMap& map = paint.Map;
    const TScaleDivision& division = paint.Division;
    const TGroupGuard group(canvas, "Axis");
    DrawTitle(axis, paint, canvas);
    const std::vector<std::int32_t>& ticks = division.TickPositions;
    // Labels behind lie under the axis line, the ticks and the grid: only those the pass placed.
    if (axis.Labels().Behind()) {
        const TGroupGuard labels(canvas, "Labels");
        if (division.Automatic) {
            for (const TAxisLabel& label : division.Labels)
                DrawLabel(axis, map, canvas, label);
        }
    }

    canvas.SetBrushStyle(bsClear);
    canvas.SetBackMode(cbmTransparent);
    DrawAxisLine(axis, map, canvas, placed.AxisPosition);
    if (axis.TickLength() != 0 && axis.Ticks().Visible()) {
        DrawTicks(axis, canvas, placed.AxisPosition, "Ticks", axis.Ticks(), ticks, 1,
                  axis.TickLength());
    }
    DrawGrid(axis, map, canvas, plot, ticks);
    if (axis.TickInnerLength() != 0 && axis.TicksInner().Visible()) {
        DrawTicks(axis, canvas, placed.AxisPosition, "InnerTicks", axis.TicksInner(), ticks, -1,
                  -std::int64_t{axis.TickInnerLength()});
    }
    const std::vector<std::int32_t>& minor = division.MinorTicks;
    if (axis.MinorTickLength() != 0 && !ticks.empty() && axis.MinorTicks().Visible()) {
        DrawTicks(axis, canvas, placed.AxisPosition, "MinorTicks", axis.MinorTicks(), minor, 1,
                  axis.MinorTickLength());
    }
    if (axis.MinorGrid().Visible()) {
        SelectGridPen(canvas, axis.MinorGrid());
        for (const std::int32_t p : minor)
            DrawGridLine(axis, canvas, plot, p);
    }
    canvas.SetBackMode(cbmOpaque);

    if (axis.Labels().Visible() && !axis.Labels().Behind()) {
        const TGroupGuard labels(canvas, "Labels");
        for (const TAxisLabel& label : division.Labels)
            DrawLabel(axis, map, canvas, label);
    }
}

}  // namespace twinscope
