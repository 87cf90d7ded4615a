#include "twinscope/chart/panel/DataCursor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/ChartMouse.h"
#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/chart/series/ChartSeries.h"

namespace twinscope {

namespace {
// A page moves the cursor by this share of the shown X range.
constexpr double PageShare = 0.1;

// A point the series draws: both values there and not a gap.
bool HasValue(const TChartSeries& series, std::int32_t i) {
    return !std::isnan(series.XValues().Value(i)) && !std::isnan(series.YValues().Value(i)) &&
           series.PointColor(i) != clNone;
}

// The point with values nearest an index (the index itself first, then one step each way, the
// earlier first); -1 when the series has none.
std::int32_t NearestWithValues(const TChartSeries& series, std::int32_t i) {
    const std::int32_t n = series.PointCount();
    for (std::int32_t d = 0; d < n; ++d) {
        if (i - d < 0 && i + d >= n) break;
        if (i - d >= 0 && i - d < n && HasValue(series, i - d)) return i - d;
        if (d > 0 && i + d >= 0 && i + d < n && HasValue(series, i + d)) return i + d;
    }
    return -1;
}

// The next point with values from i in a direction; i itself when there is none.
std::int32_t Stepped(const TChartSeries& series, std::int32_t i, std::int32_t direction) {
    for (std::int32_t j = i + direction; j >= 0 && j < series.PointCount(); j += direction) {
        if (HasValue(series, j)) return j;
    }
    return i;
}

// The point whose X lies nearest a value (by halves where the X values ascend), then the
// nearest with values to it.
std::int32_t NearestToX(const TChartSeries& series, double x) {
    const TChartValueList& xs = series.XValues();
    const std::int32_t n = series.PointCount();
    if (!std::isfinite(x)) return NearestWithValues(series, n / 2);
    const auto distance = [&](std::int32_t i) {
        const double d = std::fabs(xs.Value(i) - x);
        return std::isnan(d) ? HUGE_VAL : d;
    };
    std::int32_t best = 0;
    if (xs.Order() == loAscending) {
        const std::int32_t at = series.FirstXNotBelow(x);
        best = at == n ? n - 1 : at;
        if (at > 0 && at < n && distance(at - 1) <= distance(at)) best = at - 1;
    } else {
        for (std::int32_t i = 1; i < n; ++i) {
            if (distance(i) < distance(best)) best = i;
        }
    }
    return NearestWithValues(series, best);
}

bool Usable(const TChartSeries& series) {
    return series.Active() && series.PointCount() > 0 && series.ResolvedHorizAxis() &&
           series.ResolvedVertAxis();
}

// The pixels a scroll must move a value by to bring it inside the axis's part of the plot (the
// plot's right and bottom edges are outside it, as for the mouse's readout); 0 inside.
std::int32_t ShortOfView(const TCustomChart& chart, const TChartAxis& axis, double value) {
    const TScaleMap& shown = chart.ScaleMapOf(axis);
    const TRect& plot = chart.PlotRect();
    if (shown.Length() < 1 || plot.IsEmpty()) return 0;
    const TScaleMap map = shown.WithRange(HeldRange(axis, shown));
    const std::int32_t p = map.ToPixel(value);
    const bool across = axis.Horizontal();
    const std::int32_t lo =
        std::max(std::min(map.StartPixel(), map.EndPixel()), across ? plot.Left : plot.Top);
    const std::int32_t hi = std::min(std::max(map.StartPixel(), map.EndPixel()),
                                     (across ? plot.Right : plot.Bottom) - 1);
    return p < lo ? lo - p : p > hi ? hi - p : 0;
}
}  // namespace

std::optional<TDataCursor::TAt> TDataCursor::Checked() const {
    const auto count = static_cast<std::int32_t>(chart_.SeriesCount());
    if (count == 0) return std::nullopt;
    const std::int32_t place = std::clamp(at_.Series, 0, count - 1);
    // The series at the cursor's place, else the nearest one with a point, the earlier first.
    for (std::int32_t d = 0; d < count; ++d) {
        for (const std::int32_t s : {place - d, place + d}) {
            if (s < 0 || s >= count || (d > 0 && s == place)) continue;
            const TChartSeries& series = chart_.Series(static_cast<std::size_t>(s));
            if (!Usable(series)) continue;
            const std::int32_t point = NearestWithValues(
                series, s == at_.Series ? std::clamp(at_.Point, 0, series.PointCount() - 1)
                                        : NearestToX(series, HUGE_VAL));
            if (point >= 0) return TAt{s, point};
        }
    }
    return std::nullopt;
}

const TChartSeries* TDataCursor::Series() const {
    const std::optional<TAt> at = shown_ ? Checked() : std::nullopt;
    return at ? &chart_.Series(static_cast<std::size_t>(at->Series)) : nullptr;
}

std::int32_t TDataCursor::PointIndex() const {
    const std::optional<TAt> at = shown_ ? Checked() : std::nullopt;
    return at ? at->Point : -1;
}

std::optional<TDataCursor::TAt> TDataCursor::Start() const {
    for (std::size_t s = 0; s < chart_.SeriesCount(); ++s) {
        const TChartSeries& series = chart_.Series(s);
        if (!Usable(series)) continue;
        const TScaleMap& map = chart_.ScaleMapOf(*series.ResolvedHorizAxis());
        const double middle = map.ToValue((map.StartPixel() + map.EndPixel()) / 2);
        const std::int32_t point = NearestToX(series, middle);
        if (point >= 0) return TAt{static_cast<std::int32_t>(s), point};
    }
    return std::nullopt;
}

std::optional<TDataCursor::TAt> TDataCursor::Moved(TAt at, TDataCursorMove move) const {
    const TChartSeries& series = chart_.Series(static_cast<std::size_t>(at.Series));
    const double x = series.XValues().Value(at.Point);
    switch (move) {
        case dcStart:
            return Start();
        case dcPrevious:
            return TAt{at.Series, Stepped(series, at.Point, -1)};
        case dcNext:
            return TAt{at.Series, Stepped(series, at.Point, +1)};
        case dcPageBack:
        case dcPageForward: {
            const TChartAxis& axis = *series.ResolvedHorizAxis();
            const TScaleRange held = HeldRange(axis, chart_.ScaleMapOf(axis));
            const double page = std::fabs(held.Maximum - held.Minimum) * PageShare;
            const std::int32_t direction = move == dcPageForward ? 1 : -1;
            std::int32_t point = NearestToX(series, x + direction * page);
            // A page always moves, however close the points stand.
            if (point == at.Point || (point - at.Point) * direction < 0)
                point = Stepped(series, at.Point, direction);
            return TAt{at.Series, point};
        }
        case dcFirst:
            return TAt{at.Series, Stepped(series, -1, +1)};
        case dcLast:
            return TAt{at.Series, Stepped(series, series.PointCount(), -1)};
        case dcSeriesBefore:
        case dcSeriesAfter: {
            const std::int32_t direction = move == dcSeriesAfter ? 1 : -1;
            const auto count = static_cast<std::int32_t>(chart_.SeriesCount());
            for (std::int32_t s = at.Series + direction; s >= 0 && s < count; s += direction) {
                const TChartSeries& other = chart_.Series(static_cast<std::size_t>(s));
                if (!Usable(other)) continue;
                const std::int32_t point = NearestToX(other, x);
                if (point >= 0) return TAt{s, point};
            }
            return at;
        }
    }
    return at;
}

void TDataCursor::ScrollToShow(TAt at) {
    const TChartSeries& series = chart_.Series(static_cast<std::size_t>(at.Series));
    const std::int32_t dx =
        ShortOfView(chart_, *series.ResolvedHorizAxis(), series.XValues().Value(at.Point));
    const std::int32_t dy =
        ShortOfView(chart_, *series.ResolvedVertAxis(), series.YValues().Value(at.Point));
    if (dx != 0 || dy != 0) chart_.Mouse().ScrollBy(dx, dy);
}

bool TDataCursor::Move(TDataCursorMove move) {
    std::optional<TAt> at = Checked();
    if (!at || (!shown_ && move != dcStart)) {
        if (!at) shown_ = false;
        return shown_;
    }
    at = Moved(*at, move);
    if (!at) return shown_;
    at_ = *at;
    shown_ = true;
    ScrollToShow(at_);
    return true;
}

}  // namespace twinscope
