#include <cstdlib>
#include <string>
#include <vector>

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

// Three weeks across a new year with the grid on a wrapping day scale, drawn in blue: on each
// canvas a grid line stands at the date of every day the scale labels, 31 December and
// 1 January among them, one day apart.
TEST(WrappingScalePixelTest, TheGridStandsAtTheLabelledDatesOnBothCanvases) {
    QTemporaryDir dir;
    TChartWidget widget;
    widget.resize(900, 300);
    TChart& chart = widget.Chart();
    chart.SetView3D(false);
    auto& series = chart.CreateSeries<TLineSeries>();
    series.XValues().SetDateTime(true);
    series.SetParentChart(&chart);
    const double begin = EncodeDate(2014, 12, 20);
    const double end = EncodeDate(2015, 1, 10);
    series.AddPoint(begin, 50);
    series.AddPoint(end, 60);
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetAutomatic(false);
    bottom.SetMinMax(begin, end);
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMinMax(0, 100);
    chart.LeftAxis().Grid().SetVisible(false);
    auto days = CreateOwnedAxis<tBottomCalendarScale>(chart, calDayOfYear);
    days->ToggleGrid();
    days->Grid().SetColor(clBlue);

    const std::string path = dir.filePath("wrap.png").toStdString();
    for (const char* canvas : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        chart.SetDefaultCanvas(canvas);
        SaveChartImage(chart, path, 900, 300);
        const QImage saved(QString::fromStdString(path));
        const TRect plot = chart.PlotRect();
        const int y = (plot.Top + plot.Bottom) / 2;
        const auto blueNear = [&](int x) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QColor c = saved.pixelColor(x + dx, y);
                if (c.blue() > 150 && c.red() < 120 && c.green() < 120) return true;
            }
            return false;
        };
        std::vector<std::string> texts;
        for (const TAxisItem& item : days->Items()) {
            texts.push_back(item.Text);
            const std::int32_t x = chart.ScaleMapOf(bottom).ToPixel(item.Value);
            if (x > plot.Left + 1 && x < plot.Right - 1)
                EXPECT_TRUE(blueNear(x)) << canvas << " day " << item.Text << " at " << x;
        }
        const std::int32_t newYear = chart.ScaleMapOf(bottom).ToPixel(EncodeDate(2015, 1, 1));
        const std::int32_t lastDay = chart.ScaleMapOf(bottom).ToPixel(EncodeDate(2014, 12, 31));
        EXPECT_TRUE(blueNear(newYear)) << canvas;
        EXPECT_TRUE(blueNear(lastDay)) << canvas;
        // Half way between them nothing is drawn.
        EXPECT_FALSE(blueNear((newYear + lastDay) / 2)) << canvas;
        EXPECT_NE(std::find(texts.begin(), texts.end(), "365"), texts.end()) << canvas;
        EXPECT_NE(std::find(texts.begin(), texts.end(), "1"), texts.end())
            << canvas << " " << ::testing::PrintToString(texts);
    }
}

}  // namespace
}  // namespace twinscope
