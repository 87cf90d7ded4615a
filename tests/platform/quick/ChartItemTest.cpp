#include <QAccessible>
#include <QImage>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "twinscope/chart/panel/ChartDescription.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/platform/quick/ChartItem.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

// Two months of readings with the °C scale, as a program would show them.
void FillChart(TChart& chart) {
    chart.Legend().SetVisible(false);
    auto& line = chart.AddNewSeries<TLineSeries>();
    line.XValues().SetDateTime(true);
    for (int day = 0; day < 61; ++day)
        line.AddPoint(45474 + day, 60 + (day % 7) * 5);
    chart.CustomAxes().Add<tLeftCelsiusScale>().SetFollowsLive(true);
}

// The item alone in a window of the software scene graph, which renders without a display.
class ChartItemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QQuickWindow::setGraphicsApi(QSGRendererInterface::Software); }

    ChartItemTest() {
        item.setParentItem(window.contentItem());
        item.setSize({600, 400});
        window.resize(600, 400);
        FillChart(item.Chart());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QImage Shown() { return window.grabWindow().convertToFormat(QImage::Format_RGB32); }

    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        QTest::mousePress(&window, button, {}, from);
        QTest::mouseMove(&window, (from + to) / 2);
        QTest::mouseMove(&window, to);
        QTest::mouseRelease(&window, button, {}, to);
    }

    QQuickWindow window;
    TChartItem item;
};

TEST_F(ChartItemTest, ShowsWhatTheWidgetShows) {
    TChartWidget widget;
    widget.resize(600, 400);
    FillChart(widget.Chart());
    const QImage fromWidget = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QImage shown = Shown();
    ASSERT_EQ(shown.size(), QSize(600, 400));
    EXPECT_EQ(shown.pixelColor(4, 200), QColor(0xF0, 0xF0, 0xF0)) << "the chart's panel";
    EXPECT_EQ(shown, fromWidget);
}

TEST_F(ChartItemTest, TheMouseZoomsAndScrolls) {
    Shown();
    QSignalSpy zooms(&item, &TChartItem::zoomed);
    QSignalSpy undos(&item, &TChartItem::zoomUndone);
    QSignalSpy scrolls(&item, &TChartItem::scrolled);
    QSignalSpy ranges(&item, &TChartItem::rangeChanged);
    TChartAxis& left = item.Chart().LeftAxis();
    TChartAxis& bottom = item.Chart().BottomAxis();
    const double top = item.Chart().ScaleMapOf(left).ToValue(100);
    const double first = item.Chart().ScaleMapOf(bottom).ToValue(200);
    const QImage before = Shown();

    Drag(Qt::LeftButton, {200, 100}, {400, 300});
    EXPECT_EQ(zooms.count(), 1);
    EXPECT_EQ(left.Maximum(), top);
    EXPECT_EQ(bottom.Minimum(), first);
    EXPECT_EQ(ranges.count(), 2) << "the left and the bottom axis";
    EXPECT_NE(Shown(), before) << "the zoomed chart is shown";

    Drag(Qt::RightButton, {300, 200}, {350, 200});
    EXPECT_GE(scrolls.count(), 1);
    EXPECT_LT(bottom.Minimum(), first);

    Drag(Qt::LeftButton, {400, 300}, {200, 100});
    EXPECT_EQ(undos.count(), 1);
    EXPECT_EQ(Shown(), before) << "the undo shows the chart as it was";
}

// A move without a button reads the point under the mouse, as the widget does, and a click
// pins it.
TEST_F(ChartItemTest, AMoveAnnouncesTheReadout) {
    Shown();
    QSignalSpy readouts(&item, &TChartItem::readoutChanged);
    const TChart& chart = item.Chart();
    const QPoint at(chart.ScaleMapOf(chart.BottomAxis()).ToPixel(45474 + 10), chart.PlotCenterY());
    QTest::mouseMove(&window, at);
    ASSERT_GE(readouts.count(), 1);
    const TReadout& r = item.Readouts().Current();
    ASSERT_EQ(r.Series.size(), 1u);
    EXPECT_EQ(r.Series[0].Index, 10);
    EXPECT_EQ(r.Series[0].Y.size(), 2u) << "°F and °C";
    QTest::mouseClick(&window, Qt::LeftButton, {}, at);
    EXPECT_EQ(item.Readouts().Pinned().size(), 1u);
}

TEST_F(ChartItemTest, TheChartFollowsTheItemsSize) {
    item.setSize({300, 200});
    EXPECT_EQ(item.Chart().Width(), 300);
    EXPECT_EQ(item.Chart().Height(), 200);
}

}  // namespace
}  // namespace twinscope

namespace twinscope {
namespace {

// The keys of a focused item and what a screen reader finds of it.
TEST_F(ChartItemTest, TheKeysNavigateAndTheDataCursorIsAccessible) {
    item.forceActiveFocus();
    ASSERT_TRUE(item.hasActiveFocus());
    QTest::keyClick(&window, Qt::Key_Return);
    ASSERT_TRUE(item.Readouts().DataCursor().Shown());
    EXPECT_EQ(item.Readouts().DataCursor().PointIndex(), 30);
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(item.Readouts().DataCursor().PointIndex(), 31);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&item);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Chart);
    EXPECT_EQ(iface->childCount(), static_cast<int>(item.Chart().SeriesCount()));
    EXPECT_EQ(iface->text(QAccessible::Value).toStdString(),
              ReadoutSentence(item.Readouts().CursorReadout()));
    EXPECT_EQ(iface->focusChild(), iface->child(0));
    EXPECT_TRUE(iface->child(0)->state().focused);
    EXPECT_EQ(iface->child(0)->parent(), iface);
    EXPECT_EQ(iface->window(), &window);

    // With the cursor hidden the arrows pan the chart.
    QTest::keyClick(&window, Qt::Key_Escape);
    const double before = item.Chart().BottomAxis().Maximum();
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_GT(item.Chart().BottomAxis().Maximum(), before);
}

}  // namespace
}  // namespace twinscope
