// Charts linked through their X, driven by real events on the offscreen platform: a zoom, a
// wheel turn and an undo in one reach the other through the conversion between their X, and
// the readout under the mouse in one shows at the same X in the other.
#include <memory>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartLink.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {
namespace {

// The second chart counts its X from 10 of the first's.
constexpr double Offset = 10;

class ChartLinkTest : public ::testing::Test {
protected:
    ChartLinkTest() {
        for (TChartWidget* w : {&first, second.get()}) {
            w->resize(640, 300);
            TChart& chart = w->Chart();
            chart.SetView3D(false);
            auto& line = chart.CreateSeries<TLineSeries>();
            line.SetParentChart(&chart);
            const double start = w == &first ? 0 : -Offset;
            for (int i = 0; i <= 100; ++i)
                line.AddPoint(start + i, 50 + i % 9);
            chart.LeftAxis().SetAutomatic(false);
            chart.LeftAxis().SetMinMax(0, 100);
            w->grab();
        }
        link.Add(first);
        link.Add(
            *second, [](double x) { return x + Offset; }, [](double x) { return x - Offset; });
    }

    static void Send(TChartWidget& w, QEvent& event) {
        QCoreApplication::sendEvent(&w, &event);
        w.grab();
    }
    void Key(TChartWidget& w, int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        Send(w, event);
        Paint();
    }
    void Hover(TChartWidget& w, QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        Send(w, event);
    }
    void Paint() {
        first.grab();
        if (second) second->grab();
    }
    TScaleRange Bottom(TChartWidget& w) {
        const TChartAxis& axis = w.Chart().BottomAxis();
        return {axis.Minimum(), axis.Maximum()};
    }

    TChartWidget first;
    std::unique_ptr<TChartWidget> second = std::make_unique<TChartWidget>();
    TChartLink link;
};

TEST_F(ChartLinkTest, AZoomInOneChartGivesTheOtherTheSameXAndTheUndoPutsItBack) {
    const TScaleRange before = Bottom(*second);
    const bool automatic = second->Chart().BottomAxis().Automatic();
    Key(first, Qt::Key_Plus);
    const TScaleRange zoomed = Bottom(first);
    EXPECT_NEAR(Bottom(*second).Minimum, zoomed.Minimum - Offset, 1e-9);
    EXPECT_NEAR(Bottom(*second).Maximum, zoomed.Maximum - Offset, 1e-9);
    Key(first, Qt::Key_Right);  // a pan follows too
    EXPECT_NEAR(Bottom(*second).Minimum, Bottom(first).Minimum - Offset, 1e-9);

    Key(first, Qt::Key_Home);
    EXPECT_EQ(Bottom(*second).Minimum, before.Minimum);
    EXPECT_EQ(Bottom(*second).Maximum, before.Maximum);
    EXPECT_EQ(second->Chart().BottomAxis().Automatic(), automatic);

    // The other way round, from a wheel turn over the second chart.
    second->Chart().Mouse().SetWheelZoomsAtCursor(true);
    const QPoint at{300, 150};
    QWheelEvent wheel(at, second->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    Send(*second, wheel);
    EXPECT_NEAR(Bottom(first).Minimum, Bottom(*second).Minimum + Offset, 1e-9);
    EXPECT_NEAR(Bottom(first).Maximum, Bottom(*second).Maximum + Offset, 1e-9);
}

TEST_F(ChartLinkTest, TheReadoutInOneChartShowsAtTheSameXInTheOther) {
    const TChart& chart = first.Chart();
    const QPoint at{chart.ScaleMapOf(chart.BottomAxis()).ToPixel(40), 120};
    Hover(first, at);
    const TReadout& shown = second->Readouts().Current();
    ASSERT_TRUE(shown.Shown);
    ASSERT_EQ(shown.Series.size(), 1u);
    EXPECT_EQ(shown.Series[0].X.at(0).Value, 40 - Offset);
    Hover(first, {2, 2});  // off the plot: the other hides too
    EXPECT_FALSE(second->Readouts().Current().Shown);
    // The keyboard's data cursor is relayed as the mouse's readout is.
    Key(first, Qt::Key_Return);
    ASSERT_TRUE(second->Readouts().Current().Shown);
    EXPECT_EQ(second->Readouts().Current().Series[0].X.at(0).Value,
              first.Readouts().CursorReadout().Series[0].X.at(0).Value - Offset);
}

TEST_F(ChartLinkTest, EachLinkIsSwitchedApartAndADestroyedChartLeaves) {
    link.SetLinksRange(false);
    const TScaleRange before = Bottom(*second);
    Key(first, Qt::Key_Plus);
    EXPECT_EQ(Bottom(*second).Minimum, before.Minimum);
    EXPECT_EQ(Bottom(*second).Maximum, before.Maximum);
    link.SetLinksRange(true);
    link.SetLinksReadout(false);
    Hover(first, {300, 120});
    EXPECT_TRUE(first.Readouts().Current().Shown);
    EXPECT_FALSE(second->Readouts().Current().Shown);

    link.SetLinksReadout(true);
    second.reset();
    EXPECT_EQ(link.Count(), 1u);
    Key(first, Qt::Key_Minus);
    Hover(first, {310, 120});
    EXPECT_TRUE(first.Readouts().Current().Shown);
}

}  // namespace
}  // namespace twinscope
