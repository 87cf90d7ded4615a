// A chart widget with a °F axis and its °C scale, and a date axis with its day-of-the-year
// scale, over two summer months of daily highs.
#include <cmath>

#include <QApplication>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    QApplication app(argc, argv);
    TChartWidget widget;
    TChart& chart = widget.Chart();
    chart.Legend().SetVisible(false);

    auto& highs = chart.AddNewSeries<TLineSeries>();
    highs.XValues().SetDateTime(true);
    for (int day = 0; day < 61; ++day)
        highs.AddPoint(EncodeDate(2024, 7, 1) + day, 78 + 12 * std::sin(day / 7.0));

    chart.CustomAxes().Add<tLeftCelsiusScale>().SetFollowsLive(true);
    chart.CustomAxes().Add<tBottomDayOfTheYearScale>().SetFollowsLive(true);

    widget.resize(900, 500);
    widget.show();
    return app.exec();
}
