#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "tests/canvas/QtFrame.h"

namespace twinscope {
namespace {

using TGdiFrame = TQtFrame<TChartCanvas3D>;

TEST(ChartCanvas3D, LineStopsBeforeItsLastPixel) {
    TGdiFrame frame(12, 12);
    frame.canvas.SetPen({.Color = clBlack});
    frame.canvas.HorizLine(2, 8, 1);
    frame.canvas.HorizLine(8, 2, 3);
    frame.canvas.VertLine(10, 2, 6);
    frame.canvas.Line(0, 5, 6, 8);
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 1, 0, 12), "..######....");
    EXPECT_EQ(Row(image, 3, 0, 10), "...######.") << "drawn leftwards";
    EXPECT_EQ(Column(image, 10, 0, 8), "..####..");
    EXPECT_EQ(Row(image, 5, 0, 8), "##......");
    EXPECT_EQ(Row(image, 6, 0, 8), "..##....");
    EXPECT_EQ(Row(image, 7, 0, 8), "....##..");
    EXPECT_EQ(Row(image, 8, 0, 8), "........");
}

// Lines reaching far outside a 40 x 30 surface: the surface shows exactly the pixels that the
// same line shows in the middle of a surface large enough to hold all of it.
struct FarLineCase {
    const char* name;
    TPoint from, to;
    bool clipped;  // drawn inside a clip rectangle
};

class FarLineTest : public testing::TestWithParam<FarLineCase> {};

TEST_P(FarLineTest, KeepsThePixelsOfTheWholeLine) {
    const FarLineCase& c = GetParam();
    constexpr int shift = 400;
    const TRect clip{5, 4, 33, 26};
    TGdiFrame small(40, 30);
    TGdiFrame whole(2 * shift + 40, 2 * shift + 30);
    small.canvas.SetPen({.Color = clBlack});
    whole.canvas.SetPen({.Color = clBlack});
    if (c.clipped) {
        small.canvas.ClipRectangle(clip);
        whole.canvas.ClipRectangle(
            {clip.Left + shift, clip.Top + shift, clip.Right + shift, clip.Bottom + shift});
    }
    small.canvas.Line(c.from.X, c.from.Y, c.to.X, c.to.Y);
    whole.canvas.Line(c.from.X + shift, c.from.Y + shift, c.to.X + shift, c.to.Y + shift);
    const QImage& shown = small.Finish();
    const QImage expected = whole.Finish().copy(shift, shift, 40, 30);
    std::int32_t drawn = 0;
    for (int y = 0; y < 30; ++y) {
        const std::string row = Row(shown, y, 0, 40);
        EXPECT_EQ(row, Row(expected, y, 0, 40)) << "row " << y;
        drawn += static_cast<std::int32_t>(std::count(row.begin(), row.end(), '#'));
    }
    EXPECT_EQ(drawn > 0, std::string(c.name) != "MissingTheClip");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FarLineTest,
    testing::Values(FarLineCase{"ShallowFromFarLeft", {-397, -3}, {45, 20}, false},
                    FarLineCase{"ShallowLeftwardsPastBothEdges", {390, 29}, {-390, 2}, false},
                    FarLineCase{"SteepFromFarAbove", {-7, -390}, {31, 25}, false},
                    FarLineCase{"SteepUpwardsPastBothEdges", {30, 395}, {3, -395}, false},
                    FarLineCase{"DiagonalThroughACorner", {-300, -320}, {300, 280}, false},
                    FarLineCase{"HorizontalThroughTheClip", {-399, 10}, {399, 10}, true},
                    FarLineCase{"ShallowThroughTheClip", {-399, 0}, {399, 30}, true},
                    FarLineCase{"SteepThroughTheClip", {0, 399}, {39, -399}, true},
                    FarLineCase{"MissingTheClip", {-399, 1}, {399, 2}, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Lines go straight into the buffer while the clip is one rectangle: a clip of another shape,
// and each Unclip, hands them back to the clip then in force.
TEST(ChartCanvas3D, WrittenLinesFollowNestedClips) {
    TGdiFrame frame(12, 12);
    frame.canvas.SetPen({.Color = clBlack});
    frame.canvas.ClipRectangle({2, 0, 10, 12});
    frame.canvas.ClipRectangle({0, 0, 6, 12});
    frame.canvas.HorizLine(0, 12, 2);
    frame.canvas.Unclip();
    frame.canvas.ClipEllipse({0, 0, 12, 12}, true);
    frame.canvas.HorizLine(0, 12, 6);
    frame.canvas.HorizLine(0, 12, 0);
    frame.canvas.Unclip();
    frame.canvas.VertLine(1, 0, 12);
    frame.canvas.HorizLine(0, 12, 8);
    frame.canvas.Unclip();
    frame.canvas.HorizLine(0, 12, 11);
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 2, 0, 12), "..####......") << "two rectangles";
    EXPECT_EQ(Row(image, 6, 0, 12), "............") << "outside an ellipse";
    EXPECT_EQ(Row(image, 0, 0, 12), "..##....##..") << "outside an ellipse";
    EXPECT_EQ(Column(image, 1, 0, 11), "...........") << "back in the rectangle";
    EXPECT_EQ(Row(image, 8, 0, 12), "..########..") << "back in the rectangle";
    EXPECT_EQ(Row(image, 11, 0, 12), "############") << "no clip";
}

TEST(ChartCanvas3D, LineAcrossTheWholeCoordinateRangeDrawsItsVisiblePart) {
    // Slope 2 / 2^31: every visible pixel lies one step down from the start row.
    TGdiFrame frame(40, 30);
    frame.canvas.SetPen({.Color = clBlack});
    frame.canvas.Line(-1073741824, 10, 1073741824, 12);
    frame.canvas.Line(INT32_MIN + 1, 20, INT32_MAX, 20);
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 10, 0, 40), std::string(40, '.'));
    EXPECT_EQ(Row(image, 11, 0, 40), std::string(40, '#'));
    EXPECT_EQ(Row(image, 12, 0, 40), std::string(40, '.'));
    EXPECT_EQ(Row(image, 20, 0, 40), std::string(40, '#'));
}

TEST(ChartCanvas3D, PolylineDrawsEveryJointOnce) {
    TGdiFrame frame(10, 6);
    frame.canvas.SetPen({.Color = clWhite, .Mode = pmXor});
    const TPoint points[] = {{1, 1}, {6, 1}, {6, 4}, {2, 4}};
    frame.canvas.Polyline(points);
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 1, 0, 10), ".######...");
    EXPECT_EQ(Column(image, 6, 0, 6), ".####.");
    EXPECT_EQ(Row(image, 4, 0, 10), "...####...");
}

TEST(ChartCanvas3D, RectangleFrameCoversLeftToRightMinusOne) {
    TGdiFrame frame(10, 9);
    frame.canvas.SetPen({.Color = clBlack});
    frame.canvas.Rectangle({2, 2, 8, 7});
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 2, 0, 10), "..######..");
    EXPECT_EQ(Row(image, 4, 0, 10), "..#rrrr#..");
    EXPECT_EQ(Row(image, 6, 0, 10), "..######..");
    EXPECT_EQ(Row(image, 7, 0, 10), "..........");
}

TEST(ChartCanvas3D, ShapeWithoutPenIsFilledOnePixelSmaller) {
    TGdiFrame frame(10, 9);
    frame.canvas.SetPen({.Style = psClear});
    frame.canvas.Rectangle({2, 2, 8, 7});
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 2, 0, 10), "..rrrrr...");
    EXPECT_EQ(Row(image, 5, 0, 10), "..rrrrr...");
    EXPECT_EQ(Row(image, 6, 0, 10), "..........");
}

TEST(ChartCanvas3D, XorPenDrawnTwiceRestoresThePixels) {
    TGdiFrame frame(12, 12);
    frame.canvas.SetPen({.Color = clWhite, .Mode = pmXor});
    frame.canvas.SetBrushStyle(bsClear);
    frame.canvas.HorizLine(0, 10, 0);
    frame.canvas.Rectangle({1, 2, 11, 11});
    QImage once = frame.canvas.Buffer().copy();
    EXPECT_EQ(Row(once, 0, 0, 12), "##########..");
    EXPECT_EQ(Row(once, 2, 0, 12), ".##########.");
    EXPECT_EQ(Row(once, 5, 0, 12), ".#........#.");

    frame.canvas.HorizLine(0, 10, 0);
    frame.canvas.Rectangle({1, 2, 11, 11});
    frame.canvas.SetPenWidth(3);
    frame.canvas.Rectangle({3, 3, 10, 10});
    frame.canvas.Rectangle({3, 3, 10, 10});
    frame.canvas.SetPen({.Color = clBlack, .Mode = pmNotXor});
    frame.canvas.Line(0, 11, 12, 11);
    frame.canvas.Line(0, 11, 12, 11);
    const QImage& image = frame.Finish();
    for (int y = 0; y < 12; ++y)
        EXPECT_EQ(Row(image, y, 0, 12), "............") << "row " << y;
}

TEST(ChartCanvas3D, NestedHalfTransparentSectionsShowAQuarter) {
    TGdiFrame frame(10, 10);
    frame.canvas.SetBrush({.Color = clBlack});
    {
        TTransparencyGuard outer(frame.canvas, {0, 0, 10, 10}, 50);
        TTransparencyGuard inner(frame.canvas, {0, 0, 5, 10}, 50);
        EXPECT_EQ(frame.canvas.TransparencyLevel(), 75);
        frame.canvas.FillRect({0, 0, 10, 10});
    }
    EXPECT_EQ(frame.canvas.TransparencyLevel(), 0);
    const QImage& image = frame.Finish();
    EXPECT_NEAR(qRed(image.pixel(2, 5)), 191, 1) << "inside both sections";
    EXPECT_NEAR(qRed(image.pixel(7, 5)), 128, 1) << "inside the outer section only";
    EXPECT_EQ(qAlpha(image.pixel(2, 5)), 255);
}

TEST(ChartCanvas3D, TransparencyOfNothingAndOfEverything) {
    TGdiFrame frame(10, 10);
    frame.canvas.SetBrush({.Color = clBlack});
    {
        TTransparencyGuard hidden(frame.canvas, {0, 0, 5, 10}, 100);
        frame.canvas.FillRect({0, 0, 5, 10});
    }
    {
        TTransparencyGuard empty(frame.canvas, {5, 5, 5, 10}, 100);
        frame.canvas.FillRect({5, 0, 10, 10});
    }
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 5, 0, 10), ".....#####");
}

TEST(ChartCanvas3D, TransparencyOnAHighDensityBuffer) {
    TGdiFrame frame(10, 10, 2.0);
    frame.canvas.SetBrush({.Color = clBlack});
    {
        TTransparencyGuard half(frame.canvas, {2, 2, 6, 6}, 50);
        frame.canvas.FillRect({0, 0, 10, 10});
    }
    const QImage& buffer = frame.canvas.Buffer();
    EXPECT_NEAR(qRed(buffer.pixel(4, 4)), 128, 1);
    EXPECT_NEAR(qRed(buffer.pixel(11, 11)), 128, 1);
    EXPECT_EQ(buffer.pixel(3, 3), kBlack);
    EXPECT_EQ(buffer.pixel(12, 12), kBlack);
}

// A section at `percent` keeps that share of each channel under it and shows the rest of what
// was drawn, rounded half up: (under x percent + drawn x (100 - percent) + 50) / 100.
struct BlendCase {
    const char* name;
    std::int32_t percent;
    QRgb under, drawn, expected;
};

class BlendTest : public testing::TestWithParam<BlendCase> {};

TEST_P(BlendTest, EachChannelMixesRoundedHalfUp) {
    const BlendCase& c = GetParam();
    auto color = [](QRgb rgb) {
        return static_cast<TColor>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16);
    };
    TGdiFrame frame(6, 4);
    frame.canvas.SetBrush({.Color = color(c.under)});
    frame.canvas.FillRect({0, 0, 6, 4});
    frame.canvas.SetBrush({.Color = color(c.drawn)});
    {
        TTransparencyGuard section(frame.canvas, {1, 1, 5, 3}, c.percent);
        frame.canvas.FillRect({0, 0, 6, 4});
    }
    const QImage& image = frame.Finish();
    EXPECT_EQ(image.pixel(1, 1), c.expected);
    EXPECT_EQ(image.pixel(4, 2), c.expected);
    EXPECT_EQ(image.pixel(5, 3), c.drawn) << "outside the section";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, BlendTest,
    testing::Values(
        BlendCase{"HalfOfBlackOverWhiteRoundsUp", 50, 0xFFFFFFFF, 0xFF000000, 0xFF808080},
        BlendCase{"AThirdKeptOverWhite", 33, 0xFFFFFFFF, 0xFF10C863, 0xFF5FDA96},
        BlendCase{"MostKeptOverAColour", 70, 0xFF0A141E, 0xFFFA0580, 0xFF52103B},
        BlendCase{"NothingKeptShowsTheDrawing", 0, 0xFFFFFFFF, 0xFF10C863, 0xFF10C863}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ChartCanvas3D, DescribesItself) {
    TChartCanvas3D canvas;
    EXPECT_EQ(canvas.Description(), "GDI");
    EXPECT_FALSE(canvas.NativeTransparency());
    EXPECT_EQ(canvas.TextQuality(), fqBest);
    EXPECT_TRUE(canvas.Buffer().isNull());
}

}  // namespace
}  // namespace twinscope
