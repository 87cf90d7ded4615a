#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "twinscope/chart/axes/AxisDrawing.h"
#include "tests/axes/WindowChartFixture.h"
#include "tests/support/Printers.h"

namespace twinscope {
namespace {

using testing::TWindowAxis;
using testing::WindowChartFixture;

// A call inside an axis's group, with the innermost group it was made in ("Axis" directly).
struct TAxisCall {
    std::string group;
    TRecordedCall call;
};

// The calls of every "Axis" group of a paint, one list per axis in drawing order.
std::vector<std::vector<TAxisCall>> AxisCalls(const TRecordingCanvas& canvas) {
    std::vector<std::vector<TAxisCall>> axes;
    std::vector<std::string> groups;
    for (const TRecordedCall& call : canvas.Calls()) {
        if (call.Operation == "BeginGroup") {
            groups.push_back(call.Text);
            if (call.Text == "Axis") axes.emplace_back();
        } else if (call.Operation == "EndGroup") {
            groups.pop_back();
        } else if (call.Operation != "TextExtent" &&
                   std::find(groups.begin(), groups.end(), "Axis") != groups.end()) {
            axes.back().push_back({groups.back(), call});
        }
    }
    return axes;
}

std::vector<TRecordedCall> Of(const std::vector<TAxisCall>& calls, const std::string& group,
                              const std::string& operation) {
    std::vector<TRecordedCall> found;
    for (const TAxisCall& c : calls) {
        if (c.group == group && c.call.Operation == operation) found.push_back(c.call);
    }
    return found;
}

// The drawing order of one axis: its groups and its own operations, each run named once.
std::string Outline(const std::vector<TAxisCall>& calls) {
    std::string outline;
    std::string last;
    for (const TAxisCall& c : calls) {
        const std::string step = c.group == "Axis" ? c.call.Operation : c.group;
        if (step == last) continue;
        if (!outline.empty()) outline += ' ';
        outline += step;
        last = step;
    }
    return outline;
}

std::vector<TPoint> Line(TPoint from, TPoint to) {
    return {from, to};
}

class WindowDrawingTest : public WindowChartFixture {};

TEST_F(WindowDrawingTest, EachShownAxisDrawsInItsOwnOrder) {
    Render();
    std::vector<std::string> layers;
    std::size_t depth = 0;
    for (const TRecordedCall& call : canvas.Calls()) {
        if (call.Operation == "BeginGroup" && depth++ == 0) layers.push_back(call.Text);
        if (call.Operation == "EndGroup") --depth;
    }
    EXPECT_EQ(layers, (std::vector<std::string>{"Panel", "Walls", "Axes", "Series", "Legend"}));
    // The top and right axes have no series and are not drawn.
    const auto axes = AxisCalls(canvas);
    ASSERT_EQ(axes.size(), 4u);
    EXPECT_EQ(Outline(axes[0]), "Line Ticks Grid MinorTicks Labels");
    EXPECT_EQ(Outline(axes[1]), "Title Line Ticks Grid MinorTicks Labels");
    // The scales keep their grid hidden until the grid is moved onto them.
    EXPECT_EQ(Outline(axes[2]), "Title Line Ticks MinorTicks Labels");
    EXPECT_EQ(Outline(axes[3]), "Title Line Ticks MinorTicks Labels");
}

// What one axis of the window's chart draws: its line, its first tick, its first grid line,
// its label texts with the anchor of the first, and its title's anchor.
struct AxisDrawingCase {
    const char* name;
    TWindowAxis axis;
    std::vector<TPoint> line;
    TColor colour;
    std::vector<TPoint> firstTick;
    std::size_t gridLines;
    std::vector<TPoint> firstGridLine;
    std::vector<std::string> labels;
    TPoint firstLabel;
    TPoint title;
};

class WindowAxisTest : public WindowChartFixture,
                       public ::testing::WithParamInterface<AxisDrawingCase> {};

TEST_P(WindowAxisTest, DrawsLineTicksGridLabelsAndTitle) {
    const AxisDrawingCase& c = GetParam();
    Render();
    const std::vector<TAxisCall> calls = AxisCalls(canvas).at(static_cast<std::size_t>(c.axis));

    const auto line = Of(calls, "Axis", "Line");
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].Points, c.line);
    EXPECT_EQ(line[0].Pen.Color, c.colour);
    EXPECT_EQ(line[0].Pen.Width, 2);

    const auto ticks = Of(calls, "Ticks", "Line");
    ASSERT_EQ(ticks.size(), c.labels.size());
    EXPECT_EQ(ticks[0].Points, c.firstTick);
    EXPECT_EQ(ticks[0].Pen.Color, clGray);

    const auto grid = Of(calls, "Grid", "Line");
    ASSERT_EQ(grid.size(), c.gridLines);
    if (!grid.empty()) {
        EXPECT_EQ(grid[0].Points, c.firstGridLine);
    }

    const auto labels = Of(calls, "Labels", "TextOut");
    std::vector<std::string> texts;
    for (const TRecordedCall& label : labels)
        texts.push_back(label.Text);
    EXPECT_EQ(texts, c.labels);
    EXPECT_EQ(labels.at(0).Points[0], c.firstLabel);
    EXPECT_EQ(labels.at(0).TextAlign, TA_CENTER | TA_TOP);
    EXPECT_EQ(labels.at(0).BackMode, cbmTransparent);

    const auto title = Of(calls, "Title", "TextOut");
    if (c.title == TPoint{}) {
        EXPECT_TRUE(title.empty());
    } else {
        ASSERT_EQ(title.size(), 1u);
        EXPECT_EQ(title[0].Points[0], c.title);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowAxisTest,
    ::testing::Values(
        // Line at y 421 + 2 div 2; ticks from 421 + 1 + 2 - 1 down 4; labels hang from 429; the
        // silver grid runs from the plot's top + 1 to its bottom.
        AxisDrawingCase{
            "Bottom",
            TWindowAxis::Bottom,
            Line({180, 422}, {964, 422}),
            clBlack,
            Line({891, 423}, {891, 427}),
            6,
            Line({891, 22}, {891, 421}),
            {"9/25/2024", "9/15/2024", "9/5/2024", "8/26/2024", "8/16/2024", "8/6/2024"},
            {891, 429},
            {}},
        // Line at x 164 - 1; ticks from 164 - 2 to 164 - 6; labels end at 155, "100" (27 x 18)
        // centred on its tick; no grid line at either end; the title "°F" (20 x 21) ends at
        // 149 - 10 and is centred on the axis.
        AxisDrawingCase{"Left",
                        TWindowAxis::Left,
                        Line({163, 21}, {163, 421}),
                        clRed,
                        Line({162, 21}, {158, 21}),
                        9,
                        Line({181, 61}, {964, 61}),
                        {"100", "90", "80", "70", "60", "50", "40", "30", "20", "10", "0"},
                        {141, 12},
                        {129, 211}},
        AxisDrawingCase{"Celsius",
                        TWindowAxis::Celsius,
                        Line({77, 21}, {77, 421}),
                        clBlue,
                        Line({76, 77}, {72, 77}),
                        0,
                        {},
                        {"30", "20", "10", "0", "-10"},
                        {62, 68},
                        {15, 211}},
        // The title "day of the year" (120 x 15) is centred under the axis at 491.
        AxisDrawingCase{"DayOfYear",
                        TWindowAxis::DayOfYear,
                        Line({180, 470}, {964, 470}),
                        clBlack,
                        Line({912, 471}, {912, 475}),
                        0,
                        {},
                        {"270", "260", "250", "240", "230", "220"},
                        {912, 476},
                        {572, 491}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowDrawingTest, TheGridMovesToTheCelsiusScaleWithThePositions) {
    celsius->ToggleGrid();
    Render();
    const auto axes = AxisCalls(canvas);
    EXPECT_EQ(Of(axes[1], "Axis", "Line").at(0).Points, Line({77, 21}, {77, 421}));
    EXPECT_TRUE(Of(axes[1], "Grid", "Line").empty());
    const auto grid = Of(axes[2], "Grid", "Line");
    ASSERT_EQ(grid.size(), 5u);
    EXPECT_EQ(grid[0].Points, Line({181, 77}, {964, 77}));
    EXPECT_EQ(grid[0].Pen.Color, clBlue);
    // 180 + Round(-0.01 x 784)
    EXPECT_EQ(Of(axes[2], "Axis", "Line").at(0).Points, Line({171, 21}, {171, 421}));
}

// Variations of the left axis's ticks and grid: the group drawn in, its count and last line.
struct LeftVariantCase {
    const char* name;
    std::function<void(TChartAxis&)> change;
    std::string group;
    std::size_t lines;
    std::vector<TPoint> last;
    TColor colour;
};

class LeftVariantTest : public WindowChartFixture,
                        public ::testing::WithParamInterface<LeftVariantCase> {};

TEST_P(LeftVariantTest, DrawsItsLines) {
    const LeftVariantCase& c = GetParam();
    c.change(chart.LeftAxis());
    Render();
    const auto lines = Of(AxisCalls(canvas).at(1), c.group, "Line");
    ASSERT_EQ(lines.size(), c.lines);
    if (c.lines == 0) return;
    EXPECT_EQ(lines.back().Points, c.last);
    EXPECT_EQ(lines.back().Pen.Color, c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LeftVariantTest,
    ::testing::Values(
        LeftVariantCase{"GridOfDefaultColourIsGrey",
                        [](TChartAxis& a) { a.Grid().SetColor(clDefault); }, "Grid", 9,
                        Line({181, 381}, {964, 381}), clGray},
        // At the ticks 21, 101, ..., 421, less the ends, which would lie on the frame.
        LeftVariantCase{"GridAtEverySecondTick", [](TChartAxis& a) { a.Grid().SetDrawEvery(2); },
                        "Grid", 4, Line({181, 341}, {964, 341}), clRed},
        LeftVariantCase{"HiddenGrid", [](TChartAxis& a) { a.Grid().Hide(); }, "Grid", 0, {}, clRed},
        LeftVariantCase{"InnerTicksPointIntoThePlot",
                        [](TChartAxis& a) { a.SetTickInnerLength(3); }, "InnerTicks", 11,
                        Line({164, 421}, {167, 421}), clGray},
        // Three between each pair of ticks 40 apart, the last 30 above 421; none beyond the
        // ends of the axis.
        LeftVariantCase{"MinorTicks", [](TChartAxis&) {}, "MinorTicks", 30,
                        Line({162, 391}, {160, 391}), clGray},
        // The line and ticks take 9 pixels: the plot starts at 182 and the axis stands at
        // 182 + Round(-0.02 x 782) = 166; the ticks start 4 pixels out, past the wider line.
        LeftVariantCase{"WideAxisPenPushesTicksOut", [](TChartAxis& a) { a.Axis().SetWidth(4); },
                        "Ticks", 11, Line({162, 421}, {158, 421}), clGray},
        // After the axis line, one grid line at each minor tick.
        LeftVariantCase{"MinorGridAtTheMinorTicks",
                        [](TChartAxis& a) {
                            a.MinorGrid().Show();
                            a.MinorGrid().SetColor(clDefault);
                        },
                        "Axis", 31, Line({181, 391}, {964, 391}), clGray}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowDrawingTest, LabelsBehindAreDrawnDuringThePassBeforeTheLine) {
    chart.LeftAxis().Labels().SetBehind(true);
    Render();
    EXPECT_EQ(Outline(AxisCalls(canvas).at(1)), "Title Labels Line Ticks Grid MinorTicks");
}

// The window sets its titles upright; at its angle of 90 the left axis's title reads upwards,
// turned about the middle of the box it was placed in.
TEST_F(WindowDrawingTest, ATitleAtAnAngleIsDrawnTurned) {
    chart.LeftAxis().Title().SetAngle(90);
    Render();
    const auto title = Of(AxisCalls(canvas).at(1), "Title", "TextOut");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].Angle, 90);
}

TEST(MinorTickPositionsTest, FollowMajorTicksAndStayInsideTheAxis) {
    // The three above the first tick (-4, -29, -54) lie outside the axis.
    EXPECT_EQ(MinorTickPositions({21, 121, 221}, 3, 21, 421),
              (std::vector<std::int32_t>{246, 271, 296, 96, 71, 46, 196, 171, 146}));
    EXPECT_EQ(MinorTickPositions({221}, 3, 21, 421), std::vector<std::int32_t>{});
    EXPECT_EQ(MinorTickPositions({21, 121}, 0, 21, 421), std::vector<std::int32_t>{});
    // An absurd count draws each pixel at most a few times instead of hanging the paint.
    EXPECT_LE(MinorTickPositions({21, 121, 221}, std::numeric_limits<std::int32_t>::max(), 21, 421)
                  .size(),
              3u * 400u);
}

// Where DrawAxisLabel puts a text's first line (centred, top-aligned) for an anchor at
// (100, 200), in 8-point text (12 high, 6 wide per character).
struct LabelCase {
    const char* name;
    bool horizontal;
    bool otherSide;
    std::string text;
    std::vector<TPoint> lines;
};

class DrawAxisLabelTest : public testing::ChartFixture,
                          public ::testing::WithParamInterface<LabelCase> {};

TEST_P(DrawAxisLabelTest, AnchorsByTheAxisSide) {
    const LabelCase& c = GetParam();
    TChartAxis& axis = c.horizontal ? chart.BottomAxis() : chart.LeftAxis();
    axis.SetOtherSide(c.otherSide);
    TRecordingCanvas canvas;
    canvas.SetFont(axis.LabelsFont());
    DrawAxisLabel(axis, canvas, 100, 200, c.text, nullptr);
    std::vector<TPoint> lines;
    for (const TRecordedCall& call : canvas.CallsOf("TextOut"))
        lines.push_back(call.Points[0]);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DrawAxisLabelTest,
    ::testing::Values(
        LabelCase{"LeftEndsAtX", false, false, "40", {{94, 194}}},
        LabelCase{"RightStartsAtX", false, true, "40", {{106, 194}}},
        LabelCase{"BottomHangsFromY", true, false, "40", {{100, 200}}},
        LabelCase{"TopStandsOnY", true, true, "40", {{100, 188}}},
        LabelCase{"TwoLinesCentredOnTheTick", false, false, "a\rbc", {{94, 188}, {94, 200}}},
        LabelCase{"TwoLinesOverATopAxis", true, true, "a\rbc", {{100, 176}, {100, 188}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
