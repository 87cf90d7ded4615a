#include "twinscope/chart/series/SeriesHitTest.h"

#include <algorithm>
#include <optional>

#include "twinscope/chart/series/ChartSeries.h"

namespace twinscope {

namespace {

// Squared distance from p to the segment a..b, in pixels.
double SquaredDistanceToSegment(TPoint p, TPoint a, TPoint b) {
    const auto d = [](std::int32_t to, std::int32_t from) {
        return static_cast<double>(to) - static_cast<double>(from);
    };
    const double dx = d(b.X, a.X);
    const double dy = d(b.Y, a.Y);
    const double length = dx * dx + dy * dy;
    const double t =
        length > 0 ? std::clamp((d(p.X, a.X) * dx + d(p.Y, a.Y) * dy) / length, 0.0, 1.0) : 0.0;
    const double ex = d(a.X, p.X) + t * dx;
    const double ey = d(a.Y, p.Y) + t * dy;
    return ex * ex + ey * ey;
}

}  // namespace

bool SeriesHit(const TChartSeries& series, TPoint p, std::int32_t tolerance) {
    const std::int32_t first = series.FirstShownIndex();
    if (first < 0 || !series.ResolvedHorizAxis() || !series.ResolvedVertAxis()) return false;
    const double reach = static_cast<double>(tolerance) * tolerance;
    std::optional<TPoint> previous;
    for (std::int32_t i = first; i <= series.LastShownIndex(); ++i) {
        if (series.IsGap(i)) {
            previous.reset();
            continue;
        }
        const TPoint at{series.XPixel(i), series.YPixel(i)};
        if (SquaredDistanceToSegment(p, previous.value_or(at), at) <= reach) return true;
        previous = at;
    }
    return false;
}

}  // namespace twinscope
