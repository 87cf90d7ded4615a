#include "twinscope/chart/canvas/qt/GDIPlusCanvas.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "tests/canvas/QtFrame.h"

namespace twinscope {
namespace {

using TPlusFrame = TQtFrame<TGDIPlusCanvas>;

struct TAlphaCase {
    std::int32_t percent;
    std::int32_t alpha;
};

class GDIPlusTransparencyTest : public ::testing::TestWithParam<TAlphaCase> {};

TEST_P(GDIPlusTransparencyTest, SectionLowersTheAlphaOfWhatIsDrawn) {
    TPlusFrame frame(10, 10);
    frame.canvas.SetBrush({.Color = clBlack});
    frame.canvas.SetPen({.Color = clBlack, .Width = 3});
    {
        TTransparencyGuard section(frame.canvas, {}, GetParam().percent);
        EXPECT_EQ(frame.canvas.TransparencyLevel(), GetParam().alpha);
        frame.canvas.FillRect({0, 0, 5, 10});
        frame.canvas.Line(5, 5, 10, 5);
    }
    EXPECT_EQ(frame.canvas.TransparencyLevel(), 255);
    const QImage& image = frame.Finish();
    EXPECT_NEAR(qRed(image.pixel(2, 2)), 255 - GetParam().alpha, 1);
    EXPECT_NEAR(qRed(image.pixel(7, 5)), 255 - GetParam().alpha, 1);
}

INSTANTIATE_TEST_SUITE_P(Percents, GDIPlusTransparencyTest,
                         ::testing::Values(TAlphaCase{100, 0}, TAlphaCase{50, 128},
                                           TAlphaCase{25, 191}, TAlphaCase{75, 64}),
                         [](const auto& info) { return std::to_string(info.param.percent); });

TEST(GDIPlusCanvas, ColourHighByteLowersTheAlpha) {
    TGDIPlusCanvas canvas;
    EXPECT_EQ(canvas.PlusColor(0x400000FF), QColor(255, 0, 0, 255 - 0x40));
    EXPECT_EQ(canvas.PlusColor(clBtnFace), QColor(0xF0, 0xF0, 0xF0, 255));
    EXPECT_EQ(canvas.PlusColor(clNone).alpha(), 0);
}

TEST(GDIPlusCanvas, WidePenRectangleIsFilledInsideItsOutline) {
    TPlusFrame frame(40, 40);
    frame.canvas.SetPen({.Color = clRed, .Width = 3, .JoinStyle = jsMitter});
    frame.canvas.SetBrush({.Color = clBlue});
    frame.canvas.Rectangle({10, 10, 30, 30});
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 20, 7, 33), "..rrrbbbbbbbbbbbbbbbbrrr..");
    EXPECT_EQ(Column(image, 20, 7, 33), "..rrrbbbbbbbbbbbbbbbbrrr..");
}

TEST(GDIPlusCanvas, OnePixelLineCoversExactlyItsRow) {
    TPlusFrame frame(12, 10);
    frame.canvas.SetPen({.Color = clBlack});
    frame.canvas.Line(1, 5, 11, 5);
    frame.canvas.VertLine(9, 0, 3);
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 4, 2, 10), "........");
    EXPECT_EQ(Row(image, 5, 2, 10), "########");
    EXPECT_EQ(Row(image, 6, 2, 10), "........");
    EXPECT_EQ(Row(image, 1, 8, 11), ".#.");
}

// A vertical or horizontal one-pixel line is filled as a column or row of whole pixels where
// that is what the smoothed stroke would put down. Each row draws the line both ways: through the
// canvas, and stroked by a painter as the canvas strokes other lines (pixel centres, the pen's
// ends, the rectangle clip one row taller).
struct TColumnCase {
    const char* name;
    TPenEndStyle ends;
    TPoint from, to;
    bool clipped;
    double pixelRatio;
};

class GDIPlusColumnTest : public ::testing::TestWithParam<TColumnCase> {};

TEST_P(GDIPlusColumnTest, PutsDownThePixelsOfTheStroke) {
    const TColumnCase& c = GetParam();
    const TRect clip{2, 5, 10, 15};
    TPlusFrame frame(20, 20, c.pixelRatio);
    frame.canvas.SetPen({.Color = clBlack, .EndStyle = c.ends});
    if (c.clipped) frame.canvas.ClipRectangle(clip);
    frame.canvas.Line(c.from.X, c.from.Y, c.to.X, c.to.Y);
    if (c.clipped) frame.canvas.Unclip();
    const QImage& drawn = frame.Finish();

    QImage stroked(drawn.size(), QImage::Format_ARGB32_Premultiplied);
    stroked.setDevicePixelRatio(c.pixelRatio);
    stroked.fill(Qt::white);
    QPainter painter(&stroked);
    painter.setRenderHint(QPainter::Antialiasing);
    if (c.clipped) {
        QPainterPath path;
        path.addRect(QRectF(clip.Left, clip.Top - 1, clip.Width(), clip.Height() + 2));
        painter.setClipPath(path);
    }
    QPen pen(Qt::black, 1);
    pen.setCapStyle(c.ends == esRound ? Qt::RoundCap : c.ends == esSquare ? Qt::SquareCap
                                                                          : Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(c.from.X + 0.5, c.from.Y + 0.5), QPointF(c.to.X + 0.5, c.to.Y + 0.5));
    painter.end();
    EXPECT_EQ(drawn, stroked);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GDIPlusColumnTest,
    ::testing::Values(TColumnCase{"RoundEndsDownwards", esRound, {3, 2}, {3, 17}, false, 1},
                      TColumnCase{"SquareEndsUpwards", esSquare, {8, 18}, {8, 1}, false, 1},
                      TColumnCase{"OneRowLong", esRound, {5, 9}, {5, 10}, false, 1},
                      TColumnCase{"PastTheSurface", esRound, {0, -40}, {0, 60}, false, 1},
                      TColumnCase{"ThroughTheClip", esRound, {4, 0}, {4, 20}, true, 1},
                      TColumnCase{"BesideTheClip", esRound, {11, 0}, {11, 20}, true, 1},
                      TColumnCase{"FlatEnds", esFlat, {6, 3}, {6, 16}, false, 1},
                      TColumnCase{"DoublePixels", esRound, {6, 3}, {6, 16}, true, 2},
                      TColumnCase{"RowRoundEndsRightwards", esRound, {2, 3}, {17, 3}, false, 1},
                      TColumnCase{"RowSquareEndsLeftwards", esSquare, {18, 8}, {1, 8}, false, 1},
                      TColumnCase{"RowOneColumnLong", esRound, {9, 5}, {10, 5}, false, 1},
                      TColumnCase{"RowPastTheSurface", esRound, {-40, 19}, {60, 19}, false, 1},
                      TColumnCase{"RowThroughTheClip", esRound, {0, 7}, {20, 7}, true, 1},
                      TColumnCase{"RowBelowTheClip", esRound, {0, 15}, {20, 15}, true, 1},
                      TColumnCase{"RowFlatEnds", esFlat, {3, 6}, {16, 6}, false, 1},
                      TColumnCase{"RowDoublePixels", esRound, {3, 6}, {16, 6}, true, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GDIPlusCanvas, XorModesUseTheAliasedCanvas) {
    TPlusFrame frame(12, 4);
    frame.canvas.SetPen({.Color = clWhite, .Width = 1, .Mode = pmXor});
    frame.canvas.HorizLine(0, 10, 1);
    EXPECT_EQ(Row(frame.canvas.Buffer(), 1, 0, 12), "##########..");
    frame.canvas.HorizLine(0, 10, 1);
    frame.canvas.SetPenMode(pmCopy);
    frame.canvas.SetPenColor(clBlack);
    frame.canvas.HorizLine(0, 10, 2);
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 1, 0, 12), "............");
    EXPECT_EQ(Row(image, 2, 1, 10), "#########") << "anti-aliased again after the XOR";
}

TEST(GDIPlusCanvas, RectangleClipReachesOneRowFurtherUpAndDown) {
    TPlusFrame frame(10, 12);
    frame.canvas.ClipRectangle({2, 3, 6, 8});
    frame.canvas.FillRect({0, 0, 10, 12});
    frame.canvas.Unclip();
    const QImage& image = frame.Finish();
    EXPECT_EQ(Column(image, 3, 0, 12), "..rrrrrrr...");
    EXPECT_EQ(Row(image, 5, 0, 10), "..rrrr....");
}

struct TBackModeCase {
    const char* name;
    TBrushData brush;
    TCanvasBackMode mode;
    TColor backColor;
};

class GDIPlusBackModeTest : public ::testing::TestWithParam<TBackModeCase> {};

TEST_P(GDIPlusBackModeTest, AssignedBrushSetsTheTextBackground) {
    TGDIPlusCanvas canvas;
    canvas.SetBackMode(cbmOpaque);
    canvas.SetBackColor(clWhite);
    TChartBrush brush(GetParam().brush);
    canvas.AssignBrush(brush, GetParam().brush.Color);
    EXPECT_EQ(canvas.BackMode(), GetParam().mode);
    EXPECT_EQ(canvas.BackColor(), GetParam().backColor);
}

INSTANTIATE_TEST_SUITE_P(
    Brushes, GDIPlusBackModeTest,
    ::testing::Values(
        TBackModeCase{"clear", {.Style = bsClear, .BackColor = clRed}, cbmTransparent, clWhite},
        TBackModeCase{"no_back_colour", {.Style = bsCross}, cbmTransparent, clWhite},
        TBackModeCase{"hatched", {.Style = bsCross, .BackColor = clBlue}, cbmOpaque, clBlue},
        TBackModeCase{"solid_with_back_colour", {.BackColor = clBlue}, cbmOpaque, clWhite}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GDIPlusCanvas, OpaqueTextFillsItsBoxWithTheBrush) {
    TPlusFrame frame(60, 20);
    frame.canvas.SetBrush({.Color = clBlue});
    frame.canvas.SetBackMode(cbmOpaque);
    frame.canvas.TextOut(5, 4, "TChart");
    const QImage& image = frame.Finish();
    EXPECT_EQ(image.pixel(5, 4), kBlue);
    EXPECT_EQ(image.pixel(38, 15), kBlue);
    EXPECT_EQ(image.pixel(39, 16), kWhite);
}

struct TRenderingCase {
    const char* name;
    TFontQuality font;
    TFontQuality canvas;
    double points;
    TTextRendering expected;
};

class TextRenderingTest : public ::testing::TestWithParam<TRenderingCase> {};

TEST_P(TextRenderingTest, FollowsTheFontQuality) {
    const TRenderingCase& c = GetParam();
    const TTextRendering rendering = TextRenderingFor(c.font, c.canvas, c.points);
    EXPECT_EQ(rendering, c.expected);
    const QFont font = MakeQtFont({.Name = "Arial", .Points = c.points, .Rendering = rendering});
    EXPECT_EQ(font.hintingPreference(),
              rendering == trAntiAlias ? QFont::PreferNoHinting : QFont::PreferFullHinting);
    EXPECT_EQ(font.styleStrategy() == QFont::NoAntialias, rendering == trSingleBitGridFit);
}

INSTANTIATE_TEST_SUITE_P(
    Qualities, TextRenderingTest,
    ::testing::Values(
        TRenderingCase{"default_below_20_points", fqDefault, fqDefault, 19.5, trClearTypeGridFit},
        TRenderingCase{"default_at_20_points", fqDefault, fqDefault, 20, trAntiAlias},
        TRenderingCase{"best", fqBest, fqDefault, 8, trAntiAlias},
        TRenderingCase{"normal", fqNormal, fqDefault, 30, trSingleBitGridFit},
        TRenderingCase{"clear_type", fqClearType, fqDefault, 30, trClearTypeGridFit},
        TRenderingCase{"default_on_a_best_quality_canvas", fqDefault, fqBest, 8, trAntiAlias}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GDIPlusCanvas, StartsItsSharedStateAndDescribesItself) {
    TGDIPlusCanvas canvas;
    EXPECT_TRUE(TGDIPlusCanvas::SharedStarted());
    EXPECT_EQ(canvas.Description(), "GDI+");
    EXPECT_TRUE(canvas.NativeTransparency());
    EXPECT_EQ(canvas.TransparencyLevel(), 255);
    EXPECT_EQ(canvas.TextQuality(), fqDefault);
    EXPECT_TRUE(canvas.AntiAlias());
}

TEST(GDIPlusCanvas, DrawingScaleRefinesTheBufferNotTheLayout) {
    TGDIPlusCanvas canvas;
    canvas.SetScale(2);
    QImage window(20, 10, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    QPainter painter(&window);
    TQtPaintTarget target(painter);
    EXPECT_EQ(canvas.BeginFrame(target, {0, 0, 20, 10}), (TRect{0, 0, 20, 10}));
    EXPECT_EQ(canvas.Buffer().size(), QSize(40, 20));
    canvas.FillRect({0, 0, 20, 10});
    canvas.SetBrush({.Color = clRed});
    canvas.FillRect({0, 0, 10, 10});
    canvas.EndFrame(target, {0, 0, 20, 10});
    painter.end();
    EXPECT_EQ(Row(window, 5, 8, 12), "rr..");
}

}  // namespace
}  // namespace twinscope
