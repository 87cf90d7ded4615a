#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/chart/series/LineSeries.h"
#include "tests/series/WindowSeriesData.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

// One recorded call as a line of text: a line with its two ends and pen colour, a clip with its
// rectangle, a transparency section with its rectangle and percent.
std::string Describe(const TRecordedCall& c) {
    char text[96];
    if (c.Operation == "Line") {
        std::snprintf(text, sizeof text, "Line %d,%d %d,%d %06X", c.Points[0].X, c.Points[0].Y,
                      c.Points[1].X, c.Points[1].Y, c.Pen.Color);
    } else if (c.Operation == "ClipRectangle") {
        std::snprintf(text, sizeof text, "Clip %d,%d,%d,%d", c.Rect.Left, c.Rect.Top, c.Rect.Right,
                      c.Rect.Bottom);
    } else if (c.Operation == "BeginTransparency") {
        std::snprintf(text, sizeof text, "BeginTransparency %d,%d,%d,%d %d", c.Rect.Left,
                      c.Rect.Top, c.Rect.Right, c.Rect.Bottom, c.Percent);
    } else if (c.Operation == "EndTransparency") {
        std::snprintf(text, sizeof text, "EndTransparency %d", c.Percent);
    } else if (c.Operation == "BeginGroup") {
        return "BeginGroup " + c.Text;
    } else {
        return c.Operation;
    }
    return text;
}

std::vector<std::string> Script(const TRecordingCanvas& canvas) {
    std::vector<std::string> script;
    for (const TRecordedCall& call : canvas.Calls())
        script.push_back(Describe(call));
    return script;
}

// What the series layer draws around the lines of one clipped series.
std::vector<std::string> Clipped(std::vector<std::string> lines) {
    lines.insert(lines.begin(), {"BeginGroup Series", "Clip 146,21,964,440"});
    lines.insert(lines.end(), {"Unclip", "EndGroup"});
    return lines;
}

// The window's chart once both scales exist: 965 x 518 with the plot at (145, 21, 964, 440).
// With the bottom axis at 0..819 and the left axis at 0..419, point (x, y) lies at pixel
// (145 + x, 440 - y).
class LineDrawingTest : public ChartFixture {
protected:
    LineDrawingTest() {
        chart.SetBounds(965, 518);
        chart.SetView3D(false);
        chart.SetMarginLeft(15);
        chart.SetMarginTop(4);
        chart.SetMarginRight(0);
        chart.SetMarginBottom(15);
        chart.BottomAxis().SetAutomatic(false);
        chart.BottomAxis().SetMinMax(0, 819);
        chart.LeftAxis().SetAutomatic(false);
        chart.LeftAxis().SetMinMax(0, 419);
        series.SetParentChart(&chart);
        series.SetSeriesColor(clRed);
    }

    std::vector<std::string> Draw(TCanvas3D& target) {
        testing::steps::StartLayout(chart, TRect{0, 0, 965, 518});
        testing::steps::FitAxesIntoPlot(chart);
        DrawSeriesLayer(chart, target);
        return Script(canvas);
    }
    std::vector<std::string> Draw() { return Draw(canvas); }

    TLineSeries& series = chart.CreateSeries<TLineSeries>();
    TRecordingCanvas canvas;
};

struct Point {
    double X;
    double Y;
    TColor Color = clDefault;
};

struct DrawingCase {
    const char* name;
    std::vector<Point> points;
    std::function<void(TChart&, TLineSeries&)> setup;
    std::vector<std::string> lines;  // what is drawn inside the series' clip
};

void Plain(TChart&, TLineSeries&) {}

class LineDrawingRows : public LineDrawingTest,
                        public ::testing::WithParamInterface<DrawingCase> {};

TEST_P(LineDrawingRows, DrawsTheseCallsInThisOrder) {
    const DrawingCase& c = GetParam();
    for (const Point& p : c.points)
        series.AddPoint(p.X, p.Y, "", p.Color);
    c.setup(chart, series);
    EXPECT_EQ(Draw(), Clipped(c.lines));
}

constexpr TColor kThirdPaletteColor = 0x144CF1;
const double NotANumber = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Rows, LineDrawingRows,
    ::testing::Values(
        DrawingCase{"OrderedPointsInsideThePlot",
                    {{100, 100}, {200, 300}, {300, 200}},
                    Plain,
                    {"Line 245,340 345,140 0000FF", "Line 345,140 445,240 0000FF"}},
        DrawingCase{"OnePointDrawsNoSegment", {{100, 100}}, Plain, {}},
        DrawingCase{"SamePixelTwiceDrawsOnlyTheNextSegment",
                    {{100, 100}, {100.2, 100.2}, {200, 300}},
                    Plain,
                    {"Line 245,340 345,140 0000FF"}},
        DrawingCase{"SegmentAboveThePlotIsSkipped",
                    {{100, 500}, {200, 600}, {300, 100}},
                    Plain,
                    {"Line 345,-160 445,340 0000FF"}},
        // The line through (-100, 0) and (100, 200) is at 100 on the left edge.
        DrawingCase{"FirstPointLeftOfThePlotGivesTheEnteringSegment",
                    {{-100, 0}, {100, 200}, {200, 100}},
                    Plain,
                    {"Line 145,340 245,240 0000FF", "Line 245,240 345,340 0000FF"}},
        DrawingCase{"NoEnteringSegmentFromAGap",
                    {{-100, 0, clNone}, {100, 200}, {200, 100}},
                    Plain,
                    {"Line 245,240 345,340 0000FF"}},
        // On logarithms, halfway between 1 and 100 is 10, a third of the way up 1..1000.
        DrawingCase{"EnteringSegmentOnALogarithmicAxisFollowsTheLogarithms",
                    {{-100, 1}, {100, 100}},
                    [](TChart& chart, TLineSeries&) {
                        chart.LeftAxis().SetMinMax(1, 1000);
                        chart.LeftAxis().SetLogarithmic(true);
                    },
                    {"Line 145,300 245,161 0000FF"}},
        // No logarithm: a value at or below zero is a gap.
        DrawingCase{"AValueAtOrBelowZeroOnALogarithmicAxisBreaksTheLine",
                    {{100, 100}, {200, -5}, {300, 10}, {400, 100}},
                    [](TChart& chart, TLineSeries&) {
                        chart.LeftAxis().SetMinMax(1, 1000);
                        chart.LeftAxis().SetLogarithmic(true);
                    },
                    {"Line 445,300 545,161 0000FF"}},
        DrawingCase{"StairsStepAcrossThenUpOrDown",
                    {{100, 100}, {200, 300}},
                    [](TChart&, TLineSeries& s) { s.SetStairs(true); },
                    {"Line 245,340 345,340 0000FF", "Line 345,340 345,140 0000FF"}},
        DrawingCase{"InvertedStairsStepUpOrDownThenAcross",
                    {{100, 100}, {200, 300}},
                    [](TChart&, TLineSeries& s) {
                        s.SetStairs(true);
                        s.SetInvertedStairs(true);
                    },
                    {"Line 245,340 245,140 0000FF", "Line 245,140 345,140 0000FF"}},

        // Gaps: A, a gap, B (blue), C.
        DrawingCase{"DontPaintBreaksTheLineAtAGap",
                    {{100, 100}, {200, 300, clNone}, {300, 200, clBlue}, {400, 100}},
                    Plain,
                    {"Line 445,240 545,340 0000FF"}},
        DrawingCase{"SkipJoinsThePointsEitherSideOfAGap",
                    {{100, 100}, {200, 300, clNone}, {300, 200, clBlue}, {400, 100}},
                    [](TChart&, TLineSeries& s) { s.SetTreatNulls(tnSkip); },
                    {"Line 245,340 445,240 FF0000", "Line 445,240 545,340 0000FF"}},
        // The gap's value counts as an ordinary point; its own segment takes the series colour.
        DrawingCase{"IgnoreDrawsAGapAsAnOrdinaryPoint",
                    {{100, 100}, {200, 300, clNone}, {300, 200, clBlue}, {400, 100}},
                    [](TChart&, TLineSeries& s) { s.SetTreatNulls(tnIgnore); },
                    {"Line 245,340 345,140 0000FF", "Line 345,140 445,240 FF0000",
                     "Line 445,240 545,340 0000FF"}},
        // The line enters from (-200, 0) across the skipped gap: 133.33 on the left edge.
        DrawingCase{"SkipEntersFromThePointBeforeTheGap",
                    {{-200, 0}, {-100, 50, clNone}, {100, 200}, {200, 100}},
                    [](TChart&, TLineSeries& s) { s.SetTreatNulls(tnSkip); },
                    {"Line 145,307 245,240 0000FF", "Line 245,240 345,340 0000FF"}},
        DrawingCase{"SkipEntersAtTheFirstPointThatIsNoGap",
                    {{-100, 0}, {50, 50, clNone}, {100, 200}, {200, 100}},
                    [](TChart&, TLineSeries& s) { s.SetTreatNulls(tnSkip); },
                    {"Line 145,340 245,240 0000FF", "Line 245,240 345,340 0000FF"}},

        // A value that is not a number breaks the line whatever the gap style, and the line
        // never enters the plot from it.
        DrawingCase{"NotANumberBreaksTheLine",
                    {{100, 100}, {200, NotANumber}, {300, 200}, {400, 100}},
                    Plain,
                    {"Line 445,240 545,340 0000FF"}},
        DrawingCase{"NotANumberIsJoinedAcrossWhereGapsAreSkipped",
                    {{100, 100}, {200, NotANumber}, {300, 200}},
                    [](TChart&, TLineSeries& s) { s.SetTreatNulls(tnSkip); },
                    {"Line 245,340 445,240 0000FF"}},
        DrawingCase{"NotANumberBreaksTheLineWhereGapsAreIgnored",
                    {{100, 100}, {200, NotANumber}, {300, 200}, {400, 100}},
                    [](TChart&, TLineSeries& s) { s.SetTreatNulls(tnIgnore); },
                    {"Line 445,240 545,340 0000FF"}},
        DrawingCase{"NoEnteringSegmentFromNotANumber",
                    {{-100, NotANumber}, {100, 200}, {200, 100}},
                    [](TChart&, TLineSeries& s) { s.SetTreatNulls(tnIgnore); },
                    {"Line 245,240 345,340 0000FF"}},
        DrawingCase{"NotANumberInXBreaksTheLine",
                    {{100, 100}, {200, 200}, {NotANumber, 300}},
                    [](TChart&, TLineSeries& s) { s.XValues().SetOrder(loNone); },
                    {"Line 245,340 345,240 0000FF"}},

        // Point colours: blue, green, none of its own.
        DrawingCase{"EachLineTakesTheColourOfItsEndPoint",
                    {{100, 100, clBlue}, {200, 300, clGreen}, {300, 200}},
                    Plain,
                    {"Line 245,340 345,140 008000", "Line 345,140 445,240 0000FF"}},
        DrawingCase{"WithoutColorEachLineEveryLineIsInTheSeriesColour",
                    {{100, 100, clBlue}, {200, 300, clGreen}, {300, 200}},
                    [](TChart&, TLineSeries& s) { s.SetColorEachLine(false); },
                    {"Line 245,340 345,140 0000FF", "Line 345,140 445,240 0000FF"}},
        DrawingCase{"ColorEachPointWithHiddenMarkersColoursTheLinesByPoint",
                    {{100, 100, clBlue}, {200, 300, clGreen}, {300, 200}},
                    [](TChart&, TLineSeries& s) {
                        s.SetColorEachLine(false);
                        s.SetColorEachPoint(true);
                    },
                    {"Line 245,340 345,140 008000", "Line 345,140 445,240 144CF1"}},

        // Transparency: the section covers the segment's box widened by the pen width.
        DrawingCase{"TransparencyOpensASectionPerSegment",
                    {{100, 100}, {200, 300}, {300, 200}},
                    [](TChart&, TLineSeries& s) { s.SetTransparency(100); },
                    {"BeginTransparency 244,139,346,341 100", "Line 245,340 345,140 0000FF",
                     "EndTransparency 100", "BeginTransparency 344,139,446,241 100",
                     "Line 345,140 445,240 0000FF", "EndTransparency 100"}},
        DrawingCase{"TransparencySectionGrowsWithThePen",
                    {{100, 100}, {200, 100}},
                    [](TChart&, TLineSeries& s) {
                        s.SetTransparency(40);
                        s.LinePen().SetWidth(3);
                    },
                    {"BeginTransparency 242,337,348,343 40", "Line 245,340 345,340 0000FF",
                     "EndTransparency 40"}},
        DrawingCase{"TransparencySectionOfTheWidestPenStopsAtTheEndsOfAnInt",
                    {{100, 100}, {200, 100}},
                    [](TChart&, TLineSeries& s) {
                        s.SetTransparency(40);
                        s.LinePen().SetWidth(2147483647);
                    },
                    {"BeginTransparency -2147483402,-2147483307,2147483647,2147483647 40",
                     "Line 245,340 345,340 0000FF", "EndTransparency 40"}},

        // Ends beyond 32767 pixels: the line through (0, 0) and a point 99855 units away (at
        // pixel 100000) is cut at the limit, or nearer when it leaves the limit upwards first.
        DrawingCase{"FarEndIsCutAtThePixelLimit",
                    {{0, 0}, {99855, 998.55}},
                    Plain,
                    {"Line 145,440 32767,114 0000FF"}},
        DrawingCase{"SteepFarEndMovesTowardsTheOrigin",
                    {{0, 0}, {99855, 998550}},
                    Plain,
                    {"Line 145,440 1213,-10240 0000FF"}},
        DrawingCase{"EndStillBeyondAfterFourTriesIsClamped",
                    {{0, 0}, {99855, 99855000}},
                    Plain,
                    {"Line 145,440 404,-32767 0000FF"}},
        DrawingCase{"FarPreviousEndIsCutToo",
                    {{-99855, 0}, {100, 100}},
                    [](TChart&, TLineSeries& s) { s.SetRestrictToVisiblePoints(false); },
                    {"Line -32767,373 245,340 0000FF"}},

        // Right to left: the point at the right edge's side is visited last, and the line enters
        // there from the right edge.
        DrawingCase{"InvertedAxisVisitsRightToLeft",
                    {{100, 100}, {200, 300}, {300, 200}},
                    [](TChart& chart, TLineSeries&) { chart.BottomAxis().SetInverted(true); },
                    {"Line 664,240 764,140 0000FF", "Line 764,140 864,340 0000FF"}},
        DrawingCase{"InvertedAxisEntersAtTheRightEdge",
                    {{-100, 0}, {100, 200}, {200, 100}},
                    [](TChart& chart, TLineSeries&) { chart.BottomAxis().SetInverted(true); },
                    {"Line 764,340 864,240 0000FF", "Line 964,340 864,240 0000FF"}}),
    [](const ::testing::TestParamInfo<DrawingCase>& info) { return info.param.name; });

TEST_F(LineDrawingTest, SegmentsUseTheLinePenInTheSegmentColourOverAClearBrush) {
    series.AddPoint(100, 100, "", clBlue);
    series.AddPoint(200, 300, "", clGreen);
    series.LinePen().SetWidth(2);
    series.LinePen().SetStyle(psDash);
    series.LinePen().Hide();
    Draw();
    // With neither marker nor area, a hidden line pen is shown again.
    EXPECT_TRUE(series.LinePen().Visible());
    const std::vector<TRecordedCall> lines = canvas.CallsOf("Line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Pen.Color, clGreen);
    EXPECT_EQ(lines[0].Pen.Width, 2);
    EXPECT_EQ(lines[0].Pen.Style, psDash);
    EXPECT_EQ(lines[0].Brush.Style, bsClear);
    EXPECT_EQ(lines[0].Brush.Color, clGreen);

    canvas.ClearCalls();
    canvas.SetMonochrome(true);
    Draw();
    ASSERT_EQ(canvas.CallsOf("Line").size(), 1u);
    EXPECT_EQ(canvas.CallsOf("Line")[0].Pen.Color, clBlack);
}

// A canvas with alpha: sections change the alpha of what is drawn and need no rectangle.
class TAlphaRecordingCanvas : public TRecordingCanvas {
public:
    TAlphaRecordingCanvas() { UseNativeTransparency(); }
    std::vector<std::int32_t> alphas;

protected:
    void DoLine(TPoint from, TPoint to) override {
        alphas.push_back(TransparencyLevel());
        TRecordingCanvas::DoLine(from, to);
    }
};

TEST_F(LineDrawingTest, OnACanvasWithAlphaTransparencyIsTheAlphaOfEachSegment) {
    series.AddPoint(100, 100);
    series.AddPoint(200, 300);
    series.AddPoint(300, 200);
    series.SetTransparency(100);
    TAlphaRecordingCanvas alpha;
    Draw(alpha);
    EXPECT_EQ(alpha.alphas, (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(alpha.TransparencyLevel(), 255);
    EXPECT_TRUE(alpha.CallsOf("BeginTransparency").empty());

    series.SetTransparency(50);
    alpha.alphas.clear();
    Draw(alpha);
    EXPECT_EQ(alpha.alphas, (std::vector<std::int32_t>{128, 128}));
}

TEST_F(LineDrawingTest, SeriesDrawInListOrderEachInItsOwnClip) {
    TLineSeries& blue = chart.CreateSeries<TLineSeries>();
    blue.SetParentChart(&chart);
    blue.SetSeriesColor(clBlue);
    series.AddPoint(100, 100);
    series.AddPoint(200, 100);
    blue.AddPoint(100, 200);
    blue.AddPoint(200, 200);
    const std::vector<std::string> red{"Clip 146,21,964,440", "Line 245,340 345,340 0000FF",
                                       "Unclip"};
    const std::vector<std::string> blueLines{"Clip 146,21,964,440", "Line 245,240 345,240 FF0000",
                                             "Unclip"};
    auto layer = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.begin(), "BeginGroup Series");
        a.insert(a.end(), b.begin(), b.end());
        a.push_back("EndGroup");
        return a;
    };
    EXPECT_EQ(Draw(), layer(red, blueLines));

    canvas.ClearCalls();
    chart.DepthAxis().SetInverted(true);
    EXPECT_EQ(Draw(), layer(blueLines, red));

    canvas.ClearCalls();
    chart.DepthAxis().SetInverted(false);
    blue.SetActive(false);
    EXPECT_EQ(Draw(), layer(red, {}));

    canvas.ClearCalls();
    chart.SetClipPoints(false);
    EXPECT_EQ(Draw(), (std::vector<std::string>{"BeginGroup Series", "Line 245,340 345,340 0000FF",
                                                "EndGroup"}));
}

TEST_F(LineDrawingTest, SeriesWithoutAVisiblePointSetsNoClip) {
    // All points left of the plot: the shown range is empty.
    series.AddPoint(-200, 100);
    series.AddPoint(-100, 200);
    EXPECT_EQ(Draw(), (std::vector<std::string>{"BeginGroup Series", "EndGroup"}));
}

TEST_F(LineDrawingTest, TheScalesEmptyCompanionSeriesDrawsNothing) {
    series.AddPoint(100, 100);
    series.AddPoint(200, 300);
    TChartAxis& scale = chart.CustomAxes().Add();
    TLineSeries& companion = chart.CreateSeries<TLineSeries>();
    chart.ListSilently(companion);
    companion.SetParentChart(&chart);
    companion.BindCustomVertAxis(&scale);
    companion.SetSeriesColor(chart.Color());
    companion.SetTransparency(100);
    companion.SetShowInLegend(false);
    EXPECT_EQ(Draw(), Clipped({"Line 245,340 345,140 0000FF"}));

    canvas.ClearCalls();
    series.SetActive(false);
    EXPECT_EQ(Draw(), (std::vector<std::string>{"BeginGroup Series", "EndGroup"}));
}

class WindowSeriesDrawingTest : public LineDrawingTest {
protected:
    WindowSeriesDrawingTest() {
        series.XValues().SetDateTime(true);
        for (const testing::StoredPoint& p : testing::WindowSeriesPoints)
            series.AddPoint(p.X, p.Y);
        // 2024-07-24 00:00 to 2024-08-09 12:00.
        chart.BottomAxis().SetMinMax(45497, 45513.5);
    }
};

TEST_F(WindowSeriesDrawingTest, AtTheStartingFahrenheitRangeEveryValueLiesAboveThePlot) {
    chart.LeftAxis().SetMinMax(0, 100);
    EXPECT_EQ(Draw(), Clipped({}));
}

TEST_F(WindowSeriesDrawingTest, ARangeCoveringTheValuesDrawsFromTheLeftEdgePastTheRightEdge) {
    chart.LeftAxis().SetMinMax(340, 490);
    Draw();
    // Points 2024-07-24 (on the left edge; the line entering from 2024-07-23 has no length)
    // to 2024-08-10, the first point beyond the right edge: 16 segments.
    const std::vector<TRecordedCall> lines = canvas.CallsOf("Line");
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines.front().Points[0], (TPoint{145, series.YPixel(3)}));
    EXPECT_EQ(lines.back().Points[1], (TPoint{989, series.YPixel(19)}));
    for (const TRecordedCall& line : lines)
        EXPECT_EQ(line.Pen.Color, clRed);
}

}  // namespace
}  // namespace twinscope
