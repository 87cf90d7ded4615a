// The navigation beside the drags, driven by real events on the offscreen platform: the wheel
// zooming around the cursor, the keys of a focused chart and a pinch, each undone as a zoom.
#include <cmath>
#include <functional>
#include <string>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {
namespace {

TScaleRange RangeOf(const TChartAxis& axis) {
    return {axis.Minimum(), axis.Maximum()};
}

double Span(const TScaleRange& r) {
    return r.Maximum - r.Minimum;
}

class ChartNavigationTest : public ::testing::Test {
protected:
    ChartNavigationTest() {
        widget.resize(965, 518);
        chart.SetView3D(false);
        chart.CreateSeries<TLineSeries>().SetParentChart(&chart);
        for (TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis()}) {
            axis->SetAutomatic(false);
            axis->SetMinMax(0, 100);
        }
        widget.grab();  // a paint lays the chart out
    }

    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               bool paint = true) {
        QWheelEvent event(at, widget.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&widget, &event);
        if (paint) widget.grab();
    }
    void Key(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
        widget.grab();
    }
    double ValueAt(const TChartAxis& axis, QPoint at) {
        return chart.ScaleMapOf(axis).ToValue(axis.Horizontal() ? at.x() : at.y());
    }
    QPoint PlotCentre() {
        const TRect& plot = chart.PlotRect();
        return {(plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2};
    }

    TChartWidget widget;
    TChart& chart = widget.Chart();
};

TEST_F(ChartNavigationTest, TheWheelZoomsAroundTheCursorAndTheZoomIsUndone) {
    chart.Mouse().SetWheelZoomsAtCursor(true);
    QSignalSpy zoomed(&widget, &TChartWidget::zoomed);
    const QPoint at{300, 150};
    const double x = ValueAt(chart.BottomAxis(), at);
    const double y = ValueAt(chart.LeftAxis(), at);
    Wheel(at, 120);
    EXPECT_EQ(zoomed.count(), 1);
    // A tenth narrower around the values under the cursor: they divide the ranges as before
    // (within a pixel's worth; the plot itself may move as the labels change).
    const TScaleRange bottom = RangeOf(chart.BottomAxis());
    const TScaleRange left = RangeOf(chart.LeftAxis());
    EXPECT_NEAR(Span(bottom), 90, 0.5);
    EXPECT_NEAR(Span(left), 90, 0.5);
    EXPECT_NEAR((x - bottom.Minimum) / Span(bottom), x / 100, 0.003);
    EXPECT_NEAR((y - left.Minimum) / Span(left), y / 100, 0.003);
    // Two notches before the next paint zoom twice.
    Wheel(at, 120, Qt::NoModifier, false);
    Wheel(at, 120);
    EXPECT_NEAR(Span(RangeOf(chart.BottomAxis())), 90 * 0.81, 0.5);
    // Turned back by four notches it widens past where it began; Home gives back the ranges
    // from before.
    Wheel(at, -480);
    EXPECT_NEAR(Span(RangeOf(chart.BottomAxis())), 90 * 0.81 / std::pow(0.9, 4), 0.5);
    Key(Qt::Key_Home);
    EXPECT_EQ(RangeOf(chart.BottomAxis()), (TScaleRange{0, 100}));
    EXPECT_EQ(RangeOf(chart.LeftAxis()), (TScaleRange{0, 100}));
}

TEST_F(ChartNavigationTest, OverAnAxisTheWheelZoomsThatAxisAlone) {
    chart.Mouse().SetWheelZoomsAtCursor(true);
    const TScaleMap& left = chart.ScaleMapOf(chart.LeftAxis());
    const TAxisLayout& placed = chart.Layout().Axis(chart.LeftAxis()).Layout;
    Wheel({placed.AxisPosition - 3, (left.StartPixel() + left.EndPixel()) / 2}, 120);
    EXPECT_NEAR(Span(RangeOf(chart.LeftAxis())), 90, 0.5);
    EXPECT_EQ(RangeOf(chart.BottomAxis()), (TScaleRange{0, 100}));
}

TEST_F(ChartNavigationTest, ADragOverAnAxisPansThatAxisAloneWhenAsked) {
    const TScaleMap& left = chart.ScaleMapOf(chart.LeftAxis());
    const TAxisLayout& placed = chart.Layout().Axis(chart.LeftAxis()).Layout;
    const QPoint from{placed.AxisPosition - 3, (left.StartPixel() + left.EndPixel()) / 2};
    const double perPixel = 100.0 / left.Length();
    const auto drag = [&](Qt::MouseButton button) {
        const QPoint to = from + QPoint(0, 40);
        QMouseEvent press(QEvent::MouseButtonPress, from, widget.mapToGlobal(from), button, button,
                          Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, to, widget.mapToGlobal(to), Qt::NoButton, button,
                         Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, to, widget.mapToGlobal(to), button,
                            Qt::NoButton, Qt::NoModifier);
        for (QMouseEvent* e : {&press, &move, &release})
            QCoreApplication::sendEvent(&widget, e);
        widget.grab();
    };
    // Asked, either button pans the left axis by the 40 pixels dragged (down: higher values
    // come into view) and leaves the bottom axis.
    chart.Mouse().SetAxisDragPans(true);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        chart.Mouse().UnzoomAxes();
        widget.grab();
        drag(button);
        EXPECT_NEAR(chart.LeftAxis().Minimum(), 40 * perPixel, 0.5) << button;
        EXPECT_NEAR(Span(RangeOf(chart.LeftAxis())), 100, 1e-9);
        EXPECT_EQ(RangeOf(chart.BottomAxis()), (TScaleRange{0, 100}));
        EXPECT_FALSE(chart.Mouse().Scroll().Active);
    }
    // Not asked, a left press on the axis starts the chart's zoom rectangle, as on the plot.
    chart.Mouse().SetAxisDragPans(false);
    QMouseEvent press(QEvent::MouseButtonPress, from, widget.mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
    EXPECT_TRUE(chart.Mouse().Zoom().Active());
}

TEST_F(ChartNavigationTest, TheWheelKeepsItsOwnWaysUnlessAsked) {
    struct Row {
        const char* name;
        bool atCursor;
        bool needsControl;
        Qt::KeyboardModifiers modifiers;
        int delta;
        double span;  // of the bottom axis afterwards
    } const rows[] = {
        // Off, the wheel scrolls as the panning says (the spans stay).
        {"off", false, false, Qt::NoModifier, 120, 100},
        {"on", true, false, Qt::NoModifier, 120, 90},
        // Inside a scroll area it leaves the turn to the area unless Ctrl is held.
        {"without Ctrl", true, true, Qt::NoModifier, 120, 100},
        {"with Ctrl", true, true, Qt::ControlModifier, 120, 90},
        // However far a turn, it counts for ten notches at most.
        {"a huge turn", true, false, Qt::NoModifier, 1 << 30, 100 * std::pow(0.9, 10)},
    };
    for (const Row& r : rows) {
        chart.Mouse().UnzoomAxes();
        chart.Mouse().SetWheelZoomsAtCursor(r.atCursor);
        widget.SetWheelNeedsControl(r.needsControl);
        Wheel(PlotCentre(), r.delta, r.modifiers);
        EXPECT_NEAR(Span(RangeOf(chart.BottomAxis())), r.span, 0.5) << r.name;
    }
}

TEST_F(ChartNavigationTest, TheKeysPanZoomAndUndo) {
    struct Row {
        int key;
        double bottomMinimum;  // roughly, after the key
        double leftMinimum;
        double bottomSpan;
    } const rows[] = {
        {Qt::Key_Left, -10, 0, 100}, {Qt::Key_Right, 10, 0, 100},
        {Qt::Key_Up, 0, 10, 100},    {Qt::Key_Down, 0, -10, 100},
        {Qt::Key_Plus, 10, 10, 80},  {Qt::Key_Minus, -12.5, -12.5, 125},
    };
    QSignalSpy undone(&widget, &TChartWidget::zoomUndone);
    for (const Row& r : rows) {
        Key(r.key);
        EXPECT_NEAR(chart.BottomAxis().Minimum(), r.bottomMinimum, 0.5) << r.key;
        EXPECT_NEAR(chart.LeftAxis().Minimum(), r.leftMinimum, 0.5) << r.key;
        EXPECT_NEAR(Span(RangeOf(chart.BottomAxis())), r.bottomSpan, 0.5) << r.key;
        Key(Qt::Key_Home);
        EXPECT_EQ(RangeOf(chart.BottomAxis()), (TScaleRange{0, 100})) << r.key;
        EXPECT_EQ(RangeOf(chart.LeftAxis()), (TScaleRange{0, 100})) << r.key;
    }
    EXPECT_EQ(undone.count(), 6);
    // With nothing to undo, Home is passed on.
    Key(Qt::Key_Home);
    EXPECT_EQ(undone.count(), 6);
}

TEST_F(ChartNavigationTest, APinchZoomsAroundItsCentre) {
    QSignalSpy zoomed(&widget, &TChartWidget::zoomed);
    const QPoint at = PlotCentre();
    const auto pinch = [&](double value) {
        QNativeGestureEvent event(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(),
                                  1, at, at, widget.mapToGlobal(at), value, {});
        QCoreApplication::sendEvent(&widget, &event);
        widget.grab();
    };
    pinch(0.25);  // outwards: a fifth narrower
    EXPECT_EQ(zoomed.count(), 1);
    EXPECT_NEAR(Span(RangeOf(chart.BottomAxis())), 80, 0.5);
    // A pinch that would turn the ranges inside out changes nothing.
    pinch(-1);
    EXPECT_NEAR(Span(RangeOf(chart.BottomAxis())), 80, 0.5);
    EXPECT_EQ(zoomed.count(), 1);
}

}  // namespace
}  // namespace twinscope
