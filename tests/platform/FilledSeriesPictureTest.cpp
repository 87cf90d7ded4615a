#include <cmath>
#include <cstdlib>
#include <string>

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/chart/series/BarSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {
namespace {

class FilledSeriesPictureTest : public ::testing::TestWithParam<const char*> {
protected:
    FilledSeriesPictureTest() {
        chart.SetView3D(false);
        chart.SetDefaultCanvas(GetParam());
        chart.BottomAxis().SetMinMax(0, 10);
        chart.LeftAxis().SetMinMax(0, 100);
    }

    // The chart as a picture; saved beside the others when FILLED_PICTURE_DIR names a folder.
    QImage Picture(const std::string& name) {
        const std::string path = dir.filePath("chart.png").toStdString();
        SaveChartImage(chart, path, 500, 300);
        QImage image(QString::fromStdString(path));
        if (const char* folder = std::getenv("FILLED_PICTURE_DIR"))
            image.save(QString(folder) + "/" + QString::fromStdString(name) + "-" + GetParam() +
                       ".png");
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QPoint At(double x, double y) const {
        return {chart.ScaleMapOf(chart.BottomAxis()).ToPixel(x),
                chart.ScaleMapOf(chart.LeftAxis()).ToPixel(y)};
    }

    QTemporaryDir dir;
    TChartWidget widget;
    TChart& chart = widget.Chart();
};

// The band lets the back wall show through its fill, keeps its edges in the series colour and
// breaks at a value that is not a number; its legend swatch is blended the same way.
TEST_P(FilledSeriesPictureTest, ABandIsTranslucentBetweenItsEdgesAndBreaksAtAGap) {
    auto& band = chart.AddNewSeries<TBandSeries>();
    band.SetSeriesColor(clRed);
    band.SetTitle("range");
    for (int x = 0; x <= 10; ++x)
        band.AddBand(x, 20, x == 5 ? std::nan("") : 60);
    const QImage picture = Picture("band");
    const QRgb wall = picture.pixel(At(2, 80));
    const QRgb inside = picture.pixel(At(2, 40));
    EXPECT_GT(qRed(inside), qGreen(inside) + 60) << "red";
    EXPECT_GT(qGreen(inside), 60) << "and not opaque";
    EXPECT_EQ(picture.pixel(At(5, 40)), wall) << "no band across the gap";
}

// Bars are opaque in the series colour from the base up, with the wall between them.
TEST_P(FilledSeriesPictureTest, BarsStandOnTheBaseInTheSeriesColour) {
    auto& bars = chart.AddNewSeries<TBarSeries>();
    bars.SetSeriesColor(clBlue);
    for (int x = 1; x <= 9; ++x)
        bars.AddPoint(x, 10 * x);
    const QImage picture = Picture("bars");
    const QRgb wall = picture.pixel(At(2, 95));
    EXPECT_EQ(picture.pixel(At(3, 5)), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(At(3, 25)), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(At(3, 35)), wall) << "above the bar";
    EXPECT_EQ(picture.pixel(At(3.5, 5)), wall) << "between two bars";
}

INSTANTIATE_TEST_SUITE_P(Canvases, FilledSeriesPictureTest,
                         ::testing::Values("TChartCanvas3D", "TGDIPlusCanvas"));

}  // namespace
}  // namespace twinscope
