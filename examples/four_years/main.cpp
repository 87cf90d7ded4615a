// Saves four years of daily readings, 2012 to 2015, with a day-of-the-year scale that starts
// again at each new year, as a PNG: `four_years_chart [file.png]`. The bottom axis holds the
// dates; the scale below it numbers the same days 1 to 366 in the leap year 2012 and 1 to 365
// after it, each number at its date.
#include <cmath>
#include <iostream>
#include <numbers>
#include <string>

#include <QGuiApplication>

#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    QGuiApplication app(argc, argv);  // for the fonts; no window opens
    const std::string file = argc > 1 ? argv[1] : "four_years.png";

    TChart chart;
    chart.Title().SetText({"Daily highs, 2012 to 2015"});
    chart.Legend().SetVisible(false);
    TLineSeries& highs = chart.AddNewSeries<TLineSeries>();
    highs.XValues().SetDateTime(true);
    // Made-up seasons, warmest late in July, with the weather's ups and downs on top.
    const TDateTime first = EncodeDate(2012, 1, 1);
    const TDateTime last = EncodeDate(2015, 12, 31);
    for (TDateTime date = first; date <= last; date += 1) {
        const double day = date - first;
        const double season = -std::cos(2 * std::numbers::pi * (day - 20) / 365.25);
        const double weather = 3 * std::sin(day * 2.1) + 2 * std::sin(day * 0.37);
        highs.AddPoint(date, 60 + 18 * season + weather);
    }
    // The dates are labelled on each new year.
    chart.BottomAxis().SetExactDateTime(true);
    chart.BottomAxis().SetIncrement(DateTimeStepTable[dtOneYear]);

    // °F on the left, red; the dates below with the day of the year under them, in blue, which
    // follows the dates' range at every paint.
    StyleAxis(chart.LeftAxis(), "°F", clRed);
    tBottomCalendarScale& days = chart.CustomAxes().Add<tBottomCalendarScale>(calDayOfYear);
    StyleAxis(days, "day of the year", clBlue);
    days.SetFollowsLive(true);

    try {
        SaveChartImage(chart, file, 900, 500, 2);
    } catch (const RuntimeError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << "Saved " << file << '\n';
    return 0;
}
