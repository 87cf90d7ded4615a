#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"

#include <gtest/gtest.h>

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

TEST(ChartCanvas3D, DescribesItself) {
    TChartCanvas3D canvas;
    EXPECT_EQ(canvas.Description(), "GDI");
    EXPECT_FALSE(canvas.NativeTransparency());
    EXPECT_EQ(canvas.TextQuality(), fqBest);
    EXPECT_TRUE(canvas.Buffer().isNull());
}

}  // namespace
}  // namespace twinscope
