// Saves a chart with °F on the left and °C on the right as a PNG:
// `fahrenheit_celsius_chart [file.png] [--aligned]`. A winter day's readings around freezing:
// the °C scale across the plot reads the same line in the other unit, so 32 °F stands level
// with 0 °C. With --aligned the °C ticks stand at the °F labels, in tenths of a degree, so the
// grid lines read in both units.
#include <iostream>
#include <string>

#include <QGuiApplication>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    QGuiApplication app(argc, argv);  // for the fonts; no window opens
    const std::string file = argc > 1 ? argv[1] : "fahrenheit_celsius.png";
    const bool aligned = argc > 2 && std::string(argv[2]) == "--aligned";

    TChart chart;
    chart.Title().SetText({"A winter day on the porch"});
    chart.Legend().SetVisible(false);
    TLineSeries& porch = chart.AddNewSeries<TLineSeries>();
    const struct {
        double hour;
        double fahrenheit;
    } readings[] = {{0, 24.1},  {3, 21.6},  {6, 20.3},  {9, 27.9}, {12, 36.5},
                    {15, 40.2}, {18, 33.8}, {21, 28.4}, {24, 25.0}};
    for (const auto& reading : readings)
        porch.AddPoint(reading.hour, reading.fahrenheit);

    // The left axis in °F, red, from 14 to 50 °F (-10 to 10 °C) in steps of the 1-2-5 ladder;
    // the °C scale follows it from the right, blue.
    StyleAxis(chart.LeftAxis(), "°F", clRed);
    chart.LeftAxis().SetMinMax(14, 50);
    SetNiceIncrement(chart.LeftAxis());
    chart.BottomAxis().Title().SetCaption("hour");
    tScale& celsius = chart.CustomAxes().Add<tScale>(
        ssRight, "°C", &tLeftCelsiusScale::CelsiusFromFahrenheit, "", "", clBlue);
    celsius.SetFollowsLive(true);
    if (aligned) {
        celsius.SetAlignedDecimals(1);
        celsius.SetAlignedToMaster(true);
    }

    try {
        SaveChartImage(chart, file, 900, 500, 2);
    } catch (const RuntimeError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << "Saved " << file << '\n';
    return 0;
}
