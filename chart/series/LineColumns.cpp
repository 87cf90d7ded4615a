// Drawing a line series one pixel column at a time. Where many points share a column, the
// segments between them are vertical and together cover every pixel from the column's lowest
// to its highest point, so one vertical line over that span, plus the segments into and out of
// the column, puts down the same pixels. X ascends, so a column's points are found by searching
// X from where the column before suggests it ends; the lowest and highest Y of a long column
// come from the Y values' index of block extremes. While the values stay the same, a column the
// paint before found is taken again wherever its points still make one column.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/series/KeptColumns.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/PixelColumns.h"
#include "twinscope/chart/series/PrefetchLine.h"

namespace twinscope {

void TCustomStackSeries::DrawColumns(TCanvas3D& canvas, TChartCanvas::TColumnLines lines) {
    const TScaleMap& horizontal = XMap();
    const TScaleMap& vertical = YMap();
    const ValueView xs = XValues().View();
    const ValueView ys = YValues().View();
    const TColor color = SeriesColor();
    const std::int32_t end = std::min(LastShownIndex(), PointCount() - 1) + 1;
    const bool exact = lines == TChartCanvas::TColumnLines::Exact;

    // The rows from the lowest to the highest pixel of a column's values.
    struct TRows {
        std::int32_t top;
        std::int32_t bottom;
    };
    auto rowsOf = [&](const TValueSpread& spread) {
        const std::int32_t a = vertical.ToPixel(spread.low);
        const std::int32_t b = vertical.ToPixel(spread.high);
        return TRows{std::min(a, b), std::max(a, b)};
    };
    // One vertical line over the rows of column x.
    auto drawSpan = [&](std::int32_t x, TRows rows, std::int32_t from, std::int32_t to) {
        // An aliased line stops before its last pixel; an anti-aliased one covers both ends.
        if (exact) {
            DrawSegment(canvas, {x, rows.top}, {x, rows.bottom + 1}, from, to, color);
        } else if (rows.bottom > rows.top) {
            DrawSegment(canvas, {x, rows.top}, {x, rows.bottom}, from, to, color);
        }
    };
    // Long columns are answered from the Y values' index of block extremes, a few blocks per
    // level instead of every point.
    auto spreadOf = [&](std::int32_t from, std::int32_t to) { return YValues().Spread(from, to); };
    // An anti-aliased column line covers its rows whole, but with flat pen ends the two end
    // rows only by half. A segment between two neighbouring columns that stays two rows inside
    // both columns' whole rows touches only pixels that are already the series' colour, so
    // drawing it would change nothing and it is left out.
    struct TSpanColumn {
        std::int32_t x;
        TRows rows;
    };
    std::optional<TSpanColumn> previousSpan;
    auto wholeRowsHold = [](TRows rows, std::int32_t low, std::int32_t high) {
        return rows.top + 3 <= low && high + 3 <= rows.bottom;
    };

    std::int32_t i = FirstShownIndex();
    keptColumns_.Begin({XValues().Changes(), YValues().Changes(), YValues().IndexExtremes()});
    std::int32_t expected = 1;
    struct TColumn {
        std::int32_t x;
        std::int32_t end;
        TValueSpread spread;
    };
    auto pixelOf = [&](std::int32_t k) {
        return horizontal.ToPixel(xs[static_cast<std::size_t>(k)]);
    };
    // The column from point i on: one the last paint drew, where its last point still lies in
    // this column and the point after it does not (X ascends, so every point between does
    // too), or else searched and read.
    auto nextColumn = [&]() -> TColumn {
        const std::int32_t x = pixelOf(i);
        const TKeptColumns::TColumn* kept = keptColumns_.StartingAt(i);
        if (kept && kept->End <= end && pixelOf(kept->End - 1) == x &&
            (kept->End == end || pixelOf(kept->End) != x)) {
            expected = kept->End - i;
            // The next kept column's ends are checked next.
            if (const TKeptColumns::TColumn* after = keptColumns_.AfterFound();
                after && after->End <= end) {
                PrefetchLine(xs.Address(xs.begin + static_cast<std::size_t>(after->End - 1)));
            }
            keptColumns_.Add(*kept);
            return {x, kept->End, kept->Spread};
        }
        const std::int32_t columnEnd = ColumnEnd(horizontal, xs, i, end, x, expected);
        expected = columnEnd - i;
        // The next column likely ends as far on: what its search and its spread read there is
        // fetched while this column draws.
        const std::int64_t nextEnd = std::int64_t{columnEnd} + expected;
        if (expected >= PrefetchedColumnPoints && nextEnd < end) {
            PrefetchLine(xs.Address(xs.begin + static_cast<std::size_t>(nextEnd)));
            YValues().PrefetchSpread(static_cast<std::int32_t>(nextEnd));
        }
        if (columnEnd - i < MinimumColumnPoints) return {x, columnEnd, {}};
        const TValueSpread spread = spreadOf(i, columnEnd);
        keptColumns_.Add({i, columnEnd, spread});
        return {x, columnEnd, spread};
    };
    while (i < end) {
        const auto [x, columnEnd, spread] = nextColumn();
        NoteDrawnColumn(i);
        const bool many = columnEnd - i >= MinimumColumnPoints;
        // Segments at the pixel limit are bent back by it, and values that are not a number,
        // or outside the domain of a logarithmic or transformed map, have no place in the order
        // of pixels: those are drawn segment by segment.
        const bool unordered =
            spread.notANumber || (vertical.Kind() != skLinear && (!vertical.InDomain(spread.low) ||
                                                                  !vertical.InDomain(spread.high)));
        if (!many || std::abs(x) >= PixelLimit || unordered) {
            for (; i < columnEnd; ++i)
                DrawPoint(canvas, i);
            previousSpan.reset();
            continue;
        }
        // The segment into the column (or the line entering the plot) reaches its first point.
        const TRows rows = rowsOf(spread);
        const std::int32_t firstPixel = vertical.ToPixel(ys[static_cast<std::size_t>(i)]);
        const std::int32_t low = std::min(prev_.Y, firstPixel);
        const std::int32_t high = std::max(prev_.Y, firstPixel);
        const bool hidden = !exact && previousSpan && previousSpan->x + 1 == x && started_ &&
                            prevIndex_ == i - 1 && i != enteringIndex_ &&
                            wholeRowsHold(previousSpan->rows, low, high) &&
                            wholeRowsHold(rows, low, high);
        if (hidden) {
            prev_ = {x, firstPixel};
            prevColor_ = color;
            prevIndex_ = i;
        } else {
            DrawPoint(canvas, i);
        }
        previousSpan.reset();
        const std::int32_t lastPixel =
            vertical.ToPixel(ys[static_cast<std::size_t>(columnEnd - 1)]);
        if (columnEnd < end) {
            // The segment out of the column starts at its last point, so the vertical line
            // covers every pixel the column's own segments cover.
            drawSpan(x, rows, i, columnEnd - 1);
            previousSpan = TSpanColumn{x, rows};
        } else {
            // No segment leaves the last column: its last pixel is covered only when the walk
            // through the column passes it. Trailing points on that pixel add nothing; the
            // point before them ends the vertical line and starts the final segment.
            std::int32_t k = columnEnd - 2;
            while (k >= i && vertical.ToPixel(ys[static_cast<std::size_t>(k)]) == lastPixel)
                --k;
            if (k >= i) {
                drawSpan(x, rowsOf(spreadOf(i, k + 1)), i, k);
                const std::int32_t from = vertical.ToPixel(ys[static_cast<std::size_t>(k)]);
                DrawSegment(canvas, {x, from}, {x, lastPixel}, k, k + 1, color);
            }
        }
        prev_ = {x, lastPixel};
        prevIndex_ = columnEnd - 1;
        i = columnEnd;
    }
    keptColumns_.Finish();
    NoteDrawnColumn(end);
}

}  // namespace twinscope
