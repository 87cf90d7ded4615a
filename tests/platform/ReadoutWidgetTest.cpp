#include <string>
#include <vector>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "tests/support/ReadoutChart.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {
namespace {

using testing::August1;
using testing::Captions;

// The window's chart in its widget: °F with °C beside it, dates with the day of the year,
// sixty daily readings from 1 August 2024, under pinned format settings.
class ReadoutWidgetTest : public ::testing::Test {
protected:
    ReadoutWidgetTest() {
        SetCurrentFormatSettings(FormatSettings{});
        widget.resize(965, 518);
        series = &testing::FillReadoutChart(chart);
        Shown();
    }

    // What the window shows; the paint also lays the chart out.
    QImage Shown() { return widget.grab().toImage(); }
    QPoint At(double date, double f) const {
        return {chart.ScaleMapOf(chart.BottomAxis()).ToPixel(date),
                chart.ScaleMapOf(chart.LeftAxis()).ToPixel(f)};
    }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }
    void Hover(QPoint at) { Mouse(QEvent::MouseMove, Qt::NoButton, at); }
    void Click(QPoint at) {
        Mouse(QEvent::MouseButtonPress, Qt::LeftButton, at);
        Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
    }
    void Key(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }

    TChartWidget widget;
    TChart& chart = widget.Chart();
    TLineSeries* series = nullptr;
};

TEST_F(ReadoutWidgetTest, AMoveOverThePlotAnnouncesTheReadout) {
    QSignalSpy spy(&widget, &TChartWidget::readoutChanged);
    Hover(At(August1 + 14.2, 72.5));
    ASSERT_EQ(spy.count(), 1);
    const TReadout& r = widget.Readouts().Current();
    ASSERT_TRUE(r.Shown);
    ASSERT_EQ(r.Series.size(), 1u);
    EXPECT_EQ(r.Series[0].Index, 14);
    EXPECT_EQ(Captions(r.Series[0].Y), (std::vector<std::string>{"47 °F", "8.333 °C"}));
    EXPECT_EQ(r.Badges.at(1).Text, "72.5");

    // The same point again announces nothing; leaving the plot announces the empty readout.
    Hover(At(August1 + 14.2, 72.5));
    EXPECT_EQ(spy.count(), 1);
    Hover({2, 2});
    ASSERT_EQ(spy.count(), 2);
    EXPECT_FALSE(widget.Readouts().Current().Shown);
}

TEST_F(ReadoutWidgetTest, AZoomDragHidesTheReadoutAndLeavesItsPixels) {
    const QImage plain = Shown();
    const QPoint from = At(August1 + 10, 80);
    const QPoint to = At(August1 + 30, 30);
    Hover(from);
    EXPECT_NE(Shown(), plain);
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
    Mouse(QEvent::MouseMove, Qt::LeftButton, to);
    EXPECT_FALSE(widget.Readouts().Current().Shown);
    // What shows is the chart with the zoom rectangle and nothing else.
    const QImage dragging = Shown();
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const bool onRectangle = (std::abs(x - from.x()) <= 2 || std::abs(x - to.x()) <= 2 ||
                                      std::abs(y - from.y()) <= 2 || std::abs(y - to.y()) <= 2);
            if (!onRectangle) ASSERT_EQ(dragging.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(ReadoutWidgetTest, AClickPinsAndAClickOnThePinOrEscapeRemovesIt) {
    Click(At(August1 + 10, 50));
    Click(At(August1 + 20, 50));
    ASSERT_EQ(widget.Readouts().Pinned().size(), 2u);
    EXPECT_EQ(widget.Readouts().Pinned()[0].Series[0].Index, 10);
    EXPECT_EQ(widget.Readouts().Pinned()[1].Series[0].Index, 20);
    // On the first pin's crosshair, a little above where it was clicked.
    Click(At(August1 + 10, 70));
    ASSERT_EQ(widget.Readouts().Pinned().size(), 1u);
    EXPECT_EQ(widget.Readouts().Pinned()[0].Series[0].Index, 20);
    Key(Qt::Key_Escape);
    EXPECT_TRUE(widget.Readouts().Pinned().empty());
    // A click outside the plot pins nothing.
    Click({2, 2});
    EXPECT_TRUE(widget.Readouts().Pinned().empty());
}

// A conversion that throws leaves the readout out; the event finishes.
TEST_F(ReadoutWidgetTest, AFailingConversionShowsNothing) {
    TChartAxis& failing = chart.CustomAxes().Add();
    failing.SetMasterReading({.Master = &chart.LeftAxis(), .Forward = [](double) -> double {
                                  throw std::runtime_error("no reading");
                              }});
    failing.SetHorizontal(false);
    chart.AddNewSeries<TLineSeries>().BindCustomVertAxis(&failing);
    Shown();
    EXPECT_NO_THROW(Hover(At(August1 + 14, 50)));
    EXPECT_FALSE(widget.Readouts().Current().Shown);
    EXPECT_NO_THROW(Shown());
}

}  // namespace
}  // namespace twinscope
