// A smoothed one-pixel box is put down pixel by pixel only where that draws what the stroker
// draws: on this Qt for every join, so that a readout's boxes cost no stroke.

#include "twinscope/chart/canvas/qt/OutlineByPixels.h"

#include <gtest/gtest.h>

#include <QImage>

#include "tests/canvas/QtFrame.h"
#include "twinscope/chart/canvas/qt/GDIPlusCanvas.h"

namespace twinscope {
namespace {

TEST(OutlineByPixels, EveryJoinIsFoundToComeOutAsTheStroke) {
    for (const Qt::PenJoinStyle join : {Qt::MiterJoin, Qt::BevelJoin, Qt::RoundJoin})
        EXPECT_TRUE(OutlineCornerHalf(join).has_value()) << join;
    EXPECT_FALSE(OutlineCornerHalf(Qt::SvgMiterJoin).has_value());
}

// Through the canvas, on its buffer and on a target drawn on directly: a box whose pen has
// flat ends (which a closed outline never shows) goes through the stroker, one with round ends
// is put down by pixels, and both must come out the same.
TEST(OutlineByPixels, ABoxOnTheCanvasIsTheStrokersBox) {
    for (const bool buffered : {true, false}) {
        QImage stroked;
        for (const TPenEndStyle ends : {esFlat, esRound}) {
            TQtFrame<TGDIPlusCanvas> frame(40, 30);
            frame.canvas.SetBuffered(buffered);
            frame.canvas.SetPen({.Color = clRed, .EndStyle = ends});
            frame.canvas.SetBrush({.Color = clGreen});
            frame.canvas.Rectangle({5, 4, 31, 22});
            frame.canvas.SetPen({.Color = clBlue, .EndStyle = ends});
            frame.canvas.Rectangle({20, 10, 23, 13});
            const QImage& image = frame.Finish();
            if (ends == esFlat) {
                stroked = image.copy();
            } else {
                EXPECT_TRUE(image == stroked) << "buffered " << buffered;
            }
        }
    }
}

}  // namespace
}  // namespace twinscope
