// A million readings, one every 30 seconds through 2024, in a chart widget. Drag with the left
// button to the lower right to zoom into a rectangle, to the upper left to undo the zoom; drag
// with the right button to scroll. The °C and day-of-the-year scales follow as you go.
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

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
    chart.Title().SetText({"1,000,000 readings: drag to zoom, right-drag to scroll"});
    chart.Legend().SetVisible(false);

    // A seasonal swing, a daily swing and some noise.
    constexpr int kReadings = 1'000'000;
    constexpr double kStep = 30.0 / 86400;  // days
    const double first = EncodeDate(2024, 1, 1);
    std::vector<double> xs(kReadings), ys(kReadings);
    std::mt19937 noise(2024);
    std::normal_distribution<double> jitter(0, 1.5);
    for (int i = 0; i < kReadings; ++i) {
        const double day = i * kStep;
        xs[i] = first + day;
        ys[i] = 55 - 22 * std::cos(2 * std::numbers::pi * (day - 20) / 366) +
                9 * std::sin(2 * std::numbers::pi * (day - 0.375)) + jitter(noise);
    }
    auto& readings = chart.AddNewSeries<TLineSeries>();
    readings.XValues().SetDateTime(true);
    readings.AppendPoints(xs, ys);

    chart.CustomAxes().Add<tLeftCelsiusScale>().SetFollowsLive(true);
    chart.CustomAxes().Add<tBottomDayOfTheYearScale>().SetFollowsLive(true);

    widget.resize(1000, 560);
    widget.show();
    return app.exec();
}
