// A readout that moves over an unchanged chart asks its host to show anew only where it was
// drawn and is to be drawn: the picture repainted there alone must be the whole repaint's.

#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <gtest/gtest.h>

#include "tests/support/ReadoutChart.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/platform/ReadoutInput.h"

namespace twinscope {
namespace {

struct Move {
    const char* name;
    std::function<TPoint(const TRect& plot)> to;
};

// From the middle to where the box turns left and up, to the plot's corner, and away.
const std::vector<Move> kMoves = {
    {"Middle", [](const TRect& p) { return TPoint{(p.Left + p.Right) / 2, (p.Top + p.Bottom) / 2}; }},
    {"NearTheRightEdge", [](const TRect& p) { return TPoint{p.Right - 5, (p.Top + p.Bottom) / 2}; }},
    {"NearTheBottom", [](const TRect& p) { return TPoint{p.Right - 40, p.Bottom - 3}; }},
    {"TopLeftCorner", [](const TRect& p) { return TPoint{p.Left + 1, p.Top + 1}; }},
    {"BackToTheMiddle", [](const TRect& p) { return TPoint{(p.Left + p.Right) / 2 + 3, p.Top + 40}; }},
    {"OutOfThePlot", [](const TRect& p) { return TPoint{p.Left - 30, p.Top + 40}; }},
};

class ReadoutAreaTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ReadoutAreaTest, AMoveRepaintedWhereItAsksShowsWhatAWholeRepaintShows) {
    RegisterQtCanvases();
    TChart chart;
    chart.SetBounds(965, 518);
    chart.SetDefaultCanvas(GetParam());
    testing::FillReadoutChart(chart);
    int wholeRepaints = 0;
    std::vector<TRect> asked;
    TReadoutInput readouts(chart, [&] { ++wholeRepaints; }, nullptr);
    readouts.SetOnRepaintArea([&](const std::vector<TRect>& area) { asked = area; });
    const auto paint = [&](QImage& image, const QRegion* area) {
        QPainter painter(&image);
        if (area) painter.setClipRegion(*area);
        TQtPaintTarget target(painter);
        chart.Paint(target);
        readouts.Paint(painter);
    };
    QImage shown(chart.Width(), chart.Height(), QImage::Format_ARGB32_Premultiplied);
    paint(shown, nullptr);
    const TRect plot = chart.PlotRect();

    for (const Move& move : kMoves) {
        readouts.ShowAt(move.to(plot));
        QRegion area;
        for (const TRect& r : asked)
            area += QRect(r.Left, r.Top, r.Width(), r.Height());
        paint(shown, &area);
        QImage whole(shown.size(), shown.format());
        paint(whole, nullptr);
        EXPECT_TRUE(shown == whole) << move.name;
    }
    EXPECT_EQ(wholeRepaints, 0);
}

INSTANTIATE_TEST_SUITE_P(, ReadoutAreaTest, ::testing::Values("TChartCanvas3D", "TGDIPlusCanvas"),
                         [](const auto& info) { return std::string(info.param).substr(1); });

}  // namespace
}  // namespace twinscope
