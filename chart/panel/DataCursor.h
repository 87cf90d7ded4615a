#pragma once

#include <cstdint>
#include <optional>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartSeries;
class TCustomChart;

// The moves of a keyboard data cursor: start at the point in the middle of the view, one point
// back or on, a tenth of the view back or on, to the first or last point, to the series before
// or after (its point nearest the cursor's X).
enum class TDataCursorMove : std::uint8_t {
    dcStart,
    dcPrevious,
    dcNext,
    dcPageBack,
    dcPageForward,
    dcFirst,
    dcLast,
    dcSeriesBefore,
    dcSeriesAfter
};
using enum TDataCursorMove;

// A point of one of the chart's series chosen from the keyboard. It moves point by point over
// the points that have values (gaps are stepped over), and scrolls the chart, as the arrow keys
// do, when its point leaves the view. It keeps the series' place in the chart's list and the
// point's index and checks both whenever it is read, so that a series removed or shortened
// under it moves it to the nearest point still there, never past the end.
class TWINSCOPE_EXPORT TDataCursor {
public:
    explicit TDataCursor(TCustomChart& chart) : chart_(chart) {}

    bool Shown() const { return shown_; }
    // The series and point shown, checked against the chart as it is now; none when hidden or
    // when no series has a point left.
    const TChartSeries* Series() const;
    std::int32_t PointIndex() const;

    // Makes a move; dcStart shows a hidden cursor, the others move a shown one. Answers whether
    // the cursor is shown after it.
    bool Move(TDataCursorMove move);
    void Hide() { shown_ = false; }

private:
    struct TAt {
        std::int32_t Series = -1;
        std::int32_t Point = -1;
    };
    // Where the cursor is, checked: the series nearest its place that has a point, the point
    // index clamped into it.
    std::optional<TAt> Checked() const;
    std::optional<TAt> Start() const;
    std::optional<TAt> Moved(TAt at, TDataCursorMove move) const;
    void ScrollToShow(TAt at);

    TCustomChart& chart_;
    bool shown_ = false;
    TAt at_;
};

}  // namespace twinscope
