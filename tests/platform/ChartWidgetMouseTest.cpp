#include <string>
#include <tuple>
#include <vector>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
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

// What the widget announced, in order: "left" etc. for rangeChanged, the other signals by name.
class ChartWidgetSignalsTest : public ChartWidgetMouseTest {
protected:
    ChartWidgetSignalsTest() {
        QObject::connect(&widget, &TChartWidget::rangeChanged, [this](TChartAxis* axis) {
            heard.push_back(axis == &chart.LeftAxis()     ? "left"
                            : axis == &chart.RightAxis()  ? "right"
                            : axis == &chart.TopAxis()    ? "top"
                            : axis == &chart.BottomAxis() ? "bottom"
                                                          : "another axis");
        });
        QObject::connect(&widget, &TChartWidget::zoomed, [this] { heard.push_back("zoomed"); });
        QObject::connect(&widget, &TChartWidget::zoomUndone,
                         [this] { heard.push_back("zoomUndone"); });
        QObject::connect(&widget, &TChartWidget::scrolled, [this] { heard.push_back("scrolled"); });
        QObject::connect(&widget, &TChartWidget::clicked,
                         [this](TChartClickedPart) { heard.push_back("clicked"); });
        Shown();
    }

    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        Press(button, from);
        Move(button, to);
        Release(button, to);
    }

    std::vector<std::string> heard;
};

// The steps go on from where the one before left the chart.
TEST_F(ChartWidgetSignalsTest, EachGestureIsAnnouncedAfterTheRangesItChanged) {
    const struct {
        const char* name;
        Qt::MouseButton button;
        QPoint from, to;
        std::vector<std::string> heard;
    } steps[] = {
        {"a drag to the lower right zooms",
         Qt::LeftButton,
         {300, 100},
         {500, 300},
         {"bottom", "left", "zoomed"}},
        {"a drag to the upper left undoes it",
         Qt::LeftButton,
         {500, 300},
         {300, 100},
         {"bottom", "left", "zoomUndone"}},
        {"with nothing to undo, nothing changes, yet the undo is told",
         Qt::LeftButton,
         {500, 300},
         {300, 100},
         {"zoomUndone"}},
        {"a zoom drag too small to count", Qt::LeftButton, {300, 100}, {305, 105}, {}},
        {"a right drag across scrolls the bottom axis",
         Qt::RightButton,
         {400, 200},
         {450, 200},
         {"bottom", "scrolled"}},
        {"a right drag down scrolls the left axis",
         Qt::RightButton,
         {400, 200},
         {400, 250},
         {"left", "scrolled"}},
        {"press and release in place", Qt::LeftButton, {400, 200}, {400, 200}, {"clicked"}},
        {"the middle button only clicks", Qt::MiddleButton, {400, 200}, {400, 200}, {"clicked"}},
    };
    for (const auto& step : steps) {
        heard.clear();
        Drag(step.button, step.from, step.to);
        EXPECT_EQ(heard, step.heard) << step.name;
    }
}

TEST_F(ChartWidgetSignalsTest, AClickNamesThePartUnderThePress) {
    QSignalSpy clicks(&widget, &TChartWidget::clicked);
    const struct {
        const char* name;
        QPoint at;
        TChartClickedPart part;
    } rows[] = {
        {"inside the plot", {400, 200}, cpChartRect},
        {"on the left axis's labels", {chart.PlotRect().Left - 5, 200}, cpAxis},
        {"the panel's corner", {3, 3}, cpNone},
    };
    for (const auto& row : rows) {
        clicks.clear();
        Press(Qt::RightButton, row.at);
        Release(Qt::RightButton, row.at + QPoint(1, 1));
        ASSERT_EQ(clicks.count(), 1) << row.name;
        EXPECT_EQ(clicks.at(0).at(0).value<TChartClickedPart>(), row.part) << row.name;
    }
    Press(Qt::LeftButton, {400, 200});
    Release(Qt::RightButton, {400, 200});
    EXPECT_EQ(clicks.count(), 1) << "a release of another button is no click";
}

TEST_F(ChartWidgetSignalsTest, TheChartsOwnHandlersKeepWorking) {
    QSignalSpy zooms(&widget, &TChartWidget::zoomed);
    int ownZooms = 0, replacements = 0;
    chart.Mouse().OnZoom = [&] { ++ownZooms; };
    Drag(Qt::LeftButton, {300, 100}, {500, 300});
    EXPECT_EQ(ownZooms, 1);
    EXPECT_EQ(zooms.count(), 1);

    // A handler that installs another keeps the one it installed.
    chart.Mouse().OnUndoZoom = [&] { chart.Mouse().OnUndoZoom = [&] { ++replacements; }; };
    Drag(Qt::LeftButton, {500, 300}, {300, 100});
    Drag(Qt::LeftButton, {500, 300}, {300, 100});
    EXPECT_EQ(replacements, 1);

    chart.Mouse().OnZoom();
    EXPECT_EQ(ownZooms, 2) << "the chart's handler is back in place after the event";
}

}  // namespace
}  // namespace twinscope
