// Draws one sheet of every canvas operation on each backend and writes it as a PNG into the
// build tree (<build>/canvas-sheets/gdi.png and gdiplus.png), for a person to look at.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"
#include "twinscope/chart/canvas/qt/GDIPlusCanvas.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"

namespace twinscope {
namespace {

constexpr int kCellWidth = 150;
constexpr int kCellHeight = 110;
constexpr int kColumns = 5;

using TCellDrawing = std::function<void(TCanvas3D&, int x, int y)>;

struct TCell {
    const char* title;
    TCellDrawing draw;
};

void Reset(TCanvas3D& canvas) {
    canvas.SetPen({});
    canvas.SetBrush({});
    canvas.SetFont(TFontData{});
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    canvas.SetBackMode(cbmTransparent);
}

std::vector<TCell> Cells() {
    const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal,
                                   bsBDiagonal,  bsCross,    bsDiagCross};
    return {
        {"Lines 1 px",
         [](TCanvas3D& c, int x, int y) {
             c.HorizLine(x, x + 120, y);
             c.VertLine(x, y, y + 70);
             c.Line(x + 10, y + 70, x + 120, y + 10);
             c.MoveTo(x + 20, y + 20);
             c.LineTo(x + 60, y + 60);
             c.LineTo(x + 100, y + 20);
         }},
        {"Pen styles",
         [styles](TCanvas3D& c, int x, int y) {
             for (int i = 0; i < 5; ++i) {
                 c.SetPen({.Color = clBlue, .Style = styles[i]});
                 c.HorizLine(x, x + 120, y + 4 + i * 10);
             }
             c.SetPen({.Color = clGreen, .SmallDots = true, .SmallSpace = 2});
             c.HorizLine(x, x + 120, y + 56);
             c.SetPen({.Color = clRed, .Width = 3, .Style = psDash});
             c.HorizLine(x, x + 120, y + 68);
         }},
        {"Wide pens and caps",
         [](TCanvas3D& c, int x, int y) {
             const TPenEndStyle ends[] = {esRound, esSquare, esFlat};
             for (int i = 0; i < 3; ++i) {
                 c.SetPen({.Color = 0x008080, .Width = 9, .EndStyle = ends[i]});
                 c.HorizLine(x + 10, x + 110, y + 10 + i * 18);
             }
             c.SetPen({.Color = clRed, .Width = 5, .Fill = TBrushData{.Color = clBlue}});
             c.Line(x + 10, y + 70, x + 110, y + 60);
         }},
        {"Polyline, polygon",
         [](TCanvas3D& c, int x, int y) {
             const TPoint zigzag[] = {
                 {x, y + 30}, {x + 20, y}, {x + 40, y + 30}, {x + 60, y}, {x + 80, y + 30}};
             c.SetPen({.Color = clBlue, .Width = 3, .JoinStyle = jsMitter});
             c.Polyline(zigzag);
             const TPoint star[] = {{x + 100, y + 35},
                                    {x + 112, y + 75},
                                    {x + 80, y + 50},
                                    {x + 120, y + 50},
                                    {x + 88, y + 75}};
             c.SetPen({.Color = clBlack});
             c.SetBrush({.Color = 0x00C0FF});
             c.Polygon(star);
             const TPoint triangle[] = {{x, y + 75}, {x + 30, y + 40}, {x + 60, y + 75}};
             c.SetBrush({.Color = clGreen});
             c.Polygon(triangle);
         }},
        {"Rectangles",
         [](TCanvas3D& c, int x, int y) {
             c.SetBrush({.Color = 0xFFC080});
             c.Rectangle({x, y, x + 35, y + 35});
             c.SetPen({.Color = clRed, .Width = 3});
             c.Rectangle({x + 45, y, x + 80, y + 35});
             c.SetPen({.Style = psClear});
             c.Rectangle({x + 90, y, x + 125, y + 35});
             c.SetPen({.Color = clBlue});
             c.SetBrushStyle(bsClear);
             c.Rectangle({x, y + 45, x + 35, y + 75});
             c.SetBrush({.Color = clSilver});
             c.RoundRect({x + 45, y + 45, x + 125, y + 75}, 16, 16);
         }},
        {"Ellipse, arc",
         [](TCanvas3D& c, int x, int y) {
             c.SetPen({.Color = clBlack, .Width = 2});
             c.SetBrush({.Color = 0x80FF80});
             c.Ellipse({x, y, x + 70, y + 50});
             c.SetPen({.Color = clRed, .Width = 3});
             c.Arc({x + 70, y + 10, x + 125, y + 75}, {x + 125, y + 42}, {x + 97, y + 10});
             c.SetPen({.Style = psClear});
             c.SetBrush({.Color = clBlue});
             c.Ellipse({x + 10, y + 55, x + 30, y + 75});
         }},
        {"FillRect, hatches",
         [hatches](TCanvas3D& c, int x, int y) {
             c.SetBrush({.Color = clRed});
             c.FillRect({x, y, x + 120, y + 15});
             for (int i = 0; i < 6; ++i) {
                 c.SetBrush({.Color = clBlue, .Style = hatches[i], .BackColor = 0xE0FFFF});
                 c.SetBackMode(i % 2 ? cbmOpaque : cbmTransparent);
                 c.SetBackColor(0xE0FFFF);
                 c.FillRect({x + i * 20, y + 20, x + i * 20 + 18, y + 45});
             }
             c.SetBrush({.Color = clWhite, .Style = bsClear});
             c.FillRect({x, y + 50, x + 120, y + 75});
         }},
        {"Gradients",
         [](TCanvas3D& c, int x, int y) {
             c.GradientFill({x, y, x + 55, y + 75}, {.Visible = true,
                                                     .StartColor = clWhite,
                                                     .EndColor = clBlue,
                                                     .Direction = gdTopBottom});
             c.GradientFill({x + 65, y, x + 120, y + 75}, {.Visible = true,
                                                           .StartColor = clRed,
                                                           .EndColor = 0x00FFFF,
                                                           .Direction = gdLeftRight});
         }},
        {"Text",
         [](TCanvas3D& c, int x, int y) {
             c.TextOut(x, y, "Arial 8 TChart");
             c.SetFont(TFontData{.SizeFloat = 12, .Color = clBlue, .Style = fsBold | fsItalic});
             c.TextOut(x, y + 16, "Bold italic");
             c.SetFont(TFontData{.SizeFloat = 10, .Style = fsUnderline | fsStrikeOut});
             c.TextOut(x, y + 38, "Under, struck");
             c.SetFont(TFontData{.SizeFloat = 20, .Color = clRed});
             c.TextOut(x, y + 55, "20 pt °C");
         }},
        {"Text alignment",
         [](TCanvas3D& c, int x, int y) {
             c.SetPen({.Color = clSilver});
             c.VertLine(x + 60, y, y + 75);
             c.HorizLine(x, x + 125, y + 40);
             c.SetTextAlign(TA_LEFT | TA_TOP);
             c.TextOut(x + 60, y, "left top");
             c.SetTextAlign(TA_RIGHT | TA_TOP);
             c.TextOut(x + 60, y + 14, "right top");
             c.SetTextAlign(TA_CENTER | TA_BOTTOM);
             c.TextOut(x + 60, y + 40, "centre bottom");
             c.SetTextAlign(TA_RIGHT | TA_BOTTOM);
             c.TextOut(x + 60, y + 70, "right bottom");
         }},
        {"Rotated text",
         [](TCanvas3D& c, int x, int y) {
             c.SetFont(TFontData{.SizeFloat = 9});
             c.TextOut(x, y + 75, "90 degrees", 90);
             c.TextOut(x + 20, y + 75, "45 degrees", 45);
             c.TextOut(x + 85, y, "270 degrees", 270);
             c.TextOut(x + 105, y + 75, "450 = 90", 450);
         }},
        {"Text effects",
         [](TCanvas3D& c, int x, int y) {
             c.SetFont(TFontData{.SizeFloat = 14,
                                 .Color = clBlue,
                                 .Shadow = {.Visible = true, .HorizSize = 2, .VertSize = 2}});
             c.TextOut(x, y, "Shadow");
             c.SetFont(TFontData{
                 .SizeFloat = 14,
                 .Color = clWhite,
                 .Emboss = {.Visible = true, .Color = clBlack, .HorizSize = -1, .VertSize = -1}});
             c.TextOut(x, y + 25, "Emboss");
             c.SetFont(TFontData{
                 .SizeFloat = 16, .Color = 0x00FFFF, .OutLine = {.Visible = true, .Color = clRed}});
             c.TextOut(x, y + 48, "Outline");
             c.SetBrush({.Color = 0xC0FFC0});
             c.SetBackMode(cbmOpaque);
             c.SetBackColor(0xC0FFC0);
             c.SetFont(TFontData{});
             c.TextOut(x + 80, y + 5, "opaque");
         }},
        {"Clipping",
         [](TCanvas3D& c, int x, int y) {
             c.SetBrush({.Color = clBlue});
             c.ClipEllipse({x, y, x + 60, y + 60});
             c.ClipRectangle({x, y + 10, x + 60, y + 50});
             c.FillRect({x, y, x + 60, y + 75});
             c.Unclip();
             c.Unclip();
             c.SetBrush({.Color = clRed});
             c.ClipEllipse({x + 70, y + 10, x + 120, y + 60}, true);
             c.FillRect({x + 65, y + 5, x + 125, y + 65});
             c.Unclip();
         }},
        {"Transparency 50 %",
         [](TCanvas3D& c, int x, int y) {
             c.SetBrush({.Color = clRed});
             c.FillRect({x, y, x + 60, y + 60});
             TTransparencyGuard half(c, {x + 30, y + 15, x + 110, y + 75}, 50);
             c.SetBrush({.Color = clBlue});
             c.SetPen({.Style = psClear});
             c.Rectangle({x + 30, y + 15, x + 110, y + 75});
             TTransparencyGuard inner(c, {x + 60, y + 40, x + 125, y + 70}, 50);
             c.SetBrush({.Color = clGreen});
             c.FillRect({x + 60, y + 40, x + 125, y + 70});
         }},
        {"XOR pen",
         [](TCanvas3D& c, int x, int y) {
             c.SetBrush({.Color = 0x404040});
             c.FillRect({x, y, x + 60, y + 75});
             c.SetBrushStyle(bsClear);
             c.SetPen({.Color = clWhite, .Width = 3, .Mode = pmXor});
             c.Rectangle({x + 20, y + 10, x + 110, y + 60});
             c.SetPen({.Color = clWhite, .Mode = pmXor});
             c.Line(x, y + 70, x + 120, y + 70);
         }},
    };
}

QImage DrawSheet(TCanvas3D& canvas) {
    const std::vector<TCell> cells = Cells();
    const int rows = static_cast<int>((cells.size() + kColumns - 1) / kColumns);
    const TRect bounds{0, 0, kColumns * kCellWidth, rows * kCellHeight};
    QImage sheet(bounds.Right, bounds.Bottom, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&sheet);
    TQtPaintTarget target(painter);
    canvas.BeginFrame(target, bounds);
    canvas.SetBrush({.Color = clBtnFace});
    canvas.FillRect(bounds);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int x = static_cast<int>(i % kColumns) * kCellWidth;
        const int y = static_cast<int>(i / kColumns) * kCellHeight;
        Reset(canvas);
        canvas.SetPen({.Color = clGray});
        canvas.SetBrush({.Color = clWhite});
        canvas.Rectangle({x + 4, y + 4, x + kCellWidth - 4, y + kCellHeight - 4});
        canvas.TextOut(x + 10, y + 8, cells[i].title);
        Reset(canvas);
        canvas.BeginGroup(cells[i].title);
        cells[i].draw(canvas, x + 12, y + 26);
        canvas.EndGroup();
    }
    canvas.EndFrame(target, bounds);
    painter.end();
    return sheet;
}

int DistinctColours(const QImage& image) {
    std::vector<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3)
            colours.push_back(image.pixel(x, y));
    }
    std::sort(colours.begin(), colours.end());
    return static_cast<int>(std::unique(colours.begin(), colours.end()) - colours.begin());
}

template <typename Canvas>
class CanvasSheetTest : public ::testing::Test {};

using Backends = ::testing::Types<TChartCanvas3D, TGDIPlusCanvas>;
TYPED_TEST_SUITE(CanvasSheetTest, Backends);

TYPED_TEST(CanvasSheetTest, WritesASheetOfEveryOperation) {
    TypeParam canvas;
    const QImage sheet = DrawSheet(canvas);
    EXPECT_EQ(canvas.GroupDepth(), 0u);
    EXPECT_GT(DistinctColours(sheet), 20);

    const QDir dir(QCoreApplication::applicationDirPath() + "/../canvas-sheets");
    ASSERT_TRUE(dir.mkpath("."));
    const QString name = canvas.Description() == "GDI" ? "gdi.png" : "gdiplus.png";
    EXPECT_TRUE(sheet.save(dir.filePath(name)));
}

}  // namespace
}  // namespace twinscope
