#include "chart/series/LineSeries.h"

#include "chart/panel/CustomAxisPanel.h"

namespace twinscope {

void TCustomSeries::WidenShownRange() {
    std::int32_t first = FirstShownIndex();
    std::int32_t last = LastShownIndex();
    if (first < 0 || !ParentChart()) return;
    const TRect& plot = ParentChart()->PlotRect();
    const TChartValueList& order = OrderList();
    auto touchesPlot = [&](std::int32_t i) {
        const std::int32_t x = XPixel(i);
        const std::int32_t y = YPixel(i);
        const TRect marker{x - pointer_.HorizSize, y - pointer_.VertSize, x + pointer_.HorizSize,
                           y + pointer_.VertSize};
        return !Intersect(marker, plot).IsEmpty();
    };
    const std::int32_t lastIndex = PointCount() - 1;
    while (last < lastIndex && touchesPlot(last + 1))
        ++last;
    while (last < lastIndex && order[last + 1] == order[last])
        ++last;
    while (first > 0 && touchesPlot(first - 1))
        --first;
    while (first > 0 && order[first - 1] == order[first])
        --first;
    SetShownRange(first, last);
}

TLineSeries::TLineSeries() {
    Pointer().Visible = false;
}

}  // namespace twinscope
