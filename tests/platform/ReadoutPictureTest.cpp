#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <gtest/gtest.h>

#include "tests/support/ReadoutChart.h"
#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/platform/ReadoutInput.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

using testing::August1;
constexpr QRgb kCrosshair = 0xFF808080;
constexpr QRgb kBoxFill = 0xFFFFFFE1;
constexpr QRgb kWhite = 0xFFFFFFFF;

bool Near(QRgb pixel, QRgb wanted, int tolerance) {
    return std::abs(qRed(pixel) - qRed(wanted)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(wanted)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(wanted)) <= tolerance;
}

struct CanvasCase {
    const char* name;
    const char* canvas;
    int tolerance;  // how far a smoothed line's pixels may lie from its colour
};

class ReadoutPictureTest : public ::testing::TestWithParam<CanvasCase> {};

// The readout over the program's chart, on each canvas: the crosshair in its column and row,
// the box beside the cursor, white badges beside the axes' labels, and nothing else of the
// picture changed.
TEST_P(ReadoutPictureTest, DrawsOverThePictureAndNothingElse) {
    const CanvasCase& c = GetParam();
    TChartWidget widget;
    widget.resize(965, 518);
    TChart& chart = widget.Chart();
    chart.SetDefaultCanvas(c.canvas);
    testing::FillReadoutChart(chart);
    const QImage plain = widget.grab().toImage();

    const QPoint cursor(chart.ScaleMapOf(chart.BottomAxis()).ToPixel(August1 + 14),
                        chart.ScaleMapOf(chart.LeftAxis()).ToPixel(72.5));
    QMouseEvent move(QEvent::MouseMove, cursor, widget.mapToGlobal(cursor), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &move);
    ASSERT_TRUE(widget.Readouts().Current().Shown);
    const TSeriesReadout& read = widget.Readouts().Current().Series.at(0);
    const QImage shown = widget.grab().toImage();
    if (const char* dir = std::getenv("READOUT_PICTURE_DIR"))
        shown.save(QString(dir) + "/" + c.name + ".png");
    const TRect plot = chart.PlotRect();

    // Above the point and left of the cursor, away from everything else the readout draws.
    EXPECT_TRUE(Near(shown.pixel(cursor.x(), plot.Top + 10), kCrosshair, c.tolerance));
    EXPECT_TRUE(Near(shown.pixel(plot.Left + 10, cursor.y()), kCrosshair, c.tolerance));
    EXPECT_EQ(shown.pixel(cursor.x() + 14, cursor.y() + 14), kBoxFill);
    const auto whitesLeftOfThePlot = [&](const QImage& image) {
        int whites = 0;
        for (int x = 0; x < plot.Left; ++x)
            whites += image.pixel(x, cursor.y()) == kWhite;
        return whites;
    };
    // The °F and °C badges.
    EXPECT_GT(whitesLeftOfThePlot(shown), whitesLeftOfThePlot(plain) + 20);

    for (int y = plot.Top; y < plot.Bottom; ++y) {
        for (int x = plot.Left; x < plot.Right; ++x) {
            if (shown.pixel(x, y) == plain.pixel(x, y)) continue;
            const bool crosshair = std::abs(x - cursor.x()) <= 1 || std::abs(y - cursor.y()) <= 1;
            const bool mark = std::abs(x - read.Point.X) <= 4 && std::abs(y - read.Point.Y) <= 4;
            const bool box = x >= cursor.x() + BoxOffset - 1 && y >= cursor.y() + BoxOffset - 1;
            ASSERT_TRUE(crosshair || mark || box) << c.canvas << " changed " << x << "," << y;
        }
    }
}

// A move repaints only where the readout was and where it goes: every pixel that differs
// between the pictures before and after lies in the area the move asks to repaint, which is a
// small part of the chart. The moves flip the box at the plot's edges; the last one hides it.
TEST_P(ReadoutPictureTest, AMoveAsksToRepaintWhereTheReadoutWasAndGoes) {
    TChartWidget widget;
    widget.resize(965, 518);
    TChart& chart = widget.Chart();
    chart.SetDefaultCanvas(GetParam().canvas);
    testing::FillReadoutChart(chart);
    const QImage plain = widget.grab().toImage();
    QRegion asked;
    TReadoutInput readouts(
        chart,
        [&](const std::vector<TRect>& area) {
            asked = QRegion();
            for (const TRect& r : area)
                asked += ToQRect(r);
        },
        nullptr);
    const TRect plot = chart.PlotRect();
    const TPoint moves[] = {{plot.Left + 300, plot.Top + 150},
                            {plot.Right - 5, plot.Bottom - 5},
                            {plot.Left + 2, plot.Top + 2},
                            {plot.Left + 301, plot.Top + 150}};
    QImage before = plain;
    for (std::size_t move = 0; move <= std::size(moves); ++move) {
        if (move < std::size(moves)) {
            readouts.ShowAt(moves[move]);
        } else {
            readouts.Hide();
        }
        QImage after = plain.copy();
        QPainter painter(&after);
        readouts.Paint(painter);
        painter.end();
        std::int64_t askedPixels = 0;
        for (const QRect& r : asked)
            askedPixels += std::int64_t{r.width()} * r.height();
        EXPECT_LT(askedPixels, plain.width() * plain.height() / 8) << "move " << move;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (after.pixel(x, y) == before.pixel(x, y)) continue;
                ASSERT_TRUE(asked.contains(QPoint(x, y)))
                    << "move " << move << " changed " << x << "," << y << " unasked";
            }
        }
        before = after;
    }
    EXPECT_EQ(before, plain);
}

INSTANTIATE_TEST_SUITE_P(Canvases, ReadoutPictureTest,
                         ::testing::Values(CanvasCase{"Aliased", "TChartCanvas3D", 0},
                                           CanvasCase{"Smoothed", "TGDIPlusCanvas", 60}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
