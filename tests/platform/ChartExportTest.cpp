#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/runtime/Exceptions.h"
#include "tests/support/Expect.h"

namespace twinscope {
namespace {

// A chart in its window, a thick red zigzag over a °F axis with its title.
class ChartExportTest : public ::testing::Test {
protected:
    ChartExportTest() {
        widget.resize(500, 300);
        chart.SetView3D(false);
        auto& series = chart.CreateSeries<TLineSeries>();
        series.SetParentChart(&chart);
        series.SetSeriesColor(clRed);
        series.LinePen().SetWidth(3);
        for (int x = 0; x <= 10; ++x)
            series.AddPoint(x, x % 2 == 0 ? 20 : 80);
        chart.LeftAxis().SetAutomatic(false);
        chart.LeftAxis().SetMinMax(0, 100);
        chart.LeftAxis().Title().SetCaption("°F");
    }

    std::string PathOf(const char* name) const { return dir.filePath(name).toStdString(); }

    static int RedPixels(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++count;
            }
        return count;
    }

    QTemporaryDir dir;
    TChartWidget widget;
    TChart& chart = widget.Chart();
};

TEST_F(ChartExportTest, APngAtRatioOneHoldsThePixelsTheWindowShowsAtThatSize) {
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);

    SaveChartImage(chart, PathOf("chart.png"), 500, 300);

    const QImage saved(dir.filePath("chart.png"));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);
    EXPECT_GT(RedPixels(saved), 500);
}

TEST_F(ChartExportTest, APngAtAnotherSizeAndRatioIsLaidOutForItAndLeavesTheWindowAsItWas) {
    widget.grab();
    SaveChartImage(chart, PathOf("large.PNG"), 800, 600, 2);

    const QImage saved(dir.filePath("large.PNG"));
    ASSERT_EQ(saved.size(), QSize(1600, 1200));
    // The panel's button-face colour fills the corner; the line spans the larger plot.
    EXPECT_EQ(saved.pixelColor(3, 3), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_GT(RedPixels(saved.copy(1200, 0, 400, 1200)), 500);
    EXPECT_EQ(chart.Width(), 500);
    EXPECT_EQ(chart.Height(), 300);
}

TEST_F(ChartExportTest, AnSvgIsAVectorPictureOfTheChart) {
    SaveChartImage(chart, PathOf("chart.svg"), 500, 300, 1.5);

    QSvgRenderer renderer(dir.filePath("chart.svg"));
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 500, 300));
    QImage drawn(500, 300, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    EXPECT_GT(RedPixels(drawn), 500);

    QFile file(dir.filePath("chart.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("°F"));
    // The displayed size is written in millimetres, at the 96 pixels per inch that browsers use.
    const QRegularExpressionMatch size =
        QRegularExpression(R"(width="([0-9.]+)mm" height="([0-9.]+)mm")").match(text);
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(size.captured(1).toDouble() / 25.4 * 96, 750, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble() / 25.4 * 96, 450, 0.5);
    EXPECT_FALSE(text.contains("<image")) << "the chart is drawn as shapes, not as a bitmap";
}

// The grid rows of a logarithmic axis from 1 to 1,000,000 stand at equal spacing on both
// canvases: the five powers of ten between the ends (those on the frame are not drawn).
TEST_F(ChartExportTest, ALogarithmicAxisShowsItsPowersAtEqualSpacingOnBothCanvases) {
    chart.LeftAxis().SetMinMax(1, 1e6);
    chart.LeftAxis().SetLogarithmic(true);
    chart.LeftAxis().Grid().SetColor(clBlue);
    for (const char* canvas : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        chart.SetDefaultCanvas(canvas);
        SaveChartImage(chart, PathOf("log.png"), 500, 160);
        const QImage saved(dir.filePath("log.png"));
        std::vector<int> rows;
        for (int y = 0; y < saved.height(); ++y) {
            const QColor c = saved.pixelColor(saved.width() / 2 + 7, y);
            if (c.blue() > 200 && c.red() < 60 && c.green() < 60) rows.push_back(y);
        }
        ASSERT_EQ(rows.size(), 5u) << canvas;
        for (std::size_t i = 2; i < rows.size(); ++i)
            EXPECT_NEAR(rows[i] - rows[i - 1], rows[1] - rows[0], 1) << canvas;
    }
}

TEST_F(ChartExportTest, AFailedExportSaysWhyAndLeavesNoFile) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    const std::string folder = dir.path().toStdString() + "/";
    struct Row {
        const char* name;
        std::string file;
        std::int32_t width;
        double ratio;
        std::string reason;  // empty: the system's own words
    } const rows[] = {
        {"unknown extension", "chart.jpg", 400, 1, "the file name must end in .png or .svg"},
        {"no extension", "chart", 400, 1, "the file name must end in .png or .svg"},
        {"missing folder", "none/chart.svg", 400, 1,
         "the folder \"" + folder + "none\" does not exist"},
        {"empty size", "chart.png", 0, 1, "the size 0 x 300 is not positive"},
        {"zero ratio", "chart.png", 400, 0, "the device pixel ratio 0 is not positive"},
        {"a folder in the way", "taken.png", 400, 1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string prefix = "Cannot save the chart as \"" + folder + row.file + "\": ";
        if (row.reason.empty()) {
            EXPECT_THROW(SaveChartImage(chart, folder + row.file, row.width, 300, row.ratio),
                         RuntimeError);
        } else {
            EXPECT_THROW_MSG(SaveChartImage(chart, folder + row.file, row.width, 300, row.ratio),
                             RuntimeError, prefix + row.reason);
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList{"taken.png"});
    }
}

}  // namespace
}  // namespace twinscope
