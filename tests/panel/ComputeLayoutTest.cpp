#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ChartFixture.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/ComputeLayout.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

struct LayoutCase {
    const char* name;
    bool live;        // the scales follow their masters live
    bool legend;      // two listed series
    bool automatic;   // the left axis takes its range from the data, rounded
};

// A chart as the program makes it: a title, °F on the left with °C beside it, dates at the
// bottom with the day of the year below them.
class ComputeLayoutTest : public ChartFixture, public ::testing::WithParamInterface<LayoutCase> {
protected:
    void SetUp() override {
        const LayoutCase& c = GetParam();
        chart.SetBounds(965, 518);
        chart.SetView3D(false);
        chart.Title().SetText({"Readings"});
        for (int s = 0; s < (c.legend ? 2 : 1); ++s) {
            auto& series = chart.AddNewSeries<TLineSeries>();
            series.XValues().SetDateTime(true);
            for (int i = 0; i < 60; ++i)
                series.AddPoint(45505 + i, 40 + 10 * s + (i * 7) % 31);
        }
        chart.Legend().SetVisible(c.legend);
        TChartAxis& left = chart.LeftAxis();
        left.SetAutomatic(c.automatic);
        if (c.automatic) left.SetMaximumRound(true);
        if (!c.automatic) left.SetMinMax(0, 100);
        chart.BottomAxis().SetAutomatic(false);
        chart.BottomAxis().SetMinMax(45505, 45565);
        celsius = &chart.CustomAxes().Add<tLeftCelsiusScale>();
        days = &chart.CustomAxes().Add<tBottomDayOfTheYearScale>();
        celsius->SetFollowsLive(c.live);
        days->SetFollowsLive(c.live);
    }

    // What a paint could write: every axis's settings, stored range and items, and where a
    // legend positioned in pixels stands.
    std::vector<std::string> Settings() const {
        std::vector<std::string> settings;
        for (const TChartAxis* axis : chart.Axes()) {
            std::string s = std::to_string(axis->SettingsRevision()) + " " +
                            std::to_string(axis->Minimum()) + " " +
                            std::to_string(axis->Maximum()) + " " +
                            std::to_string(axis->Increment());
            for (const TAxisItem& item : axis->Items())
                s += " " + item.Text;
            settings.push_back(std::move(s));
        }
        return settings;
    }

    void Paint() { chart.RenderChart(canvas, target, {0, 0, 965, 518}); }

    TRecordingCanvas canvas;
    TNoTarget target;
    tScale* celsius = nullptr;
    tScale* days = nullptr;
};

// The layout only computes: a first and a later paint's layout write no setting, no item and
// no range, and give the same layout twice.
TEST_P(ComputeLayoutTest, WritesNothing) {
    for (int paint = 0; paint < 2; ++paint) {
        const std::vector<std::string> before = Settings();
        const TChartLayout first = ComputeLayout(chart, &canvas, {0, 0, 965, 518});
        const TChartLayout second = ComputeLayout(chart, &canvas, {0, 0, 965, 518});
        EXPECT_EQ(Settings(), before);
        EXPECT_EQ(first.Plot, second.Plot);
        EXPECT_EQ(first.TitleBoxes, second.TitleBoxes);
        for (const TChartAxis* axis : chart.Axes())
            EXPECT_EQ(first.Axis(*axis), second.Axis(*axis));
        Paint();
    }
}

// What a paint draws, it draws from its layout: once the first group is begun nothing is
// measured but the lines of a text just drawn (the text shape steps down by each line's height).
TEST_P(ComputeLayoutTest, TheDrawingMeasuresNothing) {
    Paint();
    canvas.ClearCalls();
    std::size_t laidOut = 0;
    chart.OnBeforeDrawChart = [&] { laidOut = canvas.Calls().size(); };
    Paint();
    const std::vector<TRecordedCall>& calls = canvas.Calls();
    std::size_t drawing = laidOut;
    while (drawing < calls.size() && calls[drawing].Operation != "BeginGroup")
        ++drawing;
    ASSERT_LT(drawing, calls.size());
    std::size_t measured = 0;
    for (std::size_t i = laidOut; i < drawing; ++i)
        measured += calls[i].Operation == "TextExtent";
    EXPECT_GT(measured, 0u);  // the layout measured, between the background and the drawing
    for (std::size_t i = drawing; i < calls.size(); ++i) {
        if (calls[i].Operation != "TextExtent") continue;
        ASSERT_GT(i, drawing);
        EXPECT_EQ(calls[i - 1].Operation, "TextOut") << calls[i].Text;
        EXPECT_EQ(calls[i - 1].Text, calls[i].Text);
    }
}

// The axes' automatic items are the labels of their scale divisions, and the live scales
// read what the paint showed.
TEST_P(ComputeLayoutTest, ItemsAndLiveRangesComeFromTheLayout) {
    Paint();
    for (const TChartAxis* axis : chart.Axes()) {
        const TAxisPaint& paint = chart.AxisPaintOf(*axis);
        if (!paint.Shown) continue;
        ASSERT_EQ(axis->Items().Count(), paint.Division.Labels.size());
        for (std::size_t i = 0; i < axis->Items().Count(); ++i) {
            EXPECT_EQ(axis->Items()[i].Text, paint.Division.Labels[i].Text);
            EXPECT_EQ(axis->Items()[i].LabelPos, paint.Division.Labels[i].LabelPos);
            EXPECT_FALSE(paint.Division.Labels[i].Box.IsEmpty());
        }
    }
    EXPECT_FALSE(chart.AxisPaintOf(*celsius).Division.Labels.empty());
    if (GetParam().live) {
        const TScaleRange shown = chart.ScaleMapOf(chart.LeftAxis()).Range();
        EXPECT_DOUBLE_EQ(celsius->Minimum(), tLeftCelsiusScale::CelsiusFromFahrenheit(shown.Minimum));
        EXPECT_DOUBLE_EQ(celsius->Maximum(), tLeftCelsiusScale::CelsiusFromFahrenheit(shown.Maximum));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ComputeLayoutTest,
                         ::testing::Values(LayoutCase{"Plotted", false, false, false},
                                           LayoutCase{"LiveWithLegend", true, true, false},
                                           LayoutCase{"LiveOverAutomaticRoundedData", true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A label that would reach past the chart's edge is left out rather than cut; its tick stays,
// and where the label fits nothing changes.
struct EdgeLabelCase {
    const char* name;
    std::int32_t rightMargin;  // percent
    bool lastLabelShown;
};

class EdgeLabelTest : public ChartFixture, public ::testing::WithParamInterface<EdgeLabelCase> {};

TEST_P(EdgeLabelTest, TheLastLabelIsLeftOutRatherThanCut) {
    chart.SetBounds(400, 250);
    chart.SetView3D(false);
    chart.SetMarginRight(GetParam().rightMargin);
    chart.Legend().SetVisible(false);
    auto& series = chart.AddNewSeries<TLineSeries>();
    series.AddPoint(0, 1);
    series.AddPoint(100000, 2);
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetAutomatic(false);
    bottom.SetMinMax(0, 100000);
    bottom.SetIncrement(20000);
    TRecordingCanvas canvas;
    TNoTarget target;
    chart.RenderChart(canvas, target, {0, 0, 400, 250});
    const TScaleDivision& division = chart.AxisPaintOf(bottom).Division;
    EXPECT_EQ(division.TickPositions.size(), 6u);
    ASSERT_FALSE(division.Labels.empty());
    EXPECT_EQ(division.Labels.front().Text == "100,000", GetParam().lastLabelShown);
    for (const TAxisLabel& label : division.Labels)
        EXPECT_LE(label.Box.Right, 400) << label.Text;
    EXPECT_EQ(bottom.Items().Count(), division.Labels.size());
}

INSTANTIATE_TEST_SUITE_P(Rows, EdgeLabelTest,
                         ::testing::Values(EdgeLabelCase{"AtTheEdge", 0, false},
                                           EdgeLabelCase{"WithRoomBeside", 8, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
