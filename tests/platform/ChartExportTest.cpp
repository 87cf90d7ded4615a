#include <string>
#include <vector>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
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

// Three custom axes that ask for the same place left of the plot stand side by side on both
// canvases: their lines (blue, green, magenta in creation order) run outwards from the plot.
TEST_F(ChartExportTest, ThreeScalesOnOneSideStandSideBySideOnBothCanvases) {
    chart.Legend().SetVisible(false);
    const std::vector<TColor> colours{0xFF0000, 0x00FF00, 0xFF00FF};
    for (TColor colour : colours) {
        TChartAxis& axis = chart.CustomAxes().Add();
        axis.SetPositionPercent(-12);
        axis.SetMinMax(0, 10);
        axis.Axis().SetColor(colour);
        axis.Axis().SetWidth(1);
        axis.Title().SetCaption("scale");
        chart.AddNewSeries<TLineSeries>().BindCustomVertAxis(&axis);
    }
    for (const char* canvas : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        chart.SetDefaultCanvas(canvas);
        SaveChartImage(chart, PathOf("stacked.png"), 500, 300);
        const QImage saved(dir.filePath("stacked.png"));
        std::vector<int> lines;  // the leftmost column of each colour on the middle row
        for (TColor colour : colours) {
            const QColor wanted(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
            int found = -1;
            for (int x = 0; x < saved.width() && found < 0; ++x) {
                if (saved.pixelColor(x, 150) == wanted) found = x;
            }
            lines.push_back(found);
        }
        EXPECT_GE(lines[2], 0) << canvas;
        EXPECT_GT(lines[1], lines[2]) << canvas;
        EXPECT_GT(lines[0], lines[1]) << canvas;
    }
}

// What a poppler tool (scripts/setup.sh installs them for the tests) reads from a PDF file.
QString Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " did not run: " << process.errorString().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(ChartExportTest, APdfIsOnePageOfVectorTextAndLinesTheDisplayedSize) {
    SaveChartImage(chart, PathOf("chart.pdf"), 500, 300, 2);

    const QString file = dir.filePath("chart.pdf");
    const QString info = Poppler("pdfinfo", {file});
    EXPECT_TRUE(info.contains(QRegularExpression(R"(\nPages:\s+1\n)"))) << info.toStdString();
    // 1000 x 600 pixels at 96 per inch.
    EXPECT_TRUE(info.contains(QRegularExpression(R"(\nPage size:\s+750 x 450 pts)")))
        << info.toStdString();
    const QString text = Poppler("pdftotext", {file, "-"});
    for (const char* label : {"°F", "0", "20", "100"})
        EXPECT_TRUE(text.split('\n').contains(QString::fromUtf8(label))) << label;
    // pdfimages lists two lines of headings and then one line per picture.
    EXPECT_EQ(Poppler("pdfimages", {"-list", file}).count('\n'), 2) << "no bitmap in the page";
}

TEST_F(ChartExportTest, APictureForAnOpenDeviceHoldsTheBytesOfTheFile) {
    SaveChartImage(chart, PathOf("chart.png"), 400, 300);
    QFile file(dir.filePath("chart.png"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteChartPicture(chart, buffer, "the buffer", TPictureFormat::Png, 400, 300);
    EXPECT_EQ(buffer.data(), file.readAll());
    EXPECT_THROW_MSG(
        WriteChartPicture(chart, buffer, "standard output", TPictureFormat::Svg, 400, 0),
        RuntimeError,
        "Cannot write the chart to standard output: the size 400 x 0 is not positive");
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
        {"unknown extension", "chart.jpg", 400, 1, "the file name must end in .png, .svg or .pdf"},
        {"no extension", "chart", 400, 1, "the file name must end in .png, .svg or .pdf"},
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
