// The keyboard's data cursor, driven by real key events on the offscreen platform: where each
// key puts it, the view scrolling to keep its point shown, and data changed under it.
#include <cmath>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {
namespace {

class DataCursorTest : public ::testing::Test {
protected:
    DataCursorTest() {
        widget.resize(965, 518);
        chart.SetView3D(false);
        // Two lines over X 0..100; the first has a gap at 52.
        for (int s = 0; s < 2; ++s) {
            auto& line = chart.CreateSeries<TLineSeries>();
            line.SetParentChart(&chart);
            for (int x = 0; x <= 100; ++x) {
                if (x == 52 && s == 0) {
                    line.AddGapPoint(x, 0);
                } else {
                    line.AddPoint(x, 10 + s * 50 + x % 7);
                }
            }
        }
        for (TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis()}) {
            axis->SetAutomatic(false);
            axis->SetMinMax(0, 100);
        }
        widget.grab();
    }

    void Keys(const std::vector<int>& keys) {
        for (int key : keys) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&widget, &event);
            widget.grab();
        }
    }
    const TDataCursor& Cursor() const { return widget.Readouts().DataCursor(); }
    int SeriesOfCursor() const {
        const TChartSeries* s = Cursor().Series();
        return s == &chart.Series(0) ? 0 : s == &chart.Series(1) ? 1 : -1;
    }

    TChartWidget widget;
    TChart& chart = widget.Chart();
};

TEST_F(DataCursorTest, EachKeyMovesTheCursorToItsPoint) {
    struct Case {
        const char* name;
        std::vector<int> keys;
        int series;
        int point;
    };
    const std::vector<Case> cases = {
        {"Enter starts at the middle", {Qt::Key_Return}, 0, 50},
        {"Left steps back", {Qt::Key_Enter, Qt::Key_Left}, 0, 49},
        {"Right steps over a gap", {Qt::Key_Return, Qt::Key_Right, Qt::Key_Right}, 0, 53},
        {"Page Down moves a tenth of the view", {Qt::Key_Return, Qt::Key_PageDown}, 0, 60},
        {"Page Up twice", {Qt::Key_Return, Qt::Key_PageUp, Qt::Key_PageUp}, 0, 30},
        {"Home and Left stay at the first point",
         {Qt::Key_Return, Qt::Key_Home, Qt::Key_Left},
         0,
         0},
        {"End and Right stay at the last point",
         {Qt::Key_Return, Qt::Key_End, Qt::Key_Right},
         0,
         100},
        {"Down goes to the next series at the same X",
         {Qt::Key_Return, Qt::Key_Right, Qt::Key_Down},
         1,
         51},
        {"Up at the first series stays", {Qt::Key_Return, Qt::Key_Up}, 0, 50},
        {"Down past the last series stays", {Qt::Key_Return, Qt::Key_Down, Qt::Key_Down}, 1, 50},
        {"Escape hides it", {Qt::Key_Return, Qt::Key_Escape}, -1, -1},
        {"the arrows alone leave it hidden", {Qt::Key_Right, Qt::Key_End}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Keys({Qt::Key_Escape});
        Keys(c.keys);
        EXPECT_EQ(Cursor().Shown(), c.point >= 0);
        EXPECT_EQ(SeriesOfCursor(), c.series);
        EXPECT_EQ(Cursor().PointIndex(), c.point);
    }
}

TEST_F(DataCursorTest, TheReadoutFollowsTheCursorAndIsAnnounced) {
    QSignalSpy changed(&widget, &TChartWidget::readoutChanged);
    Keys({Qt::Key_Return, Qt::Key_Right});
    ASSERT_EQ(changed.count(), 2);
    const TReadout readout = widget.Readouts().CursorReadout();
    ASSERT_TRUE(readout.Shown);
    ASSERT_EQ(readout.Series.size(), 2u);
    EXPECT_EQ(readout.Series[0].Index, 51);
    EXPECT_EQ(readout.Series[0].Y.at(0).Value, 10 + 51 % 7);
    EXPECT_EQ(readout.CrosshairX, chart.ScaleMapOf(chart.BottomAxis()).ToPixel(51));
}

TEST_F(DataCursorTest, TheViewScrollsToKeepThePointShown) {
    chart.BottomAxis().SetMinMax(0, 20);
    widget.grab();
    Keys({Qt::Key_Return});
    EXPECT_EQ(Cursor().PointIndex(), 10);
    Keys({Qt::Key_End});
    const TChartAxis& bottom = chart.BottomAxis();
    EXPECT_LE(bottom.Minimum(), 100);
    EXPECT_GE(bottom.Maximum(), 100);
    EXPECT_NEAR(bottom.Maximum() - bottom.Minimum(), 20, 1e-9);
    EXPECT_TRUE(widget.Readouts().CursorReadout().Shown);
    // The scroll is the chart's own: the home key (with the cursor hidden) undoes it.
    Keys({Qt::Key_Escape, Qt::Key_Home});
    EXPECT_EQ(bottom.Minimum(), 0);
    EXPECT_EQ(bottom.Maximum(), 20);
}

TEST_F(DataCursorTest, DataChangedUnderTheCursorNeverLeavesAStaleIndex) {
    Keys({Qt::Key_Return, Qt::Key_End, Qt::Key_Down});
    auto& second = static_cast<TLineSeries&>(chart.Series(1));
    second.ClearPoints();
    for (int x = 0; x < 10; ++x)
        second.AddPoint(x, 20);
    widget.grab();
    EXPECT_EQ(SeriesOfCursor(), 1);
    EXPECT_EQ(Cursor().PointIndex(), 9);
    second.ClearPoints();
    // The series emptied: the cursor stands on the nearest one that has points.
    EXPECT_EQ(SeriesOfCursor(), 0);
    chart.Series(0).ClearPoints();
    EXPECT_EQ(Cursor().Series(), nullptr);
    EXPECT_EQ(Cursor().PointIndex(), -1);
    Keys({Qt::Key_Right, Qt::Key_Return});
    EXPECT_FALSE(widget.Readouts().CursorReadout().Shown);
}

}  // namespace
}  // namespace twinscope
