#include <map>
#include <string>
#include <vector>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/Printers.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {


// The recorded calls in order, as "Group{ ... }" around what each group drew; text measurements
// are left out.
std::string Trace(const TRecordingCanvas& canvas) {
    std::string trace;
    for (const TRecordedCall& call : canvas.Calls()) {
        if (call.Operation == "TextExtent") continue;
        if (!trace.empty()) trace += ' ';
        if (call.Operation == "BeginGroup") {
            trace += call.Text + "{";
        } else if (call.Operation == "EndGroup") {
            trace += "}";
        } else {
            trace += call.Operation;
        }
    }
    return trace;
}

std::vector<TRect> RectsOf(const TRecordingCanvas& canvas, const std::string& operation) {
    std::vector<TRect> rects;
    for (const TRecordedCall& call : canvas.CallsOf(operation))
        rects.push_back(call.Rect);
    return rects;
}

// The chart of the window: 965 x 518, margins 13/4/0/9 percent, flat, titled "TChart".
class ChartPaintTest : public testing::ChartFixture {
protected:
    ChartPaintTest() {
        chart.SetBounds(965, 518);
        chart.SetMarginLeft(13);
        chart.SetMarginTop(4);
        chart.SetMarginRight(0);
        chart.SetMarginBottom(9);
        chart.SetView3D(false);
        chart.Title().SetText({"TChart"});
        // These tests look at the panel's own layers: the axes stay hidden unless a test shows
        // them (they take their room and draw themselves in the axes' tests).
        for (TChartAxis* axis : chart.Axes())
            axis->SetVisible(false);
    }

    void Render() {
        canvas.ClearCalls();
        chart.RenderChart(canvas, target, {0, 0, 965, 518});
    }

    // A series of two points on the bottom and left axes, which show.
    void ShowASeries() {
        auto& data = chart.CreateSeries<TLineSeries>();
        data.SetParentChart(&chart);
        data.AddPoint(1, 2);
        data.AddPoint(2, 3);
        chart.BottomAxis().SetVisible(true);
        chart.LeftAxis().SetVisible(true);
    }

    // The groups the paint opened at the top two levels, in order.
    std::string Groups() const {
        std::string groups;
        std::size_t depth = 0;
        for (const TRecordedCall& call : canvas.Calls()) {
            if (call.Operation == "EndGroup") --depth;
            if (call.Operation != "BeginGroup") continue;
            if (depth++ < 2) groups += (groups.empty() ? "" : ", ") + call.Text;
        }
        return groups;
    }

    static void Mark(TCanvas3D& c, const std::string& name) {
        c.BeginGroup(name);
        c.EndGroup();
    }

    std::string NameOf(const TChartAxis& axis) const {
        const std::map<const TChartAxis*, std::string> names{
            {&chart.BottomAxis(), "Bottom"}, {&chart.TopAxis(), "Top"},
            {&chart.LeftAxis(), "Left"},     {&chart.RightAxis(), "Right"},
            {&chart.DepthAxis(), "Depth"},   {&chart.DepthTopAxis(), "DepthTop"}};
        auto found = names.find(&axis);
        return found == names.end() ? "custom" : found->second;
    }

    // The back wall's rectangle tells the final plot rectangle.
    TRect BackWallRect() const {
        auto rects = RectsOf(canvas, "Rectangle");
        return rects.empty() ? TRect{} : rects.back();
    }

    TRecordingCanvas canvas;
    TNoTarget target;
};

TEST_F(ChartPaintTest, TheWindowsChartDrawsItsLayersInOrder) {
    ShowASeries();
    chart.OnBeforeDrawChart = [this] { Mark(canvas, "before chart"); };
    chart.OnBeforeDrawAxes = [this] { Mark(canvas, "before axes"); };
    chart.OnBeforeDrawSeries = [this] { Mark(canvas, "before series"); };
    chart.OnAfterDraw = [this] { Mark(canvas, "after draw"); };

    Render();

    EXPECT_EQ(Groups(),
              "Panel, before chart, Titles, Title, Walls, Back, Axes, before axes, Axis, Axis, "
              "before series, Series, Legend, Items, after draw");
    EXPECT_EQ(chart.PaintBounds(), (TRect{0, 0, 965, 518}));
    EXPECT_EQ(canvas.ProjectionPlot(), chart.PlotRect());
    EXPECT_EQ(RectsOf(canvas, "Rectangle").at(1), WithFarEdgesMoved(chart.PlotRect(), 1, 1));
    // Whatever the layers left selected, the next paint starts from the defaults.
    EXPECT_EQ(canvas.Pen(), TPenData{});
    EXPECT_EQ(canvas.Brush(), TBrushData{});
    EXPECT_EQ(canvas.Font(), TFontData{});
}

TEST_F(ChartPaintTest, WithoutLayersTheChartDrawsPanelTitleAndWall) {
    Render();
    EXPECT_EQ(Trace(canvas),
              "BeginFrame Panel{ FillRect Rectangle Polyline Polyline } Titles{ Title{ TextOut } } "
              "Walls{ Back{ Rectangle } } Axes{ } Series{ } EndFrame");
}

TEST_F(ChartPaintTest, ThePanelIsFilledAndFramedByARaisedBevel) {
    Render();
    const TRecordedCall fill = canvas.CallsOf("FillRect").at(0);
    EXPECT_EQ(fill.Rect, (TRect{0, 0, 965, 518}));
    EXPECT_EQ(fill.Brush.Color, clBtnFace);
    EXPECT_EQ(fill.Brush.Style, bsSolid);

    // Without a border the fill reaches one pixel further, covering the last column and row.
    const TRecordedCall panel = canvas.CallsOf("Rectangle").at(0);
    EXPECT_EQ(panel.Rect, (TRect{0, 0, 966, 519}));
    EXPECT_EQ(panel.Pen.Style, psClear);
    EXPECT_EQ(panel.Brush.Color, clBtnFace);

    const auto bevel = canvas.CallsOf("Polyline");
    ASSERT_EQ(bevel.size(), 2u);
    EXPECT_EQ(bevel[0].Pen.Color, 0xFFFFFFu);
    EXPECT_EQ(bevel[0].Pen.Width, 1);
    EXPECT_EQ(bevel[0].Points, (std::vector<TPoint>{{0, 517}, {0, 0}, {964, 0}}));
    EXPECT_EQ(bevel[1].Pen.Color, 0xA0A0A0u);
    EXPECT_EQ(bevel[1].Points, (std::vector<TPoint>{{964, 0}, {964, 517}, {-1, 517}}));
}

struct BevelCase {
    const char* name;
    TBevelCut outer;
    TBevelCut inner;
    std::int32_t bevelWidth;
    std::int32_t borderWidth;
    // Pen colour and top-left corner of every ring, outside in.
    std::vector<std::pair<TColor, TPoint>> rings;
};

class PanelBevelTest : public ChartPaintTest, public ::testing::WithParamInterface<BevelCase> {};

TEST_P(PanelBevelTest, RingsRunFromTheEdgeInwards) {
    const BevelCase& c = GetParam();
    chart.SetBevelOuter(c.outer);
    chart.SetBevelInner(c.inner);
    chart.SetBevelWidth(c.bevelWidth);
    chart.SetBorderWidth(c.borderWidth);
    chart.SetColor(0x123456);
    Render();
    std::vector<std::pair<TColor, TPoint>> rings;
    const auto strokes = canvas.CallsOf("Polyline");
    // Each ring is a top-left stroke through its corner, then a bottom-right one.
    for (std::size_t i = 0; i < strokes.size(); i += 2)
        rings.emplace_back(strokes[i].Pen.Color, strokes[i].Points[1]);
    EXPECT_EQ(rings, c.rings);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, PanelBevelTest,
    ::testing::Values(
        BevelCase{"Raised",                            bvRaised,  bvNone,    1, 0, {{clWhite, {0, 0}}}},
        BevelCase{"Lowered",                           bvLowered, bvNone,    2, 0, {{0xA0A0A0, {0, 0}}, {0xA0A0A0, {1, 1}}}},
        BevelCase{"BorderInPanelColourThenInnerBevel", bvRaised,  bvLowered, 1, 2, {{clWhite, {0, 0}}, {0x123456, {1, 1}}, {0x123456, {2, 2}}, {0xA0A0A0, {3, 3}}}},
        BevelCase{"SpaceTakesRoomButDrawsNothing",     bvSpace,   bvRaised,  2, 0, {{clWhite, {2, 2}}, {clWhite, {3, 3}}}},
        BevelCase{"NoBevelNoBorder",                   bvNone,    bvNone,    1, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ChartPaintTest, AVisibleBorderOutlinesThePanelExactly) {
    chart.Border().Show();
    chart.Border().SetColor(clRed);
    Render();
    const TRecordedCall panel = canvas.CallsOf("Rectangle").at(0);
    EXPECT_EQ(panel.Rect, (TRect{0, 0, 965, 518}));
    EXPECT_EQ(panel.Pen.Color, clRed);
    EXPECT_EQ(panel.Pen.Style, psSolid);
}

TEST_F(ChartPaintTest, APanelWithoutColourOrBorderIsNotFilled) {
    chart.SetColor(clNone);
    chart.SetBevelOuter(bvNone);
    Render();
    EXPECT_TRUE(Trace(canvas).starts_with("BeginFrame Panel{ } Titles{"));
}

TEST_F(ChartPaintTest, TheTitleIsCentredOnThePlotAndMovesItsTopDown) {
    Render();
    const TRecordedCall text = canvas.CallsOf("TextOut").at(0);
    // "TChart" in Arial 8 measures 36 x 12: the box (527, 21, 563, 33) is centred on 545.
    EXPECT_EQ(text.Text, "TChart");
    EXPECT_EQ(text.Points[0], (TPoint{545, 21}));
    EXPECT_EQ(text.TextAlign, TA_CENTER | TA_TOP);
    EXPECT_EQ(text.Font.Color, clBlue);
    EXPECT_EQ(text.Font.Name, "Arial");
    EXPECT_EQ(text.Font.SizeFloat, 8);
    EXPECT_EQ(text.BackMode, cbmTransparent);
    // The plot top moves down by the text height and the title's VertMargin: 21 + 12 + 5.
    EXPECT_EQ(BackWallRect().Top, 38);
}

TEST_F(ChartPaintTest, ATitleWithoutTextLeavesTheTop) {
    chart.Title().SetText({});
    Render();
    EXPECT_EQ(canvas.CallsOf("TextOut").size(), 0u);
    EXPECT_EQ(Trace(canvas).find("Titles"), std::string::npos);
    EXPECT_EQ(BackWallRect().Top, 21);
}

TEST_F(ChartPaintTest, TitlesTakeTheirSpaceInOrderAndFeetFromTheBottom) {
    chart.SubTitle().SetText({"first", "second"});
    chart.Foot().SetText({"foot"});
    chart.SubFoot();  // exists, but has no text
    Render();
    EXPECT_EQ(Trace(canvas).substr(Trace(canvas).find("Titles")),
              "Titles{ Title{ TextOut } Subtitle{ TextOut TextOut } Foot{ TextOut } } "
              "Walls{ Back{ Rectangle } } Axes{ } Series{ } EndFrame");
    const auto texts = canvas.CallsOf("TextOut");
    EXPECT_EQ(texts[1].Points[0], (TPoint{545, 38}));
    EXPECT_EQ(texts[2].Points[0], (TPoint{545, 50}));
    // The foot's box stands on the plot bottom 471 and is 12 high; it is red.
    EXPECT_EQ(texts[3].Points[0], (TPoint{545, 459}));
    EXPECT_EQ(texts[3].Font.Color, clRed);
    EXPECT_EQ(BackWallRect(), (TRect{126, 38 + 24 + 5, 965, 459 - 5 + 1}));
}

TEST_F(ChartPaintTest, HiddenAndCustomPositionedTitlesTakeNoSpace) {
    chart.Title().SetVisible(false);
    chart.Foot().SetText({"here"});
    chart.Foot().SetCustomPosition(true);
    chart.Foot().SetLeft(40);
    chart.Foot().SetTop(300);
    auto& data = chart.CreateSeries<TLineSeries>();
    data.SetParentChart(&chart);
    data.AddPoint(1, 2);
    Render();
    // Custom-positioned titles come last, after the legend.
    EXPECT_TRUE(Groups().ends_with("Series, Legend, Items, Titles, Foot")) << Groups();
    // The foot is centred in its own box of 24 x 12 at (40, 300).
    EXPECT_EQ(canvas.CallsOf("TextOut").back().Text, "here");
    EXPECT_EQ(canvas.CallsOf("TextOut").back().Points[0], (TPoint{52, 300}));
    // Only the legend took room, from the right.
    EXPECT_EQ(chart.PlotRect().Top, 21);
    EXPECT_EQ(chart.PlotRect().Bottom, 471);
}

struct LegendOrderCase {
    const char* name;
    bool visible;
    TLegendAlignment alignment;
    bool drawBehind;
    const char* order;  // the titles, series and legend, in drawing order
};

class LegendOrderTest : public ChartPaintTest,
                        public ::testing::WithParamInterface<LegendOrderCase> {};

TEST_P(LegendOrderTest, TheLegendKeepsItsPlaceAmongTheTitles) {
    ShowASeries();
    chart.Legend().SetVisible(GetParam().visible);
    chart.Legend().SetAlignment(GetParam().alignment);
    chart.Legend().SetDrawBehind(GetParam().drawBehind);
    Render();
    std::string order;
    for (const TRecordedCall& call : canvas.CallsOf("BeginGroup")) {
        if (call.Text == "Titles" || call.Text == "Series" || call.Text == "Legend")
            order += (order.empty() ? "" : ", ") + call.Text;
    }
    EXPECT_EQ(order, GetParam().order);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, LegendOrderTest,
    ::testing::Values(
        LegendOrderCase{"NoLegend",                  false, laRight,  false, "Titles, Series"},
        LegendOrderCase{"VerticalOverTheSeries",     true,  laRight,  false, "Titles, Series, Legend"},
        LegendOrderCase{"HorizontalOverTheSeries",   true,  laTop,    false, "Titles, Series, Legend"},
        LegendOrderCase{"VerticalBehindIsDrawnFirst", true, laLeft,   true,  "Legend, Titles, Series"},
        LegendOrderCase{"HorizontalBehindAfterTitles", true, laBottom, true, "Titles, Legend, Series"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A vertical legend counts its rows against the plot as the margins left it (126, 21, 964, 471),
// before the title takes the top; a horizontal one stands below the title.
TEST_F(ChartPaintTest, AVerticalLegendIsLaidOutBeforeTheTitlesAndAHorizontalOneAfter) {
    ShowASeries();
    Render();
    // 10 % of the plot's 450 pixels below its top.
    EXPECT_EQ(chart.Legend().Layout().ShapeBox.Top, 21 + 45);
    chart.Legend().SetAlignment(laTop);
    Render();
    EXPECT_EQ(chart.Legend().Layout().ShapeBox.Top, 38);
    EXPECT_EQ(chart.Layout().LegendBox, chart.Legend().Layout().ShapeBox);
}

TEST_F(ChartPaintTest, AxesDrawnAfterTheSeriesWhenNotBehind) {
    chart.Legend().SetVisible(false);
    ShowASeries();
    chart.SetAxisBehind(false);
    Render();
    EXPECT_TRUE(Groups().ends_with("Walls, Back, Series, Axes, Axis, Axis")) << Groups();

    chart.SetAxisVisible(false);
    Render();
    EXPECT_EQ(Trace(canvas).find("Axes"), std::string::npos);
}

// The axes measure their labels after the title took the top: the plot's top stays where the
// title left it, and the bottom and left axes take their room from the bottom and the left.
TEST_F(ChartPaintTest, AxesTakeTheirSpaceAfterTheTitle) {
    ShowASeries();
    chart.Legend().SetVisible(false);
    Render();
    const TRect plot = chart.PlotRect();
    EXPECT_EQ(plot.Top, 38);
    EXPECT_GT(plot.Left, 126);
    EXPECT_LT(plot.Bottom, 471);
    EXPECT_EQ(plot.Right, 964);
    EXPECT_EQ(chart.ScaleMapOf(chart.LeftAxis()).StartPixel(), 38);
    EXPECT_EQ(chart.ScaleMapOf(chart.BottomAxis()).StartPixel(), plot.Left);
    EXPECT_EQ(BackWallRect(), WithFarEdgesMoved(plot, 1, 1));
}

struct BackWallCase {
    const char* name;
    double startPosition;
    double endPosition;
    TRect rect;
};

class BackWallTest : public ChartPaintTest, public ::testing::WithParamInterface<BackWallCase> {};

TEST_P(BackWallTest, FramesThePlotIncludingItsLastColumnAndRow) {
    chart.BackWall().SetStartPosition(GetParam().startPosition);
    chart.BackWall().SetEndPosition(GetParam().endPosition);
    Render();
    const TRecordedCall wall = canvas.CallsOf("Rectangle").back();
    EXPECT_EQ(wall.Rect, GetParam().rect);
    EXPECT_EQ(wall.Pen.Color, clBlack);
    EXPECT_EQ(wall.Pen.Width, 1);
    EXPECT_EQ(wall.Pen.Style, psSolid);
    EXPECT_EQ(wall.Brush.Style, bsClear);
}

// The plot is (126, 38, 964, 471), 433 pixels high.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, BackWallTest,
    ::testing::Values(
        BackWallCase{"WholeHeight",        0,  100, {126, 38, 965, 472}},
        // 10 % of 433 is 43.3: the bottom rises by 43 and gets no extra row.
        BackWallCase{"EndAtNinetyPercent", 0,  90,  {126, 38, 965, 428}},
        // 50 % of 433 is 216.5, rounded to even.
        BackWallCase{"StartHalfway",       50, 100, {126, 254, 965, 472}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ChartPaintTest, AnOpaqueWallIsFilledInItsColour) {
    chart.BackWall().SetTransparent(false);
    chart.BackWall().SetColor(clGreen);
    Render();
    const TRecordedCall wall = canvas.CallsOf("Rectangle").back();
    EXPECT_EQ(wall.Brush.Style, bsSolid);
    EXPECT_EQ(wall.Brush.Color, clGreen);
}

TEST_F(ChartPaintTest, WallsWithout3DWallsOrHiddenDrawNoBackWall) {
    chart.SetView3DWalls(false);
    Render();
    EXPECT_NE(Trace(canvas).find("Walls{ }"), std::string::npos);
    chart.SetView3DWalls(true);
    chart.BackWall().SetVisible(false);
    Render();
    EXPECT_NE(Trace(canvas).find("Walls{ }"), std::string::npos);
}

TEST_F(ChartPaintTest, SettingsChangedWhilePaintingRequestNoRepaint) {
    bool repaintOnChangeDuringPaint = true;
    chart.OnBeforeDrawSeries = [&] {
        repaintOnChangeDuringPaint = chart.RepaintOnChange();
        chart.LeftAxis().SetMaximum(chart.LeftAxis().Maximum() + 1);
        chart.SetColor(clWhite);
    };
    EXPECT_EQ(RepaintsDuring([&] { Render(); }), 0);
    EXPECT_FALSE(repaintOnChangeDuringPaint);
    EXPECT_TRUE(chart.RepaintOnChange());
    EXPECT_EQ(RepaintsDuring([&] { chart.SetMarginTop(5); }), 1);
}

TEST_F(ChartPaintTest, APaintCutShortStillRestoresRepainting) {
    chart.OnBeforeDrawChart = [] { throw RuntimeError("handler failed"); };
    EXPECT_THROW(Render(), RuntimeError);
    EXPECT_TRUE(chart.RepaintOnChange());
    EXPECT_EQ(RepaintsDuring([&] { chart.SetMarginTop(5); }), 1);
}

// Paints through the chart's own canvas, chosen by class name.
// A chart event handler that throws in the middle of a paint: the exception reaches the caller,
// every group opened so far and the frame are closed, and the next paint starts outside any
// group.
struct ThrowingHandlerCase {
    const char* name;
    void (*install)(TChart&, std::function<void()> thrower);
};

class ThrowingHandlerRows : public ChartPaintTest,
                            public ::testing::WithParamInterface<ThrowingHandlerCase> {};

TEST_P(ThrowingHandlerRows, LeavesNoGroupOpen) {
    auto& data = chart.CreateSeries<TLineSeries>();
    data.SetParentChart(&chart);
    data.AddPoint(1, 2);
    data.AddPoint(2, 3);
    GetParam().install(chart, [] { throw RuntimeError("handler failed"); });
    EXPECT_THROW(Render(), RuntimeError);
    EXPECT_EQ(canvas.GroupDepth(), 0U);
    EXPECT_FALSE(canvas.InFrame());

    GetParam().install(chart, {});
    std::size_t depthBeforeChart = 99;
    chart.OnBeforeDrawChart = [&] { depthBeforeChart = canvas.GroupDepth(); };
    Render();
    EXPECT_EQ(depthBeforeChart, 0U);
    EXPECT_EQ(canvas.GroupDepth(), 0U);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ThrowingHandlerRows,
    ::testing::Values(
        ThrowingHandlerCase("BeforeDrawAxes",
                            [](TChart& c, std::function<void()> f) { c.OnBeforeDrawAxes = f; }),
        ThrowingHandlerCase("BeforeDrawSeries",
                            [](TChart& c, std::function<void()> f) { c.OnBeforeDrawSeries = f; }),
        ThrowingHandlerCase("LegendText",
                            [](TChart& c, std::function<void()> f) {
                                c.OnGetLegendText = [f](TLegendStyle, std::int32_t,
                                                        const std::string& text) {
                                    if (f) f();
                                    return text;
                                };
                            }),
        ThrowingHandlerCase("AfterDraw",
                            [](TChart& c, std::function<void()> f) { c.OnAfterDraw = f; })),
    [](const auto& info) { return std::string(info.param.name); });

class ChartWindowPaintTest : public ChartPaintTest {
protected:
    ChartWindowPaintTest() {
        RegisterCanvasClass("TRecordingCanvas",
                            [] { return std::make_unique<TRecordingCanvas>(); });
        chart.SetDefaultCanvas("TRecordingCanvas");
        own = dynamic_cast<TRecordingCanvas*>(chart.Canvas());
    }
    ~ChartWindowPaintTest() override { UnregisterCanvasClass("TRecordingCanvas"); }

    std::vector<std::string> PaintCalls() {
        own->ClearCalls();
        chart.Paint(target);
        std::vector<std::string> operations;
        for (const TRecordedCall& call : own->Calls())
            operations.push_back(call.Operation);
        return operations;
    }

    TRecordingCanvas* own = nullptr;
};

// A chart made before any canvas class was registered: it says so once instead of leaving its
// window unpainted without a word, and takes a canvas as soon as one can be had.
TEST_F(ChartPaintTest, AChartWithoutACanvasSaysSoOnceAndTakesOneWhenRegistered) {
    testing::MessageRecorder recorder;
    ASSERT_EQ(chart.Canvas(), nullptr);
    chart.Paint(target);
    chart.Paint(target);
    EXPECT_EQ(recorder.messages,
              std::vector<std::string>{"The chart cannot paint: no canvas class is registered"});

    RegisterCanvasClass(kFallbackCanvasClass, [] { return std::make_unique<TRecordingCanvas>(); });
    chart.Paint(target);
    auto* own = dynamic_cast<TRecordingCanvas*>(chart.Canvas());
    UnregisterCanvasClass(kFallbackCanvasClass);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->CallsOf("BeginFrame").size(), 1u);
    EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST_F(ChartWindowPaintTest, AnUnchangedChartOnlyCopiesItsBuffer) {
    ASSERT_NE(own, nullptr);
    const auto first = PaintCalls();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front(), "BeginFrame");
    EXPECT_EQ(own->CallsOf("BeginFrame").at(0).Rect, (TRect{0, 0, 965, 518}));
    EXPECT_EQ(first.back(), "EndFrame");

    EXPECT_EQ(PaintCalls(), (std::vector<std::string>{"CopyBuffer"}));

    chart.Title().SetText({"changed"});
    EXPECT_EQ(PaintCalls().front(), "BeginFrame");
    EXPECT_EQ(PaintCalls(), (std::vector<std::string>{"CopyBuffer"}));
}

TEST_F(ChartWindowPaintTest, ChangesMadeWhilePaintingLeaveTheBufferValid) {
    chart.OnBeforeDrawSeries = [this] { chart.LeftAxis().SetMaximum(50); };
    PaintCalls();
    EXPECT_EQ(PaintCalls(), (std::vector<std::string>{"CopyBuffer"}));
}

}  // namespace
}  // namespace twinscope
