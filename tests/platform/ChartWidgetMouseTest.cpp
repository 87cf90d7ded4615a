#include <tuple>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {
namespace {

// The window's chart in its widget, with the window's wheel setting.
class ChartWidgetMouseTest : public ::testing::Test {
protected:
    ChartWidgetMouseTest() {
        widget.resize(965, 518);
        chart.SetMarginLeft(15);
        chart.SetMarginBottom(15);
        chart.SetMarginRight(0);
        chart.SetView3D(false);
        chart.Mouse().Panning().SetMouseWheel(pmwNone);
        chart.CreateSeries<TLineSeries>().SetParentChart(&chart);
        for (auto [axis, lo, hi] : {std::tuple{&chart.LeftAxis(), 0.0, 100.0},
                                    std::tuple{&chart.BottomAxis(), 45505.6, 45565.6}}) {
            axis->SetAutomatic(false);
            axis->SetMinMax(lo, hi);
        }
    }

    // What the window shows; the paint also lays the chart out.
    QImage Shown() { return widget.grab().toImage(); }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }
    void Press(Qt::MouseButton b, QPoint at) { Mouse(QEvent::MouseButtonPress, b, at); }
    void Move(Qt::MouseButton b, QPoint at) { Mouse(QEvent::MouseMove, b, at); }
    void Release(Qt::MouseButton b, QPoint at) { Mouse(QEvent::MouseButtonRelease, b, at); }

    TChartWidget widget;
    TChart& chart = widget.Chart();
};

TEST_F(ChartWidgetMouseTest, ALeftDragZoomsToTheRectangle) {
    Shown();
    const double top = chart.ScaleMapOf(chart.LeftAxis()).ToValue(100);
    const double bottom = chart.ScaleMapOf(chart.LeftAxis()).ToValue(300);
    const double first = chart.ScaleMapOf(chart.BottomAxis()).ToValue(300);
    const double last = chart.ScaleMapOf(chart.BottomAxis()).ToValue(500);

    Press(Qt::LeftButton, {300, 100});
    Move(Qt::LeftButton, {400, 200});
    Move(Qt::LeftButton, {500, 300});
    Release(Qt::LeftButton, {500, 300});

    EXPECT_EQ(chart.LeftAxis().Minimum(), bottom);
    EXPECT_EQ(chart.LeftAxis().Maximum(), top);
    EXPECT_EQ(chart.BottomAxis().Minimum(), first);
    EXPECT_EQ(chart.BottomAxis().Maximum(), last);
}

// The rectangle is drawn straight onto the chart's image, exclusive-or, and shows at the next
// paint of the widget; drawn again, it is gone.
TEST_F(ChartWidgetMouseTest, TheZoomRectangleShowsAndGoes) {
    const QRgb under = Shown().pixel(350, 100);
    Press(Qt::LeftButton, {300, 100});
    Move(Qt::LeftButton, {400, 200});
    const QRgb drawnWith = 0xCFCFCF;  // silver against the button face colour
    const QRgb shown = Shown().pixel(350, 100);
    EXPECT_EQ(shown & 0xFFFFFF, ~(drawnWith ^ under) & 0xFFFFFF);
    EXPECT_NE(shown, under);

    Move(Qt::LeftButton, {305, 105});
    EXPECT_EQ(Shown().pixel(350, 100), under);
    Release(Qt::LeftButton, {305, 105});  // too small to count
    EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
    EXPECT_EQ(Shown().pixel(350, 100), under);
}

TEST_F(ChartWidgetMouseTest, ARightDragScrollsWithTheMouse) {
    Shown();
    const double grabbed = chart.ScaleMapOf(chart.BottomAxis()).ToValue(400);
    Press(Qt::RightButton, {400, 200});
    Move(Qt::RightButton, {450, 200});
    Release(Qt::RightButton, {450, 200});
    Shown();
    EXPECT_EQ(chart.ScaleMapOf(chart.BottomAxis()).ToPixel(grabbed), 450);
    EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
}

TEST_F(ChartWidgetMouseTest, TheWindowsWheelChangesNothing) {
    Shown();
    auto turn = [this] {
        QWheelEvent wheel({400, 200}, widget.mapToGlobal(QPoint(400, 200)), {}, {0, 120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&widget, &wheel);
    };
    turn();
    EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 100);
    EXPECT_EQ(chart.BottomAxis().Minimum(), 45505.6);

    chart.Mouse().Panning().SetMouseWheel(pmwNormal);  // the chart's own default
    turn();
    EXPECT_GT(chart.LeftAxis().Minimum(), 0);
}

}  // namespace
}  // namespace twinscope
