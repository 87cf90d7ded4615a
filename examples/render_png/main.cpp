// Saves a chart as a PNG without a window: `render_png_chart [file.png]`. A year of daily
// highs and lows in °F with the °C scale beside them, at twice the pixels for sharp text.
#include <cmath>
#include <iostream>
#include <numbers>
#include <string>

#include <QGuiApplication>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    QGuiApplication app(argc, argv);  // for the fonts; no window opens
    const std::string file = argc > 1 ? argv[1] : "chart.png";

    TChart chart;
    chart.Title().SetText({"Daily highs and lows, 2024"});
    chart.Legend().SetVisible(false);
    TLineSeries& highs = chart.AddNewSeries<TLineSeries>();
    TLineSeries& lows = chart.AddNewSeries<TLineSeries>();
    const TDateTime newYear = EncodeDate(2024, 1, 1);
    for (int day = 0; day < 366; ++day) {
        const double season = -std::cos(2 * std::numbers::pi * (day - 20) / 366);
        highs.AddPoint(newYear + day, 60 + 25 * season + 3 * std::sin(day / 3.0));
        lows.AddPoint(newYear + day, 42 + 22 * season + 3 * std::sin(day / 4.0));
    }
    highs.XValues().SetDateTime(true);
    chart.CustomAxes().Add<tLeftCelsiusScale>().SetFollowsLive(true);

    try {
        SaveChartImage(chart, file, 900, 500, 2);
    } catch (const RuntimeError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << "Saved " << file << '\n';
    return 0;
}
