// Two charts linked through their X, as a window or a PNG: `linked_chart [file.png]`. Above,
// a year of daily highs over dates; below, the hours of daylight over the day of the year. The
// two X differ by a conversion (a date and its day of the year), and the link passes zoom,
// scroll and the readout between them: the mouse over one shows one readout line through both.
// With a file name the window is drawn offscreen with a readout at 15 August and saved.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>
#include <string>

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartLink.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/runtime/DateTime.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    QApplication app(argc, argv);
    const TDateTime newYear = EncodeDate(2015, 1, 1);

    QWidget window;
    window.setWindowTitle("Linked charts");
    auto* layout = new QVBoxLayout(&window);
    auto* temperatures = new TChartWidget;
    auto* daylight = new TChartWidget;
    layout->addWidget(temperatures);
    layout->addWidget(daylight);

    // Made-up highs, warmest late in July, with the weather's ups and downs.
    TChart& above = temperatures->Chart();
    above.Title().SetText({"Daily highs, 2015"});
    above.Legend().SetVisible(false);
    TLineSeries& highs = above.AddNewSeries<TLineSeries>();
    highs.SetTitle("high");
    highs.XValues().SetDateTime(true);
    for (int day = 0; day < 365; ++day) {
        const double season = -std::cos(2 * std::numbers::pi * (day - 20) / 365.25);
        highs.AddPoint(newYear + day,
                       60 + 18 * season + 2.5 * std::sin(day * 0.45) + 1.5 * std::sin(day * 1.3));
    }
    above.LeftAxis().Title().SetCaption("°F");

    // The hours of daylight at 47.5° north over the day of the year.
    TChart& below = daylight->Chart();
    below.Title().SetText({"Hours of daylight, 47.5° N"});
    below.Legend().SetVisible(false);
    TLineSeries& hours = below.AddNewSeries<TLineSeries>();
    hours.SetTitle("daylight");
    const double latitude = 47.5 * std::numbers::pi / 180;
    for (int day = 1; day <= 365; ++day) {
        const double declination = -0.4093 * std::cos(2 * std::numbers::pi * (day + 10) / 365);
        const double cosHour = std::clamp(-std::tan(latitude) * std::tan(declination), -1.0, 1.0);
        hours.AddPoint(day, 24 / std::numbers::pi * std::acos(cosHour));
    }
    below.LeftAxis().Title().SetCaption("h");
    below.BottomAxis().Title().SetCaption("day of the year");

    // The dates are the shared X; the lower chart's day of the year converts to and from them.
    TChartLink link;
    link.Add(*temperatures);
    link.Add(
        *daylight, [newYear](double day) { return newYear + day - 1; },
        [newYear](double date) { return date - newYear + 1; });

    window.resize(900, 700);
    if (argc < 2) {
        window.show();
        return app.exec();
    }
    // Offscreen: a paint lays both charts out, then the readout at 15 August in the upper one
    // shows in the lower one too.
    window.grab();
    const TDateTime august15 = EncodeDate(2015, 8, 15);
    const TRect& plot = above.PlotRect();
    temperatures->Readouts().ShowAt(
        {above.ScaleMapOf(above.BottomAxis()).ToPixel(august15), plot.Top + plot.Height() / 3});
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::cerr << "Could not save " << argv[1] << '\n';
        return 1;
    }
    std::cout << "Saved " << argv[1] << '\n';
    return 0;
}
