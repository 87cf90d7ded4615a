// What both Qt backends share: exclusive rectangle edges, clipping, fonts, the buffer.
#include <gtest/gtest.h>

#include <string>

#include <QRegion>

#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"
#include "twinscope/chart/canvas/qt/GDIPlusCanvas.h"
#include "twinscope/runtime/Exceptions.h"

#include "tests/canvas/QtFrame.h"
#include "tests/support/Expect.h"

namespace twinscope {
namespace {

template <typename Canvas>
class QtCanvasTest : public ::testing::Test {};

using Backends = ::testing::Types<TChartCanvas3D, TGDIPlusCanvas>;
TYPED_TEST_SUITE(QtCanvasTest, Backends);

// The box of every pixel that is not white.
QRect InkBounds(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kWhite) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

TYPED_TEST(QtCanvasTest, FillRectExcludesRightAndBottomEdge) {
    TQtFrame<TypeParam> frame(10, 9);
    frame.canvas.FillRect({2, 2, 8, 7});
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 1, 0, 10), "..........");
    EXPECT_EQ(Row(image, 2, 0, 10), "..rrrrrr..");
    EXPECT_EQ(Row(image, 6, 0, 10), "..rrrrrr..");
    EXPECT_EQ(Row(image, 7, 0, 10), "..........");
}

TYPED_TEST(QtCanvasTest, FillRectWithClearBrushDrawsNothing) {
    TQtFrame<TypeParam> frame(10, 10);
    frame.canvas.SetBrushStyle(bsClear);
    frame.canvas.FillRect({0, 0, 10, 10});
    EXPECT_TRUE(InkBounds(frame.Finish()).isEmpty());
}

TYPED_TEST(QtCanvasTest, SystemColoursDrawOpaque) {
    TQtFrame<TypeParam> frame(10, 10);
    frame.canvas.SetBrush({.Color = clBtnFace});
    frame.canvas.FillRect({0, 0, 5, 5});
    frame.canvas.SetPen({.Color = clWindowText});
    frame.canvas.SetBrushStyle(bsClear);
    frame.canvas.HorizLine(0, 10, 8);
    const QImage& image = frame.Finish();
    EXPECT_EQ(image.pixel(2, 2), 0xFFF0F0F0);
    EXPECT_EQ(image.pixel(5, 8), kBlack);
}

TYPED_TEST(QtCanvasTest, NestedClipsRestoreInOrder) {
    TQtFrame<TypeParam> frame(10, 12);
    TypeParam& canvas = frame.canvas;
    canvas.ClipEllipse({0, 0, 10, 10});
    canvas.ClipRectangle({0, 0, 5, 10});
    canvas.FillRect({0, 0, 10, 12});
    canvas.Unclip();
    canvas.SetBrushColor(clBlue);
    canvas.FillRect({5, 0, 10, 12});
    canvas.Unclip();
    canvas.FillRect({0, 11, 10, 12});
    const QImage& image = frame.Finish();
    EXPECT_EQ(image.pixel(0, 0), kWhite) << "outside the ellipse";
    EXPECT_EQ(image.pixel(2, 5), kRed);
    EXPECT_EQ(image.pixel(7, 5), kBlue) << "the ellipse alone clips again";
    EXPECT_EQ(image.pixel(9, 0), kWhite);
    EXPECT_EQ(image.pixel(9, 10), kWhite);
    EXPECT_EQ(Row(image, 11, 0, 10), "bbbbbbbbbb") << "no clip left";
}

TYPED_TEST(QtCanvasTest, UnclipWithoutClipRemovesClipping) {
    TQtFrame<TypeParam> frame(10, 10);
    frame.canvas.Unclip();
    frame.canvas.FillRect({0, 0, 10, 10});
    EXPECT_EQ(InkBounds(frame.Finish()), QRect(0, 0, 10, 10));
}

TYPED_TEST(QtCanvasTest, ExcludedShapeIsLeftOut) {
    TQtFrame<TypeParam> frame(10, 10);
    frame.canvas.ClipRectangle({0, 0, 5, 5});
    frame.canvas.Unclip();
    frame.canvas.ClipEllipse({0, 0, 10, 10}, true);
    frame.canvas.FillRect({0, 0, 10, 10});
    frame.canvas.Unclip();
    const QImage& image = frame.Finish();
    EXPECT_EQ(image.pixel(0, 0), kRed);
    EXPECT_EQ(image.pixel(5, 5), kWhite);
}

// A clip set after one was removed holds what it shows: one-pixel lines, written straight into
// the buffer within the clip's bounds, are drawn there too.
TYPED_TEST(QtCanvasTest, APixelLineDrawsInAClipSetAfterAnUnclip) {
    TQtFrame<TypeParam> frame(10, 10);
    frame.canvas.ClipRectangle({0, 0, 10, 10});
    frame.canvas.Unclip();
    frame.canvas.ClipRectangle({0, 0, 8, 10});
    frame.canvas.SetPen({.Color = clRed});
    frame.canvas.Line(0, 5, 10, 5);
    frame.canvas.Unclip();
    EXPECT_EQ(Row(frame.Finish(), 5, 0, 10), "rrrrrrrr..");
}

TYPED_TEST(QtCanvasTest, ArialResolvesToLiberationSansWithStableMetrics) {
    TypeParam canvas;
    EXPECT_EQ(canvas.TextWidth("TChart"), 34);
    EXPECT_EQ(canvas.TextHeight("TChart"), 12);
    EXPECT_EQ(canvas.FontHeight(), 12);
    EXPECT_EQ(canvas.MultiLineTextWidth("TChart\rT"), (TMultiLineWidth{34, 2}));
    EXPECT_EQ(canvas.TextHeight("a\nb"), 24);
    canvas.SetFont(TFontData{.SizeFloat = 10});
    EXPECT_EQ(canvas.TextHeight("W"), 15);
    EXPECT_GT(canvas.TextWidth("TChart"), 34);
    canvas.SetFont(TFontData{});
    EXPECT_EQ(canvas.TextWidth("TChart"), 34) << "each font keeps its own widths";
}

TYPED_TEST(QtCanvasTest, TheWidthsKeptStayWithinTheirBytes) {
    TypeParam canvas;
    int i = 0;
    for (; canvas.MeasuredBytes() + 256 < TypeParam::MaxMeasuredBytes; ++i)
        canvas.TextWidth("a label of some length " + std::to_string(i));
    const std::size_t full = canvas.MeasuredTexts();
    for (int more = 0; more < 3000; ++more, ++i) {
        canvas.TextWidth("a label of some length " + std::to_string(i));
        EXPECT_EQ(canvas.TextWidth("TChart"), 34);
    }
    EXPECT_LE(canvas.MeasuredBytes(), TypeParam::MaxMeasuredBytes);
    EXPECT_GE(canvas.MeasuredTexts(), full - 10) << "the store does not empty";
    EXPECT_LE(canvas.MeasuredTexts(), full + 10);
    canvas.SetFont(TFontData{.SizeFloat = 10});
    EXPECT_GT(canvas.TextWidth("TChart"), 34) << "a width measured in another font";
}

TYPED_TEST(QtCanvasTest, AlignedTextLiesOnTheNamedSideOfItsAnchor) {
    struct TCase {
        TTextAlign align;
        QRect area;
    };
    const TCase cases[] = {
        {TA_LEFT | TA_TOP, QRect(40, 30, 40, 20)},
        {TA_RIGHT | TA_TOP, QRect(0, 30, 40, 20)},
        {TA_RIGHT | TA_BOTTOM, QRect(0, 10, 40, 20)},
        {TA_CENTER | TA_BOTTOM, QRect(23, 10, 34, 20)},
    };
    for (const TCase& c : cases) {
        TQtFrame<TypeParam> frame(80, 60);
        frame.canvas.SetBackMode(cbmTransparent);
        frame.canvas.SetTextAlign(c.align);
        frame.canvas.TextOut(40, 30, "TChart");
        const QRect ink = InkBounds(frame.Finish());
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_TRUE(c.area.contains(ink)) << "align " << c.align;
    }
}

TYPED_TEST(QtCanvasTest, TextTurnsCounterClockwiseAboutItsAnchor) {
    TQtFrame<TypeParam> frame(80, 80);
    frame.canvas.SetBackMode(cbmTransparent);
    frame.canvas.TextOut(40, 60, "TChart", 90);
    const QRect ink = InkBounds(frame.Finish());
    EXPECT_TRUE(QRect(40, 24, 13, 37).contains(ink)) << "reads upwards, right of the anchor";
    EXPECT_GT(ink.height(), 25);
}

TYPED_TEST(QtCanvasTest, BufferIsCopiedAgainWhileStillValid) {
    TQtFrame<TypeParam> frame(10, 10);
    frame.canvas.FillRect({0, 0, 4, 4});
    frame.Finish();

    QImage window(10, 10, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    QPainter painter(&window);
    TQtPaintTarget target(painter);
    EXPECT_TRUE(frame.canvas.BufferStillValid(target));
    frame.canvas.MarkBufferStale();
    EXPECT_FALSE(frame.canvas.BufferStillValid(target));
    painter.end();
    EXPECT_EQ(window.pixel(3, 3), kRed);
    EXPECT_EQ(window.pixel(4, 4), kWhite);
}

TYPED_TEST(QtCanvasTest, DrawingBetweenFramesGoesToTheBuffer) {
    TQtFrame<TypeParam> frame(10, 10);
    frame.Finish();
    frame.canvas.SetPen({.Color = clWhite, .Mode = pmXor});
    frame.canvas.HorizLine(0, 10, 5);

    QImage window(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&window);
    TQtPaintTarget target(painter);
    EXPECT_TRUE(frame.canvas.BufferStillValid(target));
    painter.end();
    EXPECT_EQ(Row(window, 5, 0, 10), "##########");
}

TYPED_TEST(QtCanvasTest, FrameOnAHighDensityTargetKeepsLogicalLayout) {
    TQtFrame<TypeParam> frame(10, 10, 2.0);
    EXPECT_EQ(frame.canvas.Buffer().size(), QSize(20, 20));
    EXPECT_EQ(frame.canvas.TextWidth("TChart"), 34);
    frame.canvas.FillRect({1, 1, 4, 2});
    const QImage& image = frame.Finish();
    EXPECT_EQ(Row(image, 1, 0, 10), "..........");
    EXPECT_EQ(Row(image, 2, 0, 10), "..rrrrrr..");
    EXPECT_EQ(Row(image, 3, 0, 10), "..rrrrrr..");
    EXPECT_EQ(Row(image, 4, 0, 10), "..........");
}

TYPED_TEST(QtCanvasTest, UnbufferedFrameDrawsOnTheTarget) {
    QImage window(20, 20, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    QPainter painter(&window);
    TQtPaintTarget target(painter);
    TypeParam canvas;
    canvas.SetBuffered(false);
    EXPECT_EQ(canvas.BeginFrame(target, {5, 5, 15, 15}), (TRect{5, 5, 15, 15}));
    canvas.SetBrush({.Color = clRed});
    canvas.FillRect({5, 5, 10, 10});
    EXPECT_EQ(window.pixel(9, 9), kRed);
    canvas.EndFrame(target, {5, 5, 15, 15});
    EXPECT_TRUE(canvas.Buffer().isNull());
    EXPECT_FALSE(canvas.BufferStillValid(target));
}

// A window whose buffer could not be allocated hands over a painter that is not active; the
// frame then draws nothing, and a later frame on a working painter draws as usual.
TYPED_TEST(QtCanvasTest, AFrameOnAnInactivePainterDrawsNothing) {
    TypeParam canvas;
    QPainter inactive;
    TQtPaintTarget target(inactive);
    canvas.BeginFrame(target, {0, 0, 10, 10});
    canvas.SetBrush({.Color = clBlack});
    canvas.FillRect({0, 0, 10, 10});
    canvas.TextOut(1, 1, "x");
    canvas.EndFrame(target, {0, 0, 10, 10});
    EXPECT_FALSE(canvas.BufferStillValid(target));

    TQtFrame<TypeParam> frame(4, 4);
    frame.canvas.SetBrush({.Color = clBlack});
    frame.canvas.FillRect({0, 0, 2, 4});
    EXPECT_EQ(Row(frame.Finish(), 1, 0, 4), "##..");
}

// A target of another surface reaches no Qt canvas: the frame refuses it with a message rather
// than drawing through a pointer of the wrong type.
TYPED_TEST(QtCanvasTest, AFrameOnATargetOfAnotherSurfaceIsRefused) {
    TypeParam canvas;
    QImage notAPainter(4, 4, QImage::Format_ARGB32_Premultiplied);
    const TPaintTarget targets[] = {TPaintTarget{}, TPaintTarget{notAPainter}};
    for (const TPaintTarget& target : targets) {
        TPaintTarget copy = target;
        EXPECT_THROW_MSG(canvas.BeginFrame(copy, {0, 0, 4, 4}), RuntimeError,
                         "The canvas draws only on a Qt paint target");
    }
}

// A buffered frame is copied onto the part of the target its paint exposes, and nowhere else:
// a region of two rectangles, one taller than the bands the copy goes in, at an odd offset.
TYPED_TEST(QtCanvasTest, AFrameIsCopiedOntoTheExposedRegionOnly) {
    QImage image(160, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::blue);
    const QRegion exposed = QRegion(3, 5, 20, 150) + QRegion(70, 131, 81, 2);
    QPainter painter(&image);
    TQtPaintTarget target(painter, exposed);
    TypeParam canvas;
    const TRect bounds{0, 0, 160, 200};
    canvas.BeginFrame(target, bounds);
    canvas.SetBrush({.Color = clRed});
    canvas.FillRect(bounds);
    canvas.EndFrame(target, bounds);
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(image.pixel(x, y), exposed.contains(QPoint(x, y)) ? kRed : kBlue)
                << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace twinscope
