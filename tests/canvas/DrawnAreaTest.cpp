// The canvas follows what it draws over a kept layer, so that the next frame lays back only
// there: every pixel a drawing writes must lie within what the canvas noted, however the pen,
// font, turn or transparency spread it.

#include "twinscope/chart/canvas/DrawnArea.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"
#include "twinscope/chart/canvas/qt/GDIPlusCanvas.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"

namespace twinscope {
namespace {

// Over a frame from (-10, 0) to (150, 100): tiles of 16 columns from its left edge.
struct AreaCase {
    const char* name;
    std::vector<TRect> added;
    std::vector<TRect> expected;
};

const std::vector<AreaCase> kAreaCases = {
    {"Nothing", {}, {}},
    {"ATileTakesTheRowsOfAllItsColumns", {{0, 10, 5, 20}, {2, 40, 4, 50}}, {{0, 10, 5, 50}}},
    {"AcrossTiles", {{20, 5, 30, 6}}, {{20, 5, 22, 6}, {22, 5, 30, 6}}},
    {"ApartInTheirTiles", {{-10, 0, -9, 3}, {140, 90, 141, 95}},
     {{-10, 0, -9, 3}, {140, 90, 141, 95}}},
    {"OutsideTheFrameLeftOut", {{-40, 10, -20, 20}, {100, 120, 110, 130}, {150, 0, 160, 5}}, {}},
    {"CutAtTheFrameAndEmptyLeftOut", {{-20, -5, -5, 3}, {40, 40, 40, 50}}, {{-10, 0, -5, 3}}},
};

class DrawnAreaTest : public testing::TestWithParam<AreaCase> {};

TEST_P(DrawnAreaTest, HoldsEveryPixelAddedInTheFrameByTiles) {
    const AreaCase& c = GetParam();
    const TRect frame{-10, 0, 150, 100};
    TDrawnArea area;
    area.Clear(frame);
    for (const TRect& r : c.added)
        area.Add(r);
    EXPECT_EQ(area.Rects(), c.expected);
    EXPECT_EQ(area.Empty(), c.expected.empty());
    area.Clear(frame);
    EXPECT_TRUE(area.Rects().empty());
}

INSTANTIATE_TEST_SUITE_P(, DrawnAreaTest, testing::ValuesIn(kAreaCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Drawings over a white layer, each reaching past its points in its own way.
struct DrawingCase {
    const char* name;
    std::function<void(TChartCanvas&)> draw;
};

const TFontData kBigFont{.Name = "DejaVu Sans", .SizeFloat = 20, .Style = fsBold | fsItalic};

const std::vector<DrawingCase> kDrawings = {
    {"WideSquareLine",
     [](TChartCanvas& c) {
         c.SetPen({.Width = 9, .EndStyle = esSquare});
         c.Line(40, 30, 90, 31);
     }},
    {"MitredPolyline",
     [](TChartCanvas& c) {
         c.SetPen({.Width = 7, .JoinStyle = jsMitter});
         const std::vector<TPoint> points{{30, 60}, {80, 50}, {30, 40}};
         c.Polyline(points);
     }},
    {"TurnedAndShadowedTexts",
     [](TChartCanvas& c) {
         TFontData font = kBigFont;
         c.SetFont(font);
         c.SetBackMode(cbmOpaque);
         c.SetBackColor(clBlue);
         c.TextOut(80, 60, "Wg", 90);
         c.TextOut(80, 60, "Wg", 200);
         font.Shadow = {.Visible = true, .Color = clRed, .HorizSize = -4, .VertSize = 5};
         c.SetFont(font);
         c.SetTextAlign(TA_RIGHT | TA_BOTTOM);
         c.TextOut(70, 50, "fy\nQ", 45);
     }},
    // Swapped edges are drawn by the aliased canvas as the rectangle they span (and not at all
    // by the smoothing one).
    {"WideShapes",
     [](TChartCanvas& c) {
         c.SetPen({.Width = 6});
         c.SetBrush({.Color = clRed});
         c.Ellipse({20, 20, 60, 50});
         c.RoundRect({70, 20, 110, 50}, 12, 12);
         c.Arc({20, 60, 70, 100}, {70, 80}, {20, 80});
         const std::vector<TPoint> points{{90, 60}, {130, 70}, {95, 100}};
         c.Polygon(points);
         c.Rectangle({155, 115, 135, 95});
     }},
    {"FillsAndBlend",
     [](TChartCanvas& c) {
         c.SetBrush({.Color = clGreen});
         c.FillRect({5, 5, 25, 25});
         c.GradientFill({30, 5, 60, 25}, {.Visible = true, .StartColor = clRed});
         TTransparencyHandle half = c.BeginTransparency({60, 60, 100, 100}, 50);
         c.FillRect({50, 50, 110, 110});
         c.EndTransparency(std::move(half));
     }},
};

struct CanvasKind {
    const char* name;
    std::function<std::unique_ptr<TCanvas3D>()> make;
    double pixelRatio;
};

const std::vector<CanvasKind> kCanvases = {
    {"GDI", [] { return std::make_unique<TChartCanvas3D>(); }, 1},
    {"GDIPlus", [] { return std::make_unique<TGDIPlusCanvas>(); }, 1},
    {"GDIPlusDense", [] { return std::make_unique<TGDIPlusCanvas>(); }, 2},
};

class FollowedDrawingTest
    : public testing::TestWithParam<std::tuple<CanvasKind, DrawingCase>> {};

TEST_P(FollowedDrawingTest, LayingBackWhatWasNotedLeavesTheLayer) {
    const auto& [kind, drawing] = GetParam();
    const TRect bounds{0, 0, 160, 120};
    QImage image(static_cast<int>(160 * kind.pixelRatio), static_cast<int>(120 * kind.pixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kind.pixelRatio);
    image.fill(Qt::white);
    const QImage layer = image.copy();
    QPainter painter(&image);
    TQtPaintTarget target(painter);
    const std::unique_ptr<TCanvas3D> canvas = kind.make();
    const int owner = 0;

    canvas->BeginFrame(target, bounds);
    canvas->SetBrush({.Color = clWhite});
    canvas->FillRect(bounds);
    ASSERT_TRUE(canvas->KeepLayer(&owner));
    drawing.draw(*canvas);
    canvas->EndFrame(target, bounds);
    ASSERT_FALSE(image == layer) << "the drawing drew nothing";

    canvas->BeginFrame(target, bounds);
    const std::vector<TRect> drawnOver{bounds};
    ASSERT_TRUE(canvas->RestoreLayer(&owner, drawnOver));
    canvas->EndFrame(target, bounds);
    EXPECT_EQ(canvas->LayersRestoredInPart(), 1u);
    EXPECT_TRUE(image == layer);
}

INSTANTIATE_TEST_SUITE_P(, FollowedDrawingTest,
                         testing::Combine(testing::ValuesIn(kCanvases), testing::ValuesIn(kDrawings)),
                         [](const auto& info) {
                             return std::string(std::get<1>(info.param).name) + "_" +
                                    std::get<0>(info.param).name;
                         });

}  // namespace
}  // namespace twinscope
