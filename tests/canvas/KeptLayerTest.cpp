// A paint lays back the picture under the series that the paint before it kept: the frame must
// come out as a chart painted afresh, and whatever changes that picture must draw it anew.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "twinscope/chart/canvas/qt/QtCanvas.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {
namespace {

// A chart with the parts drawn under the series: titles, walls, grids and labels of two axes,
// and a legend over them.
class TSampleChart {
public:
    explicit TSampleChart(const std::string& canvasClass) {
        RegisterQtCanvases();
        chart.SetRepaintOnChange(true);
        chart.SetView3D(false);
        chart.SetBounds(420, 300);
        chart.SetDefaultCanvas(canvasClass);
        chart.Title().SetText({"Kept layer"});
        chart.LeftAxis().Title().SetCaption("Value");
        chart.Legend().SetLegendStyle(lsSeries);
        auto& line = chart.AddNewSeries<TLineSeries>();
        line.SetTitle("walk");
        for (int i = 0; i < 60; ++i)
            line.AddPoint(2 * i, (i % 7) * 3 - (i % 5) * 2);
    }

    QImage Paint() {
        QImage image(chart.Width(), chart.Height(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        TQtPaintTarget target(painter);
        chart.Paint(target);
        painter.end();
        return image;
    }
    std::uint64_t Restored() const { return chart.Canvas()->LayersRestored(); }

    TChart chart;
};

struct KeptLayerCase {
    const char* name;
    std::function<void(TChart&)> change;
    bool layerStillFits;
};

const std::vector<KeptLayerCase> kCases = {
    {"Nothing", [](TChart&) {}, true},
    {"SeriesData", [](TChart& c) { c.Series(0).AddPoint(31, 1); }, true},
    {"AxesOverTheSeries", [](TChart& c) { c.SetAxisBehind(false); }, false},
    {"PanelColor", [](TChart& c) { c.SetColor(clWhite); }, false},
    {"WallColor", [](TChart& c) { c.BackWall().SetColor(clGreen); }, false},
    {"GridColor", [](TChart& c) { c.LeftAxis().Grid().SetColor(clRed); }, false},
    {"LabelsFont", [](TChart& c) { c.BottomAxis().LabelsFont().SetColor(clBlue); }, false},
    {"TitleText", [](TChart& c) { c.Title().SetText({"Another"}); }, false},
    {"Range", [](TChart& c) { c.BottomAxis().SetMinMax(10, 40); }, false},
    {"Size", [](TChart& c) { c.SetBounds(380, 260); }, false},
    {"SeriesHidden", [](TChart& c) { c.Series(0).SetActive(false); }, false},
    {"TextQuality",
     [](TChart& c) {
         auto& canvas = dynamic_cast<TQtCanvas&>(*c.Canvas());
         canvas.SetTextQuality(canvas.TextQuality() == fqBest ? fqNormal : fqBest);
     },
     false},
};

class KeptLayerTest : public ::testing::TestWithParam<std::tuple<const char*, KeptLayerCase>> {};

TEST_P(KeptLayerTest, APaintAfterAChangeDrawsWhatAFreshChartDraws) {
    const auto& [canvasClass, c] = GetParam();
    TSampleChart kept(canvasClass);
    kept.Paint();
    const std::uint64_t restored = kept.Restored();
    c.change(kept.chart);
    kept.chart.Invalidate();
    const QImage repainted = kept.Paint();
    EXPECT_EQ(kept.Restored(), restored + (c.layerStillFits ? 1 : 0));

    TSampleChart fresh(canvasClass);
    c.change(fresh.chart);
    const QImage expected = fresh.Paint();
    ASSERT_EQ(repainted.size(), expected.size());
    EXPECT_TRUE(repainted == expected);

    // What was drawn anew is kept in turn.
    kept.chart.Invalidate();
    EXPECT_TRUE(kept.Paint() == expected);
    EXPECT_EQ(kept.Restored(), restored + (c.layerStillFits ? 2 : 1));
}

INSTANTIATE_TEST_SUITE_P(, KeptLayerTest,
                         ::testing::Combine(::testing::Values("TChartCanvas3D", "TGDIPlusCanvas"),
                                            ::testing::ValuesIn(kCases)),
                         [](const auto& info) {
                             std::string canvas = std::get<0>(info.param);
                             return std::get<1>(info.param).name + std::string("_") +
                                    canvas.substr(1);
                         });

// Between paints that change nothing the legend's picture is laid back, the layout is the one
// kept and only the plot and the legend are laid back of the picture under the series; after
// any change the paint must still come out as a fresh chart's. -1: either way.
struct KeptPartsCase {
    const char* name;
    std::function<void(TChart&)> change;
    int legendLaidBack;
    int layoutReused;
};

const std::vector<KeptPartsCase> kPartsCases = {
    {"Nothing", [](TChart&) {}, 1, 1},
    {"SeriesColor", [](TChart& c) { c.Series(0).SetSeriesColor(clBlue); }, 0, 0},
    {"SeriesPen", [](TChart& c) { c.Series(0).Pen().SetColor(clGreen); }, 0, 0},
    {"SeriesTitle", [](TChart& c) { c.Series(0).SetTitle("a longer walk"); }, 0, 0},
    {"SeriesData", [](TChart& c) { c.Series(0).AddPoint(121, 40); }, 0, 0},
    // Written straight into the values, without a repaint request: the range must follow.
    {"ValueInPlace", [](TChart& c) { c.Series(0).YValues().SetValueAt(3, 90); }, -1, 0},
    {"LegendFont", [](TChart& c) { c.Legend().Font().SetColor(clRed); }, 0, 0},
    {"LegendHidden", [](TChart& c) { c.Legend().SetVisible(false); }, 0, 0},
    {"LegendOverThePlot", [](TChart& c) { c.Legend().SetResizeChart(false); }, 0, 0},
    {"SecondSeries",
     [](TChart& c) {
         auto& line = c.AddNewSeries<TLineSeries>();
         line.AddPoint(0, 5);
         line.AddPoint(100, -5);
     },
     0, 0},
    {"Size", [](TChart& c) { c.SetBounds(380, 260); }, 0, 0},
    {"TextQuality",
     [](TChart& c) {
         auto& canvas = dynamic_cast<TQtCanvas&>(*c.Canvas());
         canvas.SetTextQuality(canvas.TextQuality() == fqBest ? fqNormal : fqBest);
     },
     0, 0},
    // A layout kept by hand for another size: the next paint lays the chart out anew.
    {"LayoutByHand", [](TChart& c) { c.LayOut(c.Canvas(), {0, 0, 200, 150}); }, -1, 0},
};

class KeptPartsTest : public ::testing::TestWithParam<std::tuple<const char*, KeptPartsCase>> {};

TEST_P(KeptPartsTest, APaintAfterAChangeDrawsWhatAFreshChartDraws) {
    const auto& [canvasClass, c] = GetParam();
    TSampleChart kept(canvasClass);
    // The second paint finds the layout settled and keeps the pictures it lays back next.
    kept.Paint();
    kept.chart.Invalidate();
    kept.Paint();
    const TCanvas3D& canvas = *kept.chart.Canvas();
    const std::uint64_t pieces = canvas.PiecesLaidBack();
    const std::uint64_t layouts = kept.chart.LayoutsReused();
    const std::uint64_t inPart = canvas.LayersRestoredInPart();
    c.change(kept.chart);
    kept.chart.Invalidate();
    const QImage repainted = kept.Paint();

    TSampleChart fresh(canvasClass);
    c.change(fresh.chart);
    const QImage expected = fresh.Paint();
    ASSERT_EQ(repainted.size(), expected.size());
    EXPECT_TRUE(repainted == expected);
    if (c.legendLaidBack >= 0)
        EXPECT_EQ(canvas.PiecesLaidBack() - pieces, static_cast<std::uint64_t>(c.legendLaidBack));
    if (c.layoutReused >= 0)
        EXPECT_EQ(kept.chart.LayoutsReused() - layouts, static_cast<std::uint64_t>(c.layoutReused));
    if (std::string(c.name) == "Nothing") EXPECT_EQ(canvas.LayersRestoredInPart() - inPart, 1u);

    // Two more paints settle and lay back again, still as the fresh chart draws.
    for (int i = 0; i < 2; ++i) {
        kept.chart.Invalidate();
        EXPECT_TRUE(kept.Paint() == expected) << "paint " << i;
    }
    // The items of a shown legend are those its drawing leaves, laid back or drawn.
    if (fresh.chart.Legend().Visible())
        EXPECT_EQ(kept.chart.Legend().Items(), fresh.chart.Legend().Items());
}

INSTANTIATE_TEST_SUITE_P(, KeptPartsTest,
                         ::testing::Combine(::testing::Values("TChartCanvas3D", "TGDIPlusCanvas"),
                                            ::testing::ValuesIn(kPartsCases)),
                         [](const auto& info) {
                             std::string canvas = std::get<0>(info.param);
                             return std::get<1>(info.param).name + std::string("_") +
                                    canvas.substr(1);
                         });

// A fixed axis moved frame after frame (a pan): its range changes without counting as a
// setting, and every frame must show the range it was given.
TEST(KeptPartsRefusalTest, APannedAxisIsLaidOutAnewEachFrame) {
    for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        TSampleChart kept(canvasClass);
        kept.chart.BottomAxis().SetMinMax(0, 120);
        kept.Paint();
        kept.chart.Invalidate();
        kept.Paint();
        for (const double from : {10.0, 35.0, 0.0}) {
            kept.chart.BottomAxis().SetMinMax(from, from + 60);
            kept.chart.Invalidate();
            TSampleChart fresh(canvasClass);
            fresh.chart.BottomAxis().SetMinMax(from, from + 60);
            EXPECT_TRUE(kept.Paint() == fresh.Paint()) << canvasClass << " from " << from;
        }
    }
}

// A picture under the series that changes frame after frame is not kept past the second: the
// frame that draws the one before it again keeps it, and the frame after lays it back.
TEST(KeptPartsRefusalTest, APanKeepsNoPictureUntilOneRepeats) {
    TSampleChart kept("TChartCanvas3D");
    kept.Paint();
    for (const double from : {10.0, 20.0, 30.0, 40.0}) {
        kept.chart.BottomAxis().SetMinMax(from, from + 60);
        kept.chart.Invalidate();
        kept.Paint();
    }
    const std::uint64_t restored = kept.Restored();
    TSampleChart fresh("TChartCanvas3D");
    fresh.chart.BottomAxis().SetMinMax(40, 100);
    const QImage expected = fresh.Paint();
    for (const std::uint64_t laidBack : {0u, 1u, 2u}) {
        kept.chart.Invalidate();
        EXPECT_TRUE(kept.Paint() == expected);
        EXPECT_EQ(kept.Restored() - restored, laidBack);
    }
}

// Drawing straight onto the canvas between paints (a zoom rectangle's erase, say) leaves the
// buffer unlike the last frame: the next paint lays back the whole picture.
TEST(KeptPartsRefusalTest, DrawingBetweenPaintsLaysBackTheWholePicture) {
    TSampleChart kept("TChartCanvas3D");
    kept.Paint();
    kept.chart.Invalidate();
    const QImage expected = kept.Paint();
    TCanvas3D& canvas = *kept.chart.Canvas();
    canvas.SetBrush(TBrushData{.Color = clRed});
    canvas.FillRect({0, 0, 30, 30});
    const std::uint64_t inPart = canvas.LayersRestoredInPart();
    kept.chart.Invalidate();
    EXPECT_TRUE(kept.Paint() == expected);
    EXPECT_EQ(canvas.LayersRestoredInPart(), inPart);
}

// A chart whose events may draw under the series keeps nothing; nor does a canvas that draws
// straight onto its target.
TEST(KeptLayerRefusalTest, EventsUnderTheSeriesAndUnbufferedCanvasesKeepNothing) {
    TSampleChart withEvent("TGDIPlusCanvas");
    int calls = 0;
    withEvent.chart.OnBeforeDrawAxes = [&calls] { ++calls; };
    withEvent.Paint();
    withEvent.chart.Invalidate();
    withEvent.Paint();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(withEvent.Restored(), 0u);

    TSampleChart unbuffered("TChartCanvas3D");
    unbuffered.chart.Canvas()->SetBuffered(false);
    unbuffered.Paint();
    unbuffered.Paint();
    EXPECT_EQ(unbuffered.Restored(), 0u);
}

}  // namespace
}  // namespace twinscope
