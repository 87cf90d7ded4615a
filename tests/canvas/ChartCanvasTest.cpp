#include "twinscope/chart/canvas/ChartCanvas.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {

TEST(SplitTextLines, SeparatesOnEveryLineBreakKind) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitTextLines(""), Lines{""});
    EXPECT_EQ(SplitTextLines("ab"), Lines{"ab"});
    EXPECT_EQ(SplitTextLines("a\rb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitTextLines("a\r"), (Lines{"a", ""}));
}

TEST(ColorToRGB, ConvertsSystemColoursOnly) {
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clWindowText), 0x000000u);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
}

struct TPenCase {
    const char* name;
    TPenData pen;
    TColor color;
    bool monochrome;
    std::int32_t penZoom;
    TPenData expected;
};

class SetPenFromTest : public ::testing::TestWithParam<TPenCase> {};

TEST_P(SetPenFromTest, TakesThePenInTheGivenColour) {
    const TPenCase& c = GetParam();
    TRecordingCanvas canvas;
    TPaintTarget target;
    canvas.BeginFrame(target, {0, 0, 10, 10}, {.PenZoom = c.penZoom});
    canvas.SetPen({.Color = clGreen, .Width = 4, .Style = psDot});
    canvas.SetMonochrome(c.monochrome);
    TChartPen pen(c.pen);
    canvas.SetPenFrom(pen, c.color);
    EXPECT_EQ(canvas.Pen(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pens, SetPenFromTest,
    ::testing::Values(TPenCase{"visible",
                               {.Width = 2, .Style = psDash},
                               clRed,
                               false,
                               100,
                               {.Color = clRed, .Width = 2, .Style = psDash}},
                      TPenCase{"monochrome_draws_black", {}, clRed, true, 100, {.Color = clBlack}},
                      TPenCase{"zoom_scales_width_rounding_to_even",
                               {.Width = 5},
                               clRed,
                               false,
                               150,
                               {.Color = clRed, .Width = 8}},
                      TPenCase{"zoom_half_width_ties_to_even",
                               {.Width = 1},
                               clRed,
                               false,
                               250,
                               {.Color = clRed, .Width = 2}},
                      TPenCase{"hidden_pen_only_clears_the_style",
                               {.Visible = false, .Width = 9},
                               clRed,
                               false,
                               100,
                               {.Color = clGreen, .Width = 4, .Style = psClear}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChartCanvas, AssignPenOfHiddenPenStrokesNothing) {
    TRecordingCanvas canvas;
    TChartPen pen(TPenData{.Visible = false, .Color = clRed, .Width = 3});
    canvas.AssignPen(pen);
    EXPECT_EQ(canvas.Pen().Style, psClear);
    EXPECT_EQ(canvas.Pen().Color, clRed);
    EXPECT_EQ(canvas.Pen().Width, 3);
}

TEST(ChartCanvas, PenZoomIsIgnoredWhenZoomingPensIsOff) {
    TRecordingCanvas canvas;
    TPaintTarget target;
    canvas.SetZoomPens(false);
    canvas.BeginFrame(target, {0, 0, 10, 10}, {.PenZoom = 200});
    TChartPen pen(TPenData{.Width = 3});
    canvas.SetPenFrom(pen, clRed);
    EXPECT_EQ(canvas.Pen().Width, 3);
}

TEST(ChartCanvas, AssignBrushTakesTheGivenColour) {
    TRecordingCanvas canvas;
    TChartBrush brush(TBrushData{.Color = clRed, .Style = bsCross, .BackColor = clBlue});
    canvas.AssignBrush(brush, clGreen);
    EXPECT_EQ(canvas.Brush(),
              (TBrushData{.Color = clGreen, .Style = bsCross, .BackColor = clBlue}));
}

TEST(ChartCanvas, LineOperationsStrokeFromTheirFirstToTheirLastPoint) {
    TRecordingCanvas canvas;
    canvas.MoveTo(1, 2);
    canvas.LineTo(5, 2);
    canvas.LineTo(5, 9);
    canvas.HorizLine(10, 20, 3);
    canvas.VertLine(7, 1, 4);
    canvas.Line(0, 0, 3, 3);
    canvas.MoveTo3D(1, 1, 50);
    canvas.LineTo3D(2, 2, 50);
    std::vector<std::vector<TPoint>> lines;
    for (const auto& call : canvas.CallsOf("Line"))
        lines.push_back(call.Points);
    EXPECT_EQ(lines, (std::vector<std::vector<TPoint>>{{{1, 2}, {5, 2}},
                                                       {{5, 2}, {5, 9}},
                                                       {{10, 3}, {20, 3}},
                                                       {{7, 1}, {7, 4}},
                                                       {{0, 0}, {3, 3}},
                                                       {{1, 1}, {2, 2}}}));
    EXPECT_EQ(canvas.PenPos(), (TPoint{2, 2}));
}

TEST(ChartCanvas, DegenerateInputsDrawNothing) {
    TRecordingCanvas canvas;
    std::vector<TPoint> one{{1, 1}};
    canvas.Polyline(one);
    canvas.Polygon(one);
    canvas.FillRect({5, 5, 5, 9});
    canvas.SetBrushStyle(bsClear);
    canvas.FillRect({0, 0, 10, 10});
    canvas.GradientFill({0, 0, 10, 10}, {.Visible = false});
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(ChartCanvas, RoundRectangleWithoutCornersIsARectangle) {
    TRecordingCanvas canvas;
    canvas.RoundRect({0, 0, 10, 10}, 0, -3);
    canvas.ClipRoundRectangle({0, 0, 10, 10}, -1, 0, true);
    ASSERT_EQ(canvas.Calls().size(), 2u);
    EXPECT_EQ(canvas.Calls()[0].Operation, "Rectangle");
    EXPECT_EQ(canvas.Calls()[1].Operation, "ClipRectangle");
    EXPECT_TRUE(canvas.Calls()[1].Exclude);
}

TEST(ChartCanvas, ClipCubeInTwoDimensionsClipsInsideTheBox) {
    TRecordingCanvas canvas;
    canvas.ClipCube({100, 20, 500, 400}, 0, 0);
    ASSERT_EQ(canvas.CallsOf("ClipRectangle").size(), 1u);
    EXPECT_EQ(canvas.CallsOf("ClipRectangle")[0].Rect, (TRect{101, 21, 500, 399}));
}

TEST(ChartCanvas, TextAngleAboveAFullTurnIsReduced) {
    TRecordingCanvas canvas;
    canvas.TextOut(1, 2, "a", 450);
    canvas.TextOut(1, 2, "b", 360);
    canvas.TextOut(1, 2, "c", 1080);
    auto texts = canvas.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Angle, 90);
    EXPECT_EQ(texts[1].Angle, 360);
    EXPECT_EQ(texts[2].Angle, 360);
}

TEST(ChartCanvas, RecordsTheStateInForceWithEachCall) {
    TRecordingCanvas canvas;
    canvas.SetFont(TFontData{.Name = "Courier", .SizeFloat = 10});
    canvas.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    canvas.SetBackMode(cbmTransparent);
    canvas.SetPenColor(clRed);
    canvas.TextOut(3, 4, "x");
    const TRecordedCall& call = canvas.Calls().back();
    EXPECT_EQ(call.Font.Name, "Courier");
    EXPECT_EQ(call.TextAlign, TA_RIGHT | TA_BOTTOM);
    EXPECT_EQ(call.BackMode, cbmTransparent);
    EXPECT_EQ(call.Pen.Color, clRed);
}

TEST(RecordingCanvas, MeasuresWithItsFixedMetrics) {
    TRecordingCanvas canvas;
    EXPECT_EQ(canvas.TextWidth("TChart"), 36);
    EXPECT_EQ(canvas.TextHeight("TChart"), 12);
    EXPECT_EQ(canvas.FontHeight(), 12);
    EXPECT_EQ(canvas.TextWidth("°C"), 12) << "code points, not bytes";
    EXPECT_EQ(canvas.TextExtent("ab\r\nabcd\nc"), (TSize{24, 36}));
    EXPECT_EQ(canvas.MultiLineTextWidth("ab\rabcd"), (TMultiLineWidth{24, 2}));
    EXPECT_EQ(canvas.MultiLineTextWidth(""), (TMultiLineWidth{0, 1}));
    canvas.SetFont(TFontData{.SizeFloat = 10});
    EXPECT_EQ(canvas.TextExtent("abc"), (TSize{24, 15}));
}

TEST(ChartCanvas, ShadowAndEmbossOffsetsWidenTheTextExtent) {
    TRecordingCanvas canvas;
    canvas.SetFont(TFontData{.Shadow = {.Visible = true, .HorizSize = -3, .VertSize = 2},
                             .Emboss = {.Visible = true, .HorizSize = 1, .VertSize = 1}});
    EXPECT_EQ(canvas.TextExtent("ab"), (TSize{12 + 3 + 1, 12 + 2 + 1}));
    canvas.SetFont(TFontData{.Shadow = {.Visible = false, .HorizSize = 5, .VertSize = 5}});
    EXPECT_EQ(canvas.TextExtent("ab"), (TSize{12, 12}));
}

TEST(ChartCanvas, FontZoomScalesTheTextSize) {
    TRecordingCanvas canvas;
    TPaintTarget target;
    canvas.BeginFrame(target, {0, 0, 10, 10}, {.FontZoom = 200});
    EXPECT_EQ(canvas.FontSizeInUse(), 16);
    EXPECT_EQ(canvas.TextHeight("a"), 24);
    canvas.SetZoomText(false);
    EXPECT_EQ(canvas.FontSizeInUse(), 8);
}

TEST(ChartCanvas, CheckBoxSizeFollowsItsZoom) {
    TRecordingCanvas canvas;
    TPaintTarget target;
    EXPECT_EQ(canvas.CheckBoxSize(), 12);
    canvas.BeginFrame(target, {0, 0, 10, 10}, {.CheckBoxZoom = 150});
    EXPECT_EQ(canvas.CheckBoxSize(), 18);
}

struct TLevelCase {
    const char* name;
    bool native;
    std::vector<std::int32_t> percents;
    std::int32_t expected;
};

class TransparencyLevelTest : public ::testing::TestWithParam<TLevelCase> {};

class TNativeRecordingCanvas : public TRecordingCanvas {
public:
    TNativeRecordingCanvas() { UseNativeTransparency(); }
};

TEST_P(TransparencyLevelTest, NestedSectionsCompound) {
    const TLevelCase& c = GetParam();
    TNativeRecordingCanvas native;
    TRecordingCanvas blending;
    TChartCanvas& canvas = c.native ? static_cast<TChartCanvas&>(native) : blending;
    const std::int32_t initial = canvas.TransparencyLevel();
    std::vector<TTransparencyHandle> handles;
    for (std::int32_t percent : c.percents) {
        handles.push_back(canvas.BeginTransparency({0, 0, 10, 10}, percent));
    }
    EXPECT_EQ(canvas.TransparencyLevel(), c.expected);
    while (!handles.empty()) {
        canvas.EndTransparency(std::move(handles.back()));
        handles.pop_back();
    }
    EXPECT_EQ(canvas.TransparencyLevel(), initial);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, TransparencyLevelTest,
    ::testing::Values(TLevelCase{"alpha_100_percent", true, {100}, 0},
                      TLevelCase{"alpha_50_percent_ties_to_even", true, {50}, 128},
                      TLevelCase{"alpha_25_percent", true, {25}, 191},
                      TLevelCase{"alpha_75_percent", true, {75}, 64},
                      TLevelCase{"alpha_nested", true, {50, 50}, 64},
                      TLevelCase{"percent_single", false, {30}, 30},
                      TLevelCase{"percent_two_halves_reach_75", false, {50, 50}, 75},
                      TLevelCase{"percent_out_of_range_is_clamped", false, {150}, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChartCanvas, BlendingSectionOverAnEmptyRectangleSavesNothing) {
    TRecordingCanvas canvas;
    auto handle = canvas.BeginTransparency({5, 5, 5, 20}, 50);
    EXPECT_EQ(canvas.TransparencyLevel(), 50);
    canvas.EndTransparency(std::move(handle));
    EXPECT_TRUE(canvas.CallsOf("BeginTransparency").empty());
    EXPECT_TRUE(canvas.CallsOf("EndTransparency").empty());
    EXPECT_EQ(canvas.TransparencyLevel(), 0);
}

TEST(ChartCanvas, GuardsCloseTheirSections) {
    TRecordingCanvas canvas;
    {
        TClipGuard clip(canvas, {1, 2, 3, 4});
        TTransparencyGuard transparent(canvas, {0, 0, 8, 8}, 40);
        EXPECT_EQ(canvas.TransparencyLevel(), 40);
    }
    EXPECT_EQ(canvas.TransparencyLevel(), 0);
    std::vector<std::string> operations;
    for (const auto& call : canvas.Calls())
        operations.push_back(call.Operation);
    EXPECT_EQ(operations, (std::vector<std::string>{"ClipRectangle", "BeginTransparency",
                                                    "EndTransparency", "Unclip"}));
}

TEST(Canvas3D, BufferedFrameDrawsAtTheOrigin) {
    TRecordingCanvas canvas;
    TPaintTarget target;
    canvas.SetBackMode(cbmTransparent);
    EXPECT_EQ(canvas.BeginFrame(target, {10, 20, 110, 70}), (TRect{0, 0, 100, 50}));
    EXPECT_EQ(canvas.Bounds(), (TRect{0, 0, 100, 50}));
    EXPECT_EQ(canvas.BackMode(), cbmOpaque);
    canvas.EndFrame(target, {10, 20, 110, 70});
    canvas.SetBuffered(false);
    EXPECT_EQ(canvas.BeginFrame(target, {10, 20, 110, 70}), (TRect{10, 20, 110, 70}));
}

TEST(Canvas3D, BufferStaysValidUntilSomethingMakesItStale) {
    TRecordingCanvas canvas;
    TPaintTarget target;
    EXPECT_FALSE(canvas.BufferStillValid(target)) << "no frame drawn yet";
    canvas.BeginFrame(target, {0, 0, 10, 10});
    canvas.EndFrame(target, {0, 0, 10, 10});
    EXPECT_TRUE(canvas.BufferStillValid(target));
    EXPECT_EQ(canvas.CallsOf("CopyBuffer").size(), 1u);

    canvas.MarkBufferStale();
    EXPECT_FALSE(canvas.BufferStillValid(target));
    canvas.BeginFrame(target, {0, 0, 10, 10});
    canvas.EndFrame(target, {0, 0, 10, 10});
    canvas.SetMonochrome(true);
    EXPECT_FALSE(canvas.BufferStillValid(target)) << "monochrome changed";
    canvas.BeginFrame(target, {0, 0, 10, 10});
    canvas.EndFrame(target, {0, 0, 10, 10});
    canvas.SetBuffered(false);
    EXPECT_FALSE(canvas.BufferStillValid(target)) << "buffering switched off";
}

TEST(Canvas3D, GroupsNestAndIgnoreAnUnmatchedEnd) {
    TRecordingCanvas canvas;
    canvas.BeginGroup("Axes");
    canvas.BeginGroup("Grid");
    EXPECT_EQ(canvas.GroupDepth(), 2u);
    canvas.EndGroup();
    canvas.EndGroup();
    canvas.EndGroup();
    EXPECT_EQ(canvas.GroupDepth(), 0u);
    EXPECT_EQ(canvas.CallsOf("EndGroup").size(), 2u);
    EXPECT_EQ(canvas.CallsOf("BeginGroup")[1].Text, "Grid");
}

TEST(Canvas3D, ProjectionInTwoDimensionsLeavesPointsUnchanged) {
    TRecordingCanvas canvas;
    canvas.Projection({0, 0, 965, 518}, {100, 20, 900, 470});
    EXPECT_EQ(canvas.ProjectionPlot(), (TRect{100, 20, 900, 470}));
    EXPECT_EQ(canvas.Calculate3DPosition(12, 34, 99), (TPoint{12, 34}));
}

}  // namespace
}  // namespace twinscope
