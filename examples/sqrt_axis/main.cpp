// Saves a chart with a square-root axis as a PNG: `sqrt_axis_chart [file.png]`. A summer of
// daily rain, most days dry or nearly so and a few stormy: on a square-root axis the light
// days keep room to be told apart while the storms still fit. The axis is the user's own
// monotonic pair (the square root and the square) over the values from zero up.
#include <cmath>
#include <iostream>
#include <string>

#include <QGuiApplication>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/runtime/Exceptions.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    QGuiApplication app(argc, argv);  // for the fonts; no window opens
    const std::string file = argc > 1 ? argv[1] : "sqrt_axis.png";

    TChart chart;
    chart.Title().SetText({"Daily rain, June to August"});
    chart.Legend().SetVisible(false);
    TLineSeries& rain = chart.AddNewSeries<TLineSeries>();
    rain.SetStairs(true);
    // A made-up summer: light showers on most days, a storm every few weeks.
    for (int day = 0; day < 92; ++day) {
        const double shower = 0.8 * (1 + std::sin(day * 1.7)) * (1 + std::cos(day * 0.31));
        const double storm = day % 23 == 11 ? 38.0 + day % 7 : 0.0;
        rain.AddPoint(day + 1, std::round((shower + storm) * 10) / 10);
    }

    TChartAxis& mm = chart.LeftAxis();
    mm.SetTransform([](double v) { return std::sqrt(v); }, [](double p) { return p * p; },
                    {.Minimum = 0});
    mm.SetMinMax(0, 50);
    mm.Title().SetCaption("rain (mm), square-root axis");
    chart.BottomAxis().Title().SetCaption("day of summer");

    try {
        SaveChartImage(chart, file, 900, 500, 2);
    } catch (const RuntimeError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << "Saved " << file << '\n';
    return 0;
}
