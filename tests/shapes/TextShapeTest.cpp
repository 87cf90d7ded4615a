#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "tests/support/Printers.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {

// With the recording canvas, a character of an 8-point font is 6 pixels wide and a line is 12
// pixels high.
struct ShapeSizeCase {
    const char* name;
    const char* text;
    bool transparent;
    bool frameVisible;
    std::int32_t frameWidth;
    std::int32_t margins[4];  // left, top, right, bottom
    TSize expected;
};

class TextShapeSizeTest : public ::testing::TestWithParam<ShapeSizeCase> {};

TEST_P(TextShapeSizeTest, FitsTheTextPlusFrameAndMargins) {
    const ShapeSizeCase& c = GetParam();
    TTextShape shape({});
    shape.SetTransparent(c.transparent);
    shape.Frame().SetVisible(c.frameVisible);
    shape.Frame().SetWidth(c.frameWidth);
    shape.Margins().SetLeft(c.margins[0]);
    shape.Margins().SetTop(c.margins[1]);
    shape.Margins().SetRight(c.margins[2]);
    shape.Margins().SetBottom(c.margins[3]);
    TRecordingCanvas canvas;
    EXPECT_EQ(TextShapeSize(canvas, shape, c.text), c.expected);
    EXPECT_EQ(canvas.Font(), shape.Font().Data());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextShapeSizeTest,
    ::testing::Values(
        ShapeSizeCase{"OneLine", "TChart", true, true, 1, {2, 3, 4, 5}, {36, 12}},
        ShapeSizeCase{"WidestLineBySumOfHeights", "ab\rcdef", true, true, 1, {}, {24, 24}},
        ShapeSizeCase{"CarriageReturnLineFeedIsOneBreak", "ab\r\ncd", true, true, 1, {}, {12, 24}},
        ShapeSizeCase{"LineFeedAloneIsDropped", "ab\ncd", true, true, 1, {}, {24, 12}},
        ShapeSizeCase{"EmptyTextIsOneSpace", "", true, true, 1, {}, {6, 12}},
        ShapeSizeCase{
            "OpaqueAddsFrameAndMargins", "TChart", false, true, 1, {2, 3, 4, 5}, {44, 22}},
        ShapeSizeCase{"WideFrame", "TChart", false, true, 3, {}, {40, 16}},
        ShapeSizeCase{"HiddenFrameAddsNothing", "TChart", false, false, 3, {1, 1, 1, 1}, {38, 14}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShapeTextCase {
    const char* name;
    TAlignment alignment;
    bool transparent;
    TTextAlign flags;
    std::vector<TPoint> anchors;
};

class TextShapeDrawingTest : public ::testing::TestWithParam<ShapeTextCase> {};

// A box of (100, 50, 160, 80) with two lines; margins 2 left, 3 top, 4 right, 5 bottom and a
// visible 1-pixel frame, which keeps the text 1 pixel further in when the shape is opaque.
TEST_P(TextShapeDrawingTest, LinesArePlacedByAlignmentFromTheTop) {
    const ShapeTextCase& c = GetParam();
    TTextShape shape({});
    shape.SetTextAlignment(c.alignment);
    shape.SetTransparent(c.transparent);
    shape.Margins().SetLeft(2);
    shape.Margins().SetTop(3);
    shape.Margins().SetRight(4);
    shape.Margins().SetBottom(5);
    TRecordingCanvas canvas;
    DrawTextShape(canvas, shape, {100, 50, 160, 80}, "one\r\nsecond");
    std::vector<TPoint> anchors;
    for (const TRecordedCall& call : canvas.CallsOf("TextOut")) {
        anchors.push_back(call.Points[0]);
        EXPECT_EQ(call.TextAlign, c.flags | TA_TOP);
        EXPECT_EQ(call.BackMode, cbmTransparent);
    }
    EXPECT_EQ(anchors, c.anchors);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextShapeDrawingTest,
    ::testing::Values(
        ShapeTextCase{"TransparentCentred", taCenter, true, TA_CENTER, {{130, 50}, {130, 62}}},
        ShapeTextCase{"TransparentLeft", taLeftJustify, true, TA_LEFT, {{100, 50}, {100, 62}}},
        ShapeTextCase{"TransparentRight", taRightJustify, true, TA_RIGHT, {{160, 50}, {160, 62}}},
        ShapeTextCase{"OpaqueCentred", taCenter, false, TA_CENTER, {{129, 54}, {129, 66}}},
        ShapeTextCase{"OpaqueLeft", taLeftJustify, false, TA_LEFT, {{103, 54}, {103, 66}}},
        ShapeTextCase{"OpaqueRight", taRightJustify, false, TA_RIGHT, {{155, 54}, {155, 66}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextShapeBoxTest, ATransparentShapeOnlyClearsTheBrush) {
    TTextShape shape({});
    shape.SetTransparent(true);
    shape.SetShadow({.Visible = true, .HorizSize = 3, .VertSize = 3});
    TRecordingCanvas canvas;
    DrawTextShape(canvas, shape, {0, 0, 40, 20}, "x");
    EXPECT_EQ(canvas.CallsOf("TextOut").size(), 1u);
    EXPECT_EQ(canvas.CallsOf("TextOut")[0].Brush.Style, bsClear);
    EXPECT_EQ(canvas.CallsOf("TextOut").size() + canvas.CallsOf("TextExtent").size(),
              canvas.Calls().size());
}

TEST(TextShapeBoxTest, AnOpaqueShapeDrawsShadowThenFilledFrameThenBevel) {
    TTextShape shape({});
    shape.SetColor(clSilver);
    shape.Frame().SetColor(clRed);
    shape.SetShadow(
        {.Visible = true, .Color = clBlack, .HorizSize = 3, .VertSize = 2, .Transparency = 50});
    shape.SetBevel(bvRaised);
    TRecordingCanvas canvas;
    DrawShapeBox(canvas, shape, {10, 20, 50, 40});

    std::vector<std::string> operations;
    for (const TRecordedCall& call : canvas.Calls())
        operations.push_back(call.Operation);
    EXPECT_EQ(operations,
              (std::vector<std::string>{"BeginTransparency", "Rectangle", "EndTransparency",
                                        "Rectangle", "Polyline", "Polyline"}));
    const auto rects = canvas.CallsOf("Rectangle");
    EXPECT_EQ(rects[0].Rect, (TRect{13, 22, 53, 42}));
    EXPECT_EQ(rects[0].Brush.Color, clBlack);
    EXPECT_EQ(rects[0].Pen.Style, psClear);
    EXPECT_EQ(canvas.CallsOf("BeginTransparency")[0].Percent, 50);
    EXPECT_EQ(rects[1].Rect, (TRect{10, 20, 50, 40}));
    EXPECT_EQ(rects[1].Brush.Color, clSilver);
    EXPECT_EQ(rects[1].Pen.Color, clRed);
    EXPECT_EQ(canvas.CallsOf("Polyline")[0].Pen.Color, clWhite);
}

TEST(TextShapeBoxTest, ShapeStylesDrawTheirOutline) {
    TTextShape shape({});
    shape.SetShapeStyle(fosRoundRectangle);
    shape.SetRoundSize(8);
    TRecordingCanvas canvas;
    DrawShapeBox(canvas, shape, {0, 0, 40, 20});
    ASSERT_EQ(canvas.CallsOf("RoundRect").size(), 1u);
    EXPECT_EQ(canvas.CallsOf("RoundRect")[0].Corner, (TSize{8, 8}));

    shape.SetShapeStyle(fosEllipse);
    DrawShapeBox(canvas, shape, {0, 0, 40, 20});
    EXPECT_EQ(canvas.CallsOf("Ellipse").size(), 1u);
}

TEST(TextShapeTest, MarginChangesCallTheOwnerBack) {
    int changes = 0;
    TTextShape shape([&] { ++changes; });
    shape.Margins().SetBottom(10);
    shape.Margins().SetBottom(10);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(shape.Margins().Bottom(), 10);
}

// A turned shape is laid out upright in its box and turned about the box's centre: "TChart"
// (36 x 12) centred in (100, 100, 136, 112) keeps its middle at (118, 106) at every angle.
struct TurnedCase {
    const char* name;
    std::int32_t angle;
    TPoint anchor;
    double textAngle;
};

class TurnedTextShapeTest : public ::testing::TestWithParam<TurnedCase> {};

TEST_P(TurnedTextShapeTest, TurnsTheTextAboutTheBoxCentre) {
    const TurnedCase& c = GetParam();
    TRecordingCanvas canvas;
    TTextShape shape([] {});
    shape.SetTransparent(true);
    DrawTextShape(canvas, shape, {100, 100, 136, 112}, "TChart", c.angle);
    const auto texts = canvas.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Points.at(0), c.anchor);
    EXPECT_EQ(texts[0].Angle, c.textAngle);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TurnedTextShapeTest,
    ::testing::Values(TurnedCase{"Upright", 0, {118, 100}, 0},
                      // Reads upwards with its top to the left, from x 112 to 124.
                      TurnedCase{"Upwards", 90, {112, 106}, 90},
                      TurnedCase{"Downwards", 270, {124, 106}, 270},
                      TurnedCase{"UpsideDown", 180, {118, 112}, 180},
                      TurnedCase{"NegativeAngleTurnsClockwise", -90, {124, 106}, 270}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
