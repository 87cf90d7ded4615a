// Saves a chart with a logarithmic axis as a PNG: `log_axis_chart [file.png]`. Two cultures
// growing from one cell, one doubling every hour and one every ninety minutes: on a
// logarithmic axis steady growth is a straight line, and each power of ten takes the same room.
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
    const std::string file = argc > 1 ? argv[1] : "log_axis.png";

    TChart chart;
    chart.Title().SetText({"Cells in two cultures"});
    chart.Legend().SetVisible(false);
    TLineSeries& fast = chart.AddNewSeries<TLineSeries>();
    TLineSeries& slow = chart.AddNewSeries<TLineSeries>();
    for (int minute = 0; minute <= 20 * 60; minute += 10) {
        const double hours = minute / 60.0;
        fast.AddPoint(hours, std::pow(2.0, hours));
        slow.AddPoint(hours, std::pow(2.0, hours / 1.5));
    }

    // From one cell to a million: 1, 10, 100, ... 1,000,000 at equal spacing, with minor ticks
    // at 2, 3, ... 9 times each power of ten.
    TChartAxis& cells = chart.LeftAxis();
    cells.SetMinMax(1, 1e6);
    cells.SetLogarithmic(true);
    cells.Title().SetCaption("cells");
    chart.BottomAxis().Title().SetCaption("hours");

    try {
        SaveChartImage(chart, file, 900, 500, 2);
    } catch (const RuntimeError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << "Saved " << file << '\n';
    return 0;
}
