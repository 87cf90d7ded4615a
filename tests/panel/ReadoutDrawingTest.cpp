#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ReadoutChart.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/ReadoutDrawing.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {

void PrintTo(const TReadoutLine& line, std::ostream* os) {
    *os << '"' << line.Text << "\" mark " << line.Mark;
}

namespace {

struct BoxCase {
    const char* name;
    TSize size;
    TPoint cursor;
    TRect box;
};

constexpr TRect Plot{100, 50, 500, 350};

class ReadoutBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ReadoutBoxTest, StaysInThePlotBesideTheCursor) {
    EXPECT_EQ(ReadoutBox(GetParam().size, GetParam().cursor, Plot), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadoutBoxTest,
    ::testing::Values(
        BoxCase{"RightAndBelow", {120, 40}, {200, 100}, {212, 112, 332, 152}},
        BoxCase{"JustFitsOnTheRight", {120, 40}, {368, 100}, {380, 112, 500, 152}},
        BoxCase{"LeftWhereTheRightIsTooNarrow", {120, 40}, {369, 100}, {237, 112, 357, 152}},
        BoxCase{"AboveWhereBelowIsTooShort", {120, 40}, {200, 299}, {212, 247, 332, 287}},
        // Wider than the room on either side: from the plot's left edge.
        BoxCase{"NoRoomEitherWay", {450, 40}, {300, 100}, {100, 112, 550, 152}}),
    [](const auto& info) { return std::string(info.param.name); });

// The program's chart with sixty readings from 1 August 2024, laid out in the recording
// canvas's fixed metrics.
class ReadoutDrawingTest : public ::testing::Test {
protected:
    ReadoutDrawingTest() {
        series = &testing::FillReadoutChart(chart);
        series->SetSeriesColor(clRed);
        chart.LayOut(&canvas, {0, 0, 965, 518});
    }
    TReadout At(double date) {
        return ReadoutAt(chart,
                         {chart.ScaleMapOf(chart.BottomAxis()).ToPixel(date), chart.PlotCenterY()});
    }

    TChart chart;
    TRecordingCanvas canvas;
    TLineSeries* series = nullptr;
};

// A series is named as the legend names it; an axis without a title writes its bare text.
TEST_F(ReadoutDrawingTest, TheBoxNamesTheSeriesAndTheUnits) {
    series->SetTitle("Seattle");
    chart.LeftAxis().Title().SetCaption("");
    EXPECT_EQ(ReadoutLines(At(45519)),
              (std::vector<TReadoutLine>{{"Seattle: 47 · 8.333 °C", clRed},
                                         {"8/15/2024 · day of the year 228"}}));
}

TEST_F(ReadoutDrawingTest, DrawsTheBadgesAndTheBoxBesideTheCursor) {
    const TReadout r = At(45519);
    DrawReadout(canvas, chart, r);
    std::vector<std::string> texts;
    for (const TRecordedCall& call : canvas.CallsOf("TextOut"))
        texts.push_back(call.Text);
    // The badges of the bottom axis, the left axis and the two scales, then the box's lines.
    EXPECT_EQ(texts,
              (std::vector<std::string>{"8/15/2024", "50", "10", "228", "Series1: 47 °F · 8.333 °C",
                                        "8/15/2024 · day of the year 228"}));
    // The box: the longer line (31 characters of 6 pixels), the mark and the padding wide, two
    // lines of 12 pixels and the padding high, below and right of the cursor.
    const std::vector<TRecordedCall> boxes = canvas.CallsOf("Rectangle");
    const TRecordedCall& box = boxes[boxes.size() - 2];
    EXPECT_EQ(box.Rect, (TRect{r.Cursor.X + 12, r.Cursor.Y + 12, r.Cursor.X + 12 + 31 * 6 + 12 + 8,
                               r.Cursor.Y + 12 + 24 + 8}));
    EXPECT_EQ(box.Brush.Color, TReadoutStyle{}.BoxColor);

    canvas.ClearCalls();
    DrawReadout(canvas, chart, ReadoutAt(chart, {0, 0}));
    EXPECT_TRUE(canvas.Calls().empty());
}

}  // namespace
}  // namespace twinscope
