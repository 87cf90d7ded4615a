// What a screen reader finds of a chart widget, through QAccessible on the offscreen platform:
// the tree, its texts, and what the keyboard's data cursor announces.
#include <vector>

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "twinscope/chart/panel/ChartDescription.h"
#include "twinscope/chart/panel/ChartTitle.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartAccessible.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {
namespace {

class ChartAccessibleTest : public ::testing::Test {
protected:
    ChartAccessibleTest() {
        widget.resize(640, 400);
        chart.SetView3D(false);
        chart.Title().SetText({"Temperatures", "2015"});
        auto& highs = chart.CreateSeries<TLineSeries>();
        highs.SetParentChart(&chart);
        highs.SetTitle("highs");
        for (int x = 0; x <= 10; ++x)
            highs.AddPoint(x, 10 + x);
        auto& lows = chart.CreateSeries<TLineSeries>();
        lows.SetParentChart(&chart);
        lows.SetTitle("lows");
        chart.LeftAxis().Title().SetCaption("°F");
        for (TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis()}) {
            axis->SetAutomatic(false);
            axis->SetMinMax(0, 100);
        }
        widget.grab();
    }
    QAccessibleInterface* Chart() { return QAccessible::queryAccessibleInterface(&widget); }
    void Key(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
        widget.grab();
    }

    TChartWidget widget;
    TChart& chart = widget.Chart();
};

TEST_F(ChartAccessibleTest, TheTreeNamesTheChartItsAxesAndEachSeries) {
    QAccessibleInterface* iface = Chart();
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Chart);
    EXPECT_EQ(iface->text(QAccessible::Name), "Temperatures 2015");
    EXPECT_EQ(iface->text(QAccessible::Description).toStdString(),
              "bottom axis: 0 to 100; left axis °F: 0 to 100");
    ASSERT_EQ(iface->childCount(), 2);
    struct Child {
        const char* name;
        const char* description;
    };
    const Child children[] = {{"highs", "11 points; °F 10 to 20; 0 to 10"}, {"lows", "no points"}};
    for (int i = 0; i < 2; ++i) {
        QAccessibleInterface* child = iface->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->role(), QAccessible::Graphic);
        EXPECT_EQ(child->text(QAccessible::Name).toStdString(), children[i].name);
        EXPECT_EQ(child->text(QAccessible::Description).toStdString(), children[i].description);
        EXPECT_EQ(child->parent(), iface);
        EXPECT_EQ(iface->indexOfChild(child), i);
        EXPECT_EQ(iface->child(i), child);  // kept, not made anew
    }
    // An accessible name given to the widget wins over the title.
    widget.setAccessibleName("Seattle");
    EXPECT_EQ(iface->text(QAccessible::Name), "Seattle");
    // A series removed leaves its child invalid and the count follows.
    QAccessibleInterface* lows = iface->child(1);
    chart.Series(1).SetParentChart(nullptr);
    EXPECT_EQ(iface->childCount(), 1);
    EXPECT_FALSE(lows->isValid());
}

TEST_F(ChartAccessibleTest, TheDataCursorIsAnnouncedInEveryUnitWheneverItMoves) {
    widget.show();
    widget.activateWindow();
    widget.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    chart.BottomAxis().SetMinMax(0, 10);
    widget.grab();
    // Hidden, the cursor changes the value to nothing and focuses no series.
    auto events = DataCursorEvents(&widget);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(static_cast<QAccessibleValueChangeEvent&>(*events[0]).value().toString(), "");
    Key(Qt::Key_Return);
    Key(Qt::Key_Right);
    const std::string sentence = ReadoutSentence(widget.Readouts().CursorReadout());
    EXPECT_EQ(sentence, "highs: 16 °F, 6");
    EXPECT_EQ(Chart()->text(QAccessible::Value).toStdString(), sentence);
    events = DataCursorEvents(&widget);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]->type(), QAccessible::ValueChanged);
    EXPECT_EQ(
        static_cast<QAccessibleValueChangeEvent&>(*events[0]).value().toString().toStdString(),
        sentence);
    EXPECT_EQ(events[1]->type(), QAccessible::Focus);
    EXPECT_EQ(events[1]->accessibleInterface(), Chart()->child(0));
    EXPECT_TRUE(Chart()->child(0)->state().focused);
    EXPECT_FALSE(Chart()->child(1)->state().focused);
}

}  // namespace
}  // namespace twinscope
