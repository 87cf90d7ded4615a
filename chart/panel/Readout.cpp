#include "twinscope/chart/panel/Readout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>

#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/CustomAxisPanel.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/Utf8.h"

namespace twinscope {

namespace {
// Titles this short are units ("°F"); longer ones name what the axis counts.
constexpr std::size_t UnitTitleLength = 3;

// The master an axis reads its values from and the conversion it reads them through: its own
// reading, else the conversion it is mapped through; no master for an axis of its own.
struct TReading {
    const TChartAxis* Master = nullptr;
    const std::function<double(double)>* Forward = nullptr;
};

TReading ReadingOf(const TChartAxis& axis) {
    const TMasterReading& own = axis.MasterReading();
    if (own.Master && own.Forward) return {own.Master, &own.Forward};
    const TConvertedFrom& from = axis.ConvertedFrom();
    if (from.Master && from.Conversion && from.Conversion->Forward)
        return {from.Master, &from.Conversion->Forward};
    return {};
}

// Between the two ends of a range, as in "41 – 55 °F".
constexpr const char* RangeDash = " – ";

std::string CaptionOf(const TChartAxis& axis, const std::string& text) {
    const TChartAxisTitle* title = axis.CreatedTitle();
    if (text.empty() || !title || title->Caption().empty()) return text;
    const std::string& name = title->Caption();
    if (CharacterCount(name) <= UnitTitleLength) return text + " " + name;
    return name + " " + text;
}

TReadoutValue ValueOn(const TCustomAxisPanel& chart, const TChartAxis& axis, double value,
                      std::int32_t pixel) {
    std::string text = LabelLine(axis, chart.AxisPaintOf(axis), value);
    std::string caption = CaptionOf(axis, text);
    return {.Axis = &axis,
            .Value = value,
            .Text = std::move(text),
            .Caption = std::move(caption),
            .Pixel = pixel};
}

// A value of an axis, followed by what it reads on every shown axis that stands on it.
std::vector<TReadoutValue> ValuesOn(const TCustomAxisPanel& chart, const TChartAxis& axis,
                                    double value, std::int32_t pixel) {
    std::vector<TReadoutValue> values{ValueOn(chart, axis, value, pixel)};
    for (const TChartAxis* other : chart.Axes()) {
        const TReading reading = ReadingOf(*other);
        if (reading.Master != &axis || !chart.AxisPaintOf(*other).Shown) continue;
        values.push_back(ValueOn(chart, *other, (*reading.Forward)(value), pixel));
    }
    return values;
}

// The point of a series whose X stands nearest the pixel column x on the map.
std::int32_t NearestIndex(const TChartSeries& series, const TScaleMap& map, std::int32_t x) {
    const TChartValueList& xs = series.XValues();
    const std::int32_t n = xs.Count();
    auto distance = [&](std::int32_t i) {
        const double v = xs.Value(i);
        if (std::isnan(v)) return std::numeric_limits<std::int64_t>::max();
        return std::abs(std::int64_t{map.ToPixel(v)} - x);
    };
    if (xs.Order() == loAscending) {
        const std::int32_t at = series.FirstXNotBelow(map.ToValue(x));
        if (at == 0) return 0;
        if (at == n) return n - 1;
        return distance(at - 1) <= distance(at) ? at - 1 : at;
    }
    std::int32_t best = 0;
    for (std::int32_t i = 1; i < n; ++i) {
        if (distance(i) < distance(best)) best = i;
    }
    return best;
}

// The readout of one point of a series; none where the point is a gap, is not drawn, or lies
// outside the plot.
std::optional<TSeriesReadout> SeriesReadoutOf(const TCustomAxisPanel& chart,
                                              const TChartSeries& series, std::int32_t index) {
    const TChartAxis* horizontal = series.ResolvedHorizAxis();
    const TChartAxis* vertical = series.ResolvedVertAxis();
    if (!series.Active() || index < 0 || index >= series.PointCount() || !horizontal || !vertical) {
        return {};
    }
    const TScaleMap& xMap = chart.AxisPaintOf(*horizontal).Map;
    const TScaleMap& yMap = chart.AxisPaintOf(*vertical).Map;
    const double xValue = series.XValues().Value(index);
    const double yValue = series.YValues().Value(index);
    const std::optional<double> low = series.RangeLow(index);
    const auto drawn = [](const TScaleMap& map, double v) {
        return !std::isnan(v) && map.InDomain(v);
    };
    if (!drawn(xMap, xValue) || !drawn(yMap, yValue) || (low && !drawn(yMap, *low)) ||
        series.PointColor(index) == clNone) {
        return {};
    }
    const TPoint point{xMap.ToPixel(xValue), yMap.ToPixel(yValue)};
    const TRect& plot = chart.PlotRect();
    if (point.X < plot.Left || point.X > plot.Right) return {};
    TSeriesReadout found{.Series = &series, .Index = index, .Point = point};
    if (const TChartSeries::TXReadoutOf& readout = series.XReadout()) {
        const TChartSeries::TXReadout x = readout(xValue);
        found.X = ValuesOn(chart, *horizontal, x.X, point.X);
        if (!x.Text.empty()) {
            found.X.front().Text = x.Text;
            found.X.front().Caption = CaptionOf(*horizontal, x.Text);
        }
    } else {
        found.X = ValuesOn(chart, *horizontal, xValue, point.X);
    }
    found.Y = ValuesOn(chart, *vertical, yValue, point.Y);
    if (low) {
        found.Low = ValuesOn(chart, *vertical, *low, yMap.ToPixel(*low));
        for (std::size_t i = 0; i < found.Y.size(); ++i) {
            TReadoutValue& high = found.Y[i];
            const std::string& lowText = found.Low[i].Text;
            high.Caption = lowText.empty() || high.Text.empty()
                               ? std::string()
                               : CaptionOf(*high.Axis, lowText + RangeDash + high.Text);
        }
    }
    return found;
}

std::optional<TSeriesReadout> SeriesReadoutAt(const TCustomAxisPanel& chart,
                                              const TChartSeries& series, std::int32_t x) {
    const TChartAxis* horizontal = series.ResolvedHorizAxis();
    if (!series.Active() || series.PointCount() == 0 || !horizontal) return {};
    return SeriesReadoutOf(chart, series,
                           NearestIndex(series, chart.AxisPaintOf(*horizontal).Map, x));
}

// A value read off a pixel holds no more than the pixel tells: on a linear axis of numbers it
// is rounded to the power of ten next below the value of one pixel.
double ToPixelPrecision(const TCustomAxisPanel& chart, const TChartAxis& axis, double value) {
    const TAxisPaint& paint = chart.AxisPaintOf(axis);
    const TScaleMap& map = paint.Map;
    if (paint.DateTime() || axis.CalendarLabels() != calNone || map.Kind() != skLinear ||
        map.Length() <= 0 || map.RangeIsZero()) {
        return value;
    }
    const double perPixel = std::fabs(static_cast<double>(map.Span())) / map.Length();
    if (!(perPixel > 0) || !std::isfinite(perPixel)) return value;
    const double step = std::pow(10.0, std::floor(std::log10(perPixel)));
    const double rounded = std::round(value / step) * step;
    return std::isfinite(rounded) ? rounded : value;
}

// What an axis reads at a pixel along it: through its master where it reads one, so that the
// value is the master's converted, else off its own map.
double ValueAtPixel(const TCustomAxisPanel& chart, const TChartAxis& axis, std::int32_t pixel) {
    const TReading reading = ReadingOf(axis);
    const double value = reading.Master
                             ? (*reading.Forward)(chart.ScaleMapOf(*reading.Master).ToValue(pixel))
                             : chart.ScaleMapOf(axis).ToValue(pixel);
    return ToPixelPrecision(chart, axis, value);
}

// The value of a series readout on an axis, when the readout has one there.
const TReadoutValue* ValueOnAxis(const std::vector<TReadoutValue>& values, const TChartAxis& axis) {
    for (const TReadoutValue& v : values) {
        if (v.Axis == &axis) return &v;
    }
    return nullptr;
}
}  // namespace

namespace {
// The readout at a pixel; where `fixed` is given, that series reads the point it names and the
// crosshair stands at it, else at the first series' point found.
TReadout ReadoutFrom(const TCustomAxisPanel& chart, TPoint pixel, const TSeriesReadout* fixed) {
    TReadout readout{.Cursor = pixel, .CrosshairX = pixel.X};
    if (!Contains(chart.PlotRect(), pixel)) return readout;
    readout.Shown = true;
    std::size_t snap = 0;
    for (const TChartSeries* series : chart.SeriesList()) {
        if (fixed && series == fixed->Series) {
            snap = readout.Series.size();
            readout.Series.push_back(*fixed);
        } else if (auto found = SeriesReadoutAt(chart, *series, pixel.X)) {
            readout.Series.push_back(std::move(*found));
        }
    }
    const TSeriesReadout* snapped = readout.Series.empty() ? nullptr : &readout.Series[snap];
    if (snapped) readout.CrosshairX = snapped->Point.X;
    for (const TChartAxis* axis : chart.Axes()) {
        if (axis->IsDepthAxis() || !chart.AxisPaintOf(*axis).Shown) continue;
        const std::int32_t at = axis->Horizontal() ? readout.CrosshairX : pixel.Y;
        // The crosshair stands at a point: its axes read that point's X.
        const TReadoutValue* value =
            axis->Horizontal() && snapped ? ValueOnAxis(snapped->X, *axis) : nullptr;
        readout.Badges.push_back(value ? *value
                                       : ValueOn(chart, *axis, ValueAtPixel(chart, *axis, at), at));
    }
    return readout;
}
}  // namespace

TReadout ReadoutAt(const TCustomAxisPanel& chart, TPoint pixel) {
    return ReadoutFrom(chart, pixel, nullptr);
}

TReadout ReadoutOfPoint(const TCustomAxisPanel& chart, const TChartSeries& series,
                        std::int32_t index) {
    const std::optional<TSeriesReadout> point = SeriesReadoutOf(chart, series, index);
    if (!point) return {};
    return ReadoutFrom(chart, point->Point, &*point);
}

}  // namespace twinscope
