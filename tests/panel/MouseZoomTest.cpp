#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Printers.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {
namespace {

constexpr double kBegin = 45505.60522789352;  // 1 August 2024 14:31:31.69
constexpr double kEnd = 45565.60543462963;    // 30 September 2024 14:31:49.552
constexpr TScaleRange kLeft{0, 100};
constexpr TScaleRange kBottom{kBegin, kEnd};
constexpr TScaleRange kCelsius{-17.77777777777778, 37.77777777777778};
constexpr TScaleRange kDays{214.60522789352, 274.60543462963};

// The values at the pixels of a drag from (300, 100) to (500, 300): the left axis maps 21..440
// onto 100..0, the bottom axis 145..964 onto the two dates.
constexpr TScaleRange kLeftZoomed{33.41288782816229, 81.14558472553699};
constexpr TScaleRange kBottomZoomed{45516.96057837471, 45531.61264351173};

TScaleRange RangeOf(const TChartAxis& axis) {
    return {axis.Minimum(), axis.Maximum()};
}

void Fix(TChartAxis& axis, TScaleRange range) {
    axis.SetAutomatic(false);
    axis.SetMinMax(range.Minimum, range.Maximum);
}

// The window's chart with both secondary scales: 965 x 518, margins 15/4/0/15 percent, the
// data series on the left and bottom axes, and the scales as custom axes.
class MouseZoomTest : public testing::ChartFixture {
protected:
    MouseZoomTest() {
        chart.SetBounds(965, 518);
        chart.SetMarginLeft(15);
        chart.SetMarginTop(4);
        chart.SetMarginRight(0);
        chart.SetMarginBottom(15);
        chart.SetView3D(false);
        chart.CreateSeries<TLineSeries>().SetParentChart(&chart);
        Fix(chart.LeftAxis(), kLeft);
        Fix(chart.BottomAxis(), kBottom);
        celsius = &chart.CustomAxes().Add();
        Fix(*celsius, kCelsius);
        days = &chart.CustomAxes().Add();
        days->SetHorizontal(true);
        Fix(*days, kDays);
        Layout();
        EXPECT_EQ(chart.PlotRect(), (TRect{145, 21, 964, 440}));
    }

    // The geometry of a paint, without drawing.
    void Layout() {
        testing::steps::StartLayout(chart, {0, 0, 965, 518});
        testing::steps::FitAxesIntoPlot(chart);
    }

    void Drag(TMouseButton button, std::vector<TPoint> path, TShiftState shift = {}) {
        mouse.MouseDown(button, path.front().X, path.front().Y, shift);
        for (std::size_t i = 1; i < path.size(); ++i)
            mouse.MouseMove(path[i].X, path[i].Y);
        mouse.MouseUp(button, path.back().X, path.back().Y);
    }

    TChartMouse& mouse = chart.Mouse();
    TChartAxis* celsius = nullptr;
    TChartAxis* days = nullptr;
};

#define EXPECT_RANGE(axis, range)                              \
    do {                                                       \
        EXPECT_EQ((axis).Minimum(), (range).Minimum) << #axis; \
        EXPECT_EQ((axis).Maximum(), (range).Maximum) << #axis; \
    } while (false)

struct ZoomCase {
    const char* name;
    TPoint from;
    TPoint to;
    std::optional<TScaleRange> left;  // none: unchanged
    std::optional<TScaleRange> bottom;
    void (*setup)(TChartZoom&) = nullptr;
    TShiftState shift = {};
};

class ZoomDragTest : public MouseZoomTest, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(ZoomDragTest, RangesAfterTheDrag) {
    const ZoomCase& c = GetParam();
    if (c.setup) c.setup(mouse.Zoom());
    Drag(mbLeft, {c.from, {(c.from.X + c.to.X) / 2, c.from.Y}, c.to}, c.shift);
    EXPECT_RANGE(chart.LeftAxis(), c.left.value_or(kLeft));
    EXPECT_RANGE(chart.BottomAxis(), c.bottom.value_or(kBottom));
    EXPECT_FALSE(mouse.Zoom().Active());
    EXPECT_EQ(mouse.Zoomed(), c.left || c.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZoomDragTest,
    ::testing::Values(
        ZoomCase{"DownToTheRightZooms", {300, 100}, {500, 300}, kLeftZoomed, kBottomZoomed},
        ZoomCase{"UpToTheRightZoomsAlike", {300, 300}, {500, 100}, kLeftZoomed, kBottomZoomed},
        ZoomCase{"SixteenPixelsWideIsTooNarrow", {300, 100}, {316, 300}, {}, {}},
        ZoomCase{"SixteenPixelsHighIsTooLow", {300, 100}, {500, 116}, {}, {}},
        ZoomCase{"SeventeenBySeventeenCounts",
                 {300, 100},
                 {317, 117},
                 TScaleRange{77.08830548926014, 81.14558472553699},
                 TScaleRange{45516.96057837471, 45518.20600391136}},
        ZoomCase{"ToTheLeftWithNothingToUndoChangesNothing", {500, 300}, {300, 100}, {}, {}},
        ZoomCase{"UpLeftZoomsWhenAsked",
                 {500, 300},
                 {300, 100},
                 kLeftZoomed,
                 kBottomZoomed,
                 [](TChartZoom& z) { z.SetUpLeftZooms(true); }},
        ZoomCase{"HorizontalTakesTheWholeHeight",
                 {300, 100},
                 {500, 105},
                 {},
                 kBottomZoomed,
                 [](TChartZoom& z) { z.SetDirection(tzdHorizontal); }},
        ZoomCase{"VerticalTakesTheWholeWidth",
                 {300, 100},
                 {305, 300},
                 kLeftZoomed,
                 {},
                 [](TChartZoom& z) { z.SetDirection(tzdVertical); }},
        ZoomCase{"VerticalUpwardsUndoes",
                 {300, 300},
                 {500, 100},
                 {},
                 {},
                 [](TChartZoom& z) { z.SetDirection(tzdVertical); }},
        ZoomCase{
            "NotAllowed", {300, 100}, {500, 300}, {}, {}, [](TChartZoom& z) { z.SetAllow(false); }},
        ZoomCase{"WithoutTheRequiredKey",
                 {300, 100},
                 {500, 300},
                 {},
                 {},
                 [](TChartZoom& z) { z.SetKeyShift({ssShift}); }},
        ZoomCase{"WithTheRequiredKeyAndMore",
                 {300, 100},
                 {500, 300},
                 kLeftZoomed,
                 kBottomZoomed,
                 [](TChartZoom& z) { z.SetKeyShift({ssShift}); },
                 {ssShift, ssCtrl}},
        ZoomCase{"PressBesideThePlotStartsNothing", {100, 100}, {500, 300}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MouseZoomTest, AZoomChangesTheFourStandardAxesInOrderAndNoScale) {
    // Each repaint request tells which end changed last.
    std::vector<std::string> writes;
    TScaleRange left = RangeOf(chart.LeftAxis());
    TScaleRange bottom = RangeOf(chart.BottomAxis());
    chart.SetOnRepaintRequest([&] {
        auto note = [&](const char* name, TScaleRange& before, const TChartAxis& axis) {
            if (axis.Minimum() != before.Minimum) writes.push_back(std::string(name) + ".Minimum");
            if (axis.Maximum() != before.Maximum) writes.push_back(std::string(name) + ".Maximum");
            before = RangeOf(axis);
        };
        note("Left", left, chart.LeftAxis());
        note("Bottom", bottom, chart.BottomAxis());
    });
    ASSERT_TRUE(chart.TopAxis().Automatic());

    Drag(mbLeft, {{300, 100}, {500, 300}});

    EXPECT_EQ(writes, (std::vector<std::string>{"Left.Minimum", "Left.Maximum", "Bottom.Minimum",
                                                "Bottom.Maximum"}));
    for (TChartAxis* axis : {&chart.RightAxis(), &chart.TopAxis()}) {
        EXPECT_FALSE(axis->Automatic() || axis->AutomaticMinimum() || axis->AutomaticMaximum());
        EXPECT_RANGE(*axis, (TScaleRange{0, 0}));  // an axis without series spans nothing
    }
    EXPECT_RANGE(*celsius, kCelsius);
    EXPECT_RANGE(*days, kDays);
}

TEST_F(MouseZoomTest, ADragToTheLeftUndoesTheZoom) {
    int zooms = 0;
    int undos = 0;
    mouse.OnZoom = [&] { ++zooms; };
    mouse.OnUndoZoom = [&] { ++undos; };
    Drag(mbLeft, {{300, 100}, {500, 300}});
    ASSERT_TRUE(mouse.ScalesSaved());
    Layout();
    Drag(mbLeft, {{500, 300}, {300, 100}});

    EXPECT_RANGE(chart.LeftAxis(), kLeft);
    EXPECT_RANGE(chart.BottomAxis(), kBottom);
    EXPECT_TRUE(chart.TopAxis().Automatic());
    EXPECT_TRUE(chart.RightAxis().AutomaticMinimum());
    EXPECT_FALSE(mouse.Zoomed());
    EXPECT_FALSE(mouse.ScalesSaved());
    EXPECT_EQ(zooms, 1);
    EXPECT_EQ(undos, 1);
}

TEST_F(MouseZoomTest, UndoRestoresByPositionAfterThePlotReplacedAScale) {
    Drag(mbLeft, {{300, 100}, {500, 300}});
    Drag(mbLeft, {{300, 100}, {500, 300}});  // a second zoom keeps the first saved copy
    // What a plot does meanwhile: new master ranges, the day-of-year scale replaced.
    chart.LeftAxis().SetMinMax(40, 80);
    chart.CustomAxes().Remove(*days);
    TChartAxis& replacement = chart.CustomAxes().Add();
    replacement.SetHorizontal(true);
    Fix(replacement, {1, 2});

    mouse.UnzoomAxes();

    EXPECT_RANGE(chart.LeftAxis(), kLeft);
    EXPECT_RANGE(chart.BottomAxis(), kBottom);
    EXPECT_RANGE(replacement, kDays);
}

TEST_F(MouseZoomTest, UndoStoresARangeThatTheSettersWouldRefuse) {
    chart.BeginLoading();
    chart.RightAxis().SetMinimum(5);  // above its maximum 0, as a stored form may hold it
    chart.EndLoading();
    Drag(mbLeft, {{300, 100}, {500, 300}});
    EXPECT_NO_THROW(mouse.UnzoomAxes());
    EXPECT_RANGE(chart.RightAxis(), (TScaleRange{5, 0}));
}

struct ScrollCase {
    const char* name;
    TPanningMode mode;
    TPoint to;  // from (400, 200)
    bool horizontalMoves;
    bool verticalMoves;
};

class ScrollDragTest : public MouseZoomTest, public ::testing::WithParamInterface<ScrollCase> {};

// Every axis moves by the same number of pixels through its own scale: after the next layout
// the value that stood at the press point stands at the release point.
TEST_P(ScrollDragTest, EveryAxisFollowsTheMouse) {
    const ScrollCase& c = GetParam();
    mouse.SetAllowPanning(c.mode);
    const TPoint from{400, 200};
    struct Watched {
        TChartAxis* axis;
        double grabbed;
        TScaleRange before;
    };
    std::vector<Watched> watched;
    for (TChartAxis* axis : {&chart.BottomAxis(), days, &chart.LeftAxis(), celsius}) {
        const std::int32_t p = axis->Horizontal() ? from.X : from.Y;
        watched.push_back({axis, chart.ScaleMapOf(*axis).ToValue(p), RangeOf(*axis)});
    }

    Drag(mbRight, {from, c.to});
    Layout();

    for (const Watched& w : watched) {
        const bool moves = w.axis->Horizontal() ? c.horizontalMoves : c.verticalMoves;
        const std::int32_t target = w.axis->Horizontal() ? c.to.X : c.to.Y;
        if (!moves) {
            EXPECT_RANGE(*w.axis, w.before);
            continue;
        }
        EXPECT_EQ(chart.ScaleMapOf(*w.axis).ToPixel(w.grabbed), target);
        EXPECT_NEAR(w.axis->Maximum() - w.axis->Minimum(), w.before.Maximum - w.before.Minimum,
                    1e-9);
    }
    EXPECT_FALSE(mouse.Scroll().Active);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScrollDragTest,
    ::testing::Values(ScrollCase{"FiftyToTheRight", pmBoth, {450, 200}, true, false},
                      ScrollCase{"FiftyDown", pmBoth, {400, 250}, false, true},
                      ScrollCase{"Diagonal", pmBoth, {330, 120}, true, true},
                      ScrollCase{"OutsideThePlotGoesOn", pmBoth, {100, 480}, true, true},
                      ScrollCase{"HorizontalOnly", pmHorizontal, {330, 120}, true, false},
                      ScrollCase{"VerticalOnly", pmVertical, {330, 120}, false, true},
                      ScrollCase{"NoPanning", pmNone, {330, 120}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MouseZoomTest, FiftyPixelsToTheRightLowerTheBottomAxisByFiftyPixelsOfDays) {
    int scrolls = 0;
    mouse.OnScroll = [&] { ++scrolls; };
    Drag(mbRight, {{400, 200}, {450, 200}});
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 45501.94221160926);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 45561.942418345374);
    EXPECT_EQ(scrolls, 1);
    EXPECT_TRUE(mouse.ScalesSaved());
    EXPECT_FALSE(mouse.Zoomed());
}

TEST_F(MouseZoomTest, MovesFasterThanThePaintsStillAddUp) {
    mouse.MouseDown(mbRight, 400, 200, {});
    mouse.MouseMove(420, 200);
    mouse.MouseMove(435, 200);
    mouse.MouseMove(450, 200);
    mouse.MouseUp(mbRight, 450, 200);
    EXPECT_NEAR(chart.BottomAxis().Minimum(), 45501.94221160926, 1e-9);
    EXPECT_NEAR(chart.BottomAxis().Maximum(), 45561.942418345374, 1e-9);
}

TEST_F(MouseZoomTest, InsideBoundsEndsTheScrollWhereThePlotEnds) {
    mouse.Panning().SetInsideBounds(true);
    mouse.MouseDown(mbRight, 400, 200, {});
    mouse.MouseMove(100, 200);
    EXPECT_FALSE(mouse.Scroll().Active);
    mouse.MouseMove(450, 200);
    EXPECT_RANGE(chart.BottomAxis(), kBottom);
}

TEST_F(MouseZoomTest, AScrollHandlerMayChangeOrRefuseAStep) {
    mouse.OnAllowScroll = [this](TChartAxis& axis,
                                 TScaleRange proposed) -> std::optional<TScaleRange> {
        if (&axis == days) return std::nullopt;
        if (&axis == &chart.BottomAxis()) return TScaleRange{proposed.Maximum, 1};
        return proposed;
    };
    Drag(mbRight, {{400, 200}, {450, 200}});
    EXPECT_RANGE(*days, kDays);
    EXPECT_EQ(chart.BottomAxis().Minimum(), 1);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 45561.942418345374);
}

TEST_F(MouseZoomTest, AnEndThatWouldPassTheDoublesRangeStays) {
    Fix(*days, {1e308, 1.69e308});
    Layout();
    Drag(mbRight, {{400, 200}, {300, 200}});  // a hundred pixels: about 8.4e306
    EXPECT_GT(days->Minimum(), 1e308);
    EXPECT_EQ(days->Maximum(), 1.69e308);
}

// The left axis maps 21..440 onto 1..1e6 by logarithms: 419 pixels for six powers of ten.
TEST_F(MouseZoomTest, ALogarithmicAxisScrollsByARatio) {
    TChartAxis& left = chart.LeftAxis();
    Fix(left, {1, 1e6});
    left.SetLogarithmic(true);
    Layout();
    const double grabbed = chart.ScaleMapOf(left).ToValue(300);
    Drag(mbRight, {{400, 300}, {400, 230}});
    Layout();
    EXPECT_EQ(chart.ScaleMapOf(left).ToPixel(grabbed), 230);
    EXPECT_DOUBLE_EQ(left.Maximum() / left.Minimum(), 1e6);
    EXPECT_LT(left.Minimum(), 1);
    mouse.UnzoomAxes();
    EXPECT_RANGE(left, (TScaleRange{1, 1e6}));
}

// The left axis (0 to 100) is zoomed, then turned logarithmic: the undo cannot put 0 back on
// it, so it keeps the range it has, while the other axes return.
TEST_F(MouseZoomTest, UndoLeavesAnAxisThatTurnedLogarithmicAfterTheZoom) {
    Drag(mbLeft, {{300, 100}, {500, 300}});
    TChartAxis& left = chart.LeftAxis();
    left.SetLogarithmic(true);
    mouse.UnzoomAxes();
    EXPECT_RANGE(left, kLeftZoomed);
    EXPECT_TRUE(left.Logarithmic());
    EXPECT_RANGE(chart.BottomAxis(), kBottom);
    // Nor does a zoom or scroll give it an end it has no place for.
    SetRangeFromMouse(left, 0, 50);
    EXPECT_RANGE(left, kLeftZoomed);
}

TEST_F(MouseZoomTest, ALogarithmicAxisZoomsToTheValuesUnderTheRectangle) {
    TChartAxis& left = chart.LeftAxis();
    Fix(left, {1, 1e6});
    left.SetLogarithmic(true);
    Layout();
    const TScaleMap shown = chart.ScaleMapOf(left);
    Drag(mbLeft, {{300, 100}, {500, 300}});
    EXPECT_DOUBLE_EQ(left.Maximum(), shown.ToValue(100));
    EXPECT_DOUBLE_EQ(left.Minimum(), shown.ToValue(300));
    // On logarithms: 200 pixels of 419 are 2.86 powers of ten.
    EXPECT_NEAR(std::log10(left.Maximum() / left.Minimum()), 200 * 6.0 / 419, 1e-12);
}

// Mouse positions far outside the plot are taken in 64 bits: the extreme drag moves the ranges
// the same way as a far one.
TEST_F(MouseZoomTest, AScrollToTheFarthestPositionMovesAsAFarOneDoes) {
    Drag(mbRight, {{400, 200}, {-1000000, -1000000}});
    const TScaleRange far{chart.BottomAxis().Minimum(), chart.LeftAxis().Minimum()};
    mouse.UnzoomAxes();
    Layout();
    Drag(mbRight, {{400, 200}, {INT32_MIN, INT32_MIN}});
    EXPECT_GT(chart.BottomAxis().Minimum(), far.Minimum);
    EXPECT_LT(chart.LeftAxis().Minimum(), far.Maximum);
}

TEST_F(MouseZoomTest, UndoAfterAScrollReturnsEveryAxis) {
    Drag(mbRight, {{400, 200}, {450, 260}});
    mouse.UnzoomAxes();
    EXPECT_RANGE(chart.BottomAxis(), kBottom);
    EXPECT_RANGE(chart.LeftAxis(), kLeft);
    EXPECT_RANGE(*days, kDays);
    EXPECT_RANGE(*celsius, kCelsius);
}

struct WheelCase {
    const char* name;
    void (*setup)(TChartMouse&);
    std::int32_t delta;
    bool leftChanges;
    bool bottomChanges;
};

class MouseWheelTest : public MouseZoomTest, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(MouseWheelTest, RangesAfterTheWheel) {
    const WheelCase& c = GetParam();
    c.setup(mouse);
    const int requests = RepaintsDuring([&] { mouse.MouseWheel(c.delta); });
    EXPECT_EQ(chart.LeftAxis().Minimum() != kLeft.Minimum, c.leftChanges);
    EXPECT_EQ(chart.BottomAxis().Minimum() != kBottom.Minimum, c.bottomChanges);
    EXPECT_EQ(requests > 0, c.leftChanges || c.bottomChanges);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MouseWheelTest,
    ::testing::Values(
        WheelCase{"TheWindowsSettingsIgnoreIt",
                  [](TChartMouse& m) { m.Panning().SetMouseWheel(pmwNone); }, 120, false, false},
        WheelCase{"PanningScrollsTheVerticalAxes", [](TChartMouse&) {}, 120, true, false},
        WheelCase{"WithoutPanningNothing", [](TChartMouse& m) { m.SetAllowPanning(pmNone); }, 120,
                  false, false},
        WheelCase{"HorizontalPanningScrollsTheHorizontalAxes",
                  [](TChartMouse& m) { m.SetAllowPanning(pmHorizontal); }, 120, false, true},
        WheelCase{"ZoomWheelZoomsBoth", [](TChartMouse& m) { m.Zoom().SetMouseWheel(pmwNormal); },
                  120, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MouseZoomTest, WheelDirections) {
    mouse.MouseWheel(120);  // away from the user: higher values, by a tenth of the plot
    EXPECT_NEAR(chart.LeftAxis().Minimum(), 42 * 100.0 / 419, 1e-12);
    mouse.Panning().SetMouseWheel(pmwInverted);
    mouse.MouseWheel(120);
    EXPECT_NEAR(chart.LeftAxis().Minimum(), 0, 1e-12);

    mouse.Zoom().SetMouseWheel(pmwNormal);
    Layout();
    mouse.MouseWheel(120);
    const TScaleRange in = RangeOf(chart.BottomAxis());
    EXPECT_LT(in.Maximum - in.Minimum, kBottom.Maximum - kBottom.Minimum);
    mouse.Zoom().SetMouseWheel(pmwInverted);
    Layout();
    mouse.MouseWheel(120);
    EXPECT_GT(chart.BottomAxis().Maximum() - chart.BottomAxis().Minimum(), in.Maximum - in.Minimum);
}

TEST_F(MouseZoomTest, WithoutAnActiveSeriesThePlotIsNothing) {
    chart.Series(0).SetActive(false);
    EXPECT_EQ(mouse.ClickedPart({300, 100}), cpNone);
}


// The chart draws on a recording canvas of its own.
class ZoomRectangleTest : public MouseZoomTest {
protected:
    ZoomRectangleTest() {
        RegisterCanvasClass("TRecordingCanvas",
                            [] { return std::make_unique<TRecordingCanvas>(); });
        chart.SetDefaultCanvas("TRecordingCanvas");
        canvas = dynamic_cast<TRecordingCanvas*>(chart.Canvas());
    }
    ~ZoomRectangleTest() override { UnregisterCanvasClass("TRecordingCanvas"); }

    std::vector<TRect> Rectangles() const {
        std::vector<TRect> rects;
        for (const TRecordedCall& call : canvas->CallsOf("Rectangle"))
            rects.push_back(call.Rect);
        return rects;
    }

    TRecordingCanvas* canvas = nullptr;
    TNoTarget target;
};

TEST_F(ZoomRectangleTest, EachMoveErasesTheOldRectangleAndDrawsTheNew) {
    ASSERT_NE(canvas, nullptr);
    canvas->ClearCalls();
    const int requests = RepaintsDuring([&] {
        mouse.MouseDown(mbLeft, 500, 300, {});
        mouse.MouseMove(400, 200);
        mouse.MouseMove(400, 200);  // no change: nothing drawn
        mouse.MouseMove(300, 100);
    });
    const TRect first{400, 200, 500, 300};
    const TRect second{300, 100, 500, 300};
    EXPECT_EQ(Rectangles(), (std::vector<TRect>{first, first, second}));
    EXPECT_GT(requests, 0);
    for (const TRecordedCall& call : canvas->CallsOf("Rectangle")) {
        EXPECT_EQ(call.Pen.Mode, pmNotXor);
        EXPECT_EQ(call.Pen.Width, 3);
        EXPECT_EQ(call.Pen.Color, 0xCFCFCFu);
        EXPECT_EQ(call.Brush.Style, bsClear);
    }

    mouse.MouseUp(mbLeft, 300, 100);  // a drag to the left: erased, then an undo
    EXPECT_EQ(Rectangles().back(), second);
    EXPECT_EQ(Rectangles().size(), 4u);
    EXPECT_EQ(canvas->Pen().Mode, pmCopy);
}

// Where a paint put the parts that the clicked-part rows aim at.
struct HitGeometry {
    TRect plot;
    TRect legend;
    std::int32_t line;    // the left axis's line
    std::int32_t labels;  // where its labels are anchored
    std::int32_t midY;    // a row of the plot away from the series and the legend
};

struct HitCase {
    const char* name;
    TPoint (*point)(const HitGeometry&);
    TChartClickedPart expected;
};

// After a paint of a level series at 50 (the middle row) with its legend on the right.
class ClickedPartTest : public ZoomRectangleTest, public ::testing::WithParamInterface<HitCase> {
protected:
    ClickedPartTest() {
        TChartSeries& data = chart.Series(0);
        data.AddPoint(kBegin + 10, 50);
        data.AddPoint(kBegin + 20, 50);
        chart.Paint(target);
        const TAxisLayout& left = chart.AxisPaintOf(chart.LeftAxis()).Layout;
        at = {chart.PlotRect(), chart.Layout().LegendBox, left.AxisPosition, left.LabelsPosition,
              chart.PlotRect().Top + chart.PlotHeight() * 3 / 4};
    }
    HitGeometry at;
};

TEST_P(ClickedPartTest, WhatLiesUnderThePoint) {
    ASSERT_FALSE(at.legend.IsEmpty());
    ASSERT_LT(at.labels, at.line);
    EXPECT_EQ(mouse.ClickedPart(GetParam().point(at)), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, ClickedPartTest,
    ::testing::Values(
        HitCase{"InsideThePlot",             [](const HitGeometry& g) { return TPoint{g.plot.Left + 40, g.midY}; },        cpChartRect},
        HitCase{"ThePlotsLastColumn",        [](const HitGeometry& g) { return TPoint{g.plot.Right, g.midY}; },            cpChartRect},
        HitCase{"RightOfThePlot",            [](const HitGeometry& g) { return TPoint{g.plot.Right + 1, g.midY}; },        cpNone},
        HitCase{"TheLegendOverThePlot",      [](const HitGeometry& g) { return TPoint{g.legend.Left + 2, g.legend.Top + 2}; }, cpLegend},
        HitCase{"BetweenLabelsAndLine",      [](const HitGeometry& g) { return TPoint{g.labels, g.midY}; },                cpAxis},
        HitCase{"ThreePixelsBeyondTheLine",  [](const HitGeometry& g) { return TPoint{g.line + 3, g.midY}; },              cpAxis},
        HitCase{"FourPixelsBeyondTheLine",   [](const HitGeometry& g) { return TPoint{g.line + 4, g.midY}; },              cpChartRect},
        HitCase{"OnTheLabelTexts",           [](const HitGeometry& g) { return TPoint{g.labels - 1, g.midY}; },            cpNone},
        HitCase{"AboveTheAxisStart",         [](const HitGeometry& g) { return TPoint{g.line, g.plot.Top - 1}; },          cpNone}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ClickedPartTest, APressStartsOnlyOnSeriesAxesTitlesAndThePlot) {
    const TPoint legend{at.legend.Left + 2, at.legend.Top + 2};
    for (TMouseButton button : {mbLeft, mbRight}) {
        mouse.MouseDown(button, legend.X, legend.Y, {});
        EXPECT_FALSE(mouse.Zoom().Active() || mouse.Scroll().Active);
    }
    mouse.MouseDown(mbLeft, at.labels, at.midY, {});  // the axis
    EXPECT_TRUE(mouse.Zoom().Active());
    mouse.MouseUp(mbLeft, at.labels, at.midY);
    const TChartSeries& data = chart.Series(0);
    mouse.MouseDown(mbRight, data.XPixel(0), data.YPixel(0), {});
    EXPECT_TRUE(mouse.Scroll().Active);
}

// The program's own hit tests after a paint: three points at 50 °F, the third after a gap, and
// the left axis titled "Temperature °F", turned to read upwards, centred on its anchor.
struct ProgramHitCase {
    const char* name;
    TPoint (*point)(const TChartSeries&, const TRecordedCall& title);
    TChartClickedPart expected;
};

class ProgramHitTest : public ZoomRectangleTest,
                       public ::testing::WithParamInterface<ProgramHitCase> {
protected:
    ProgramHitTest() {
        TChartSeries& data = chart.Series(0);
        data.AddPoint(kBegin + 10, 50);
        data.AddPoint(kBegin + 20, 50);
        data.AddGapPoint(kBegin + 30, 50);
        data.AddPoint(kBegin + 40, 50);
        chart.LeftAxis().Title().SetCaption("Temperature °F");
        chart.Paint(target);
    }
};

TEST_P(ProgramHitTest, FindsSeriesAndAxisTitles) {
    const auto texts = canvas->CallsOf("TextOut");
    const auto title = std::find_if(texts.begin(), texts.end(),
                                    [](const TRecordedCall& c) { return c.Text == "Temperature °F"; });
    ASSERT_NE(title, texts.end());
    const TPoint at = GetParam().point(chart.Series(0), *title);
    EXPECT_EQ(mouse.ClickedPart(at), GetParam().expected);
}

// The centre of the title's text, and how far the text runs upwards: its 14 characters.
TPoint Anchor(const TRecordedCall& title) {
    return title.Points.at(0);
}

std::int32_t Length(const TRecordedCall& title) {
    return 14 * TRecordingCanvas::CharWidth(title.Font.SizeFloat);
}

TPoint PointOf(const TChartSeries& s, std::int32_t i, std::int32_t dy = 0) {
    return {s.XPixel(i), s.YPixel(i) + dy};
}

TPoint Between(const TChartSeries& s, std::int32_t i, std::int32_t j, std::int32_t dy) {
    return {(s.XPixel(i) + s.XPixel(j)) / 2, s.YPixel(i) + dy};
}

using S = const TChartSeries&;
using T = const TRecordedCall&;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, ProgramHitTest,
    ::testing::Values(
        ProgramHitCase{"OnAPoint",                      [](S s, T) { return PointOf(s, 0); },          cpSeries},
        ProgramHitCase{"ThreePixelsOffAPoint",          [](S s, T) { return PointOf(s, 3, -3); },      cpSeries},
        ProgramHitCase{"OnTheLine",                     [](S s, T) { return Between(s, 0, 1, 0); },    cpSeries},
        ProgramHitCase{"ThreePixelsOffTheLine",         [](S s, T) { return Between(s, 0, 1, 3); },    cpSeries},
        ProgramHitCase{"FourPixelsOffTheLineIsThePlot", [](S s, T) { return Between(s, 0, 1, 4); },    cpChartRect},
        ProgramHitCase{"AcrossTheGapIsThePlot",         [](S s, T) { return Between(s, 1, 3, 0); },    cpChartRect},
        ProgramHitCase{"TheAxisTitle",                  [](S, T t) { return TPoint{Anchor(t).X + 1, Anchor(t).Y + 1}; },                 cpAxisTitle},
        ProgramHitCase{"TheTurnedTitlesFarEnd",         [](S, T t) { return TPoint{Anchor(t).X + 2, Anchor(t).Y - Length(t) / 2 + 2}; }, cpAxisTitle},
        ProgramHitCase{"WhereTheUprightTitleWouldLie",  [](S, T t) { return TPoint{Anchor(t).X - Length(t) / 4, Anchor(t).Y}; },     cpNone}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct XorColourCase {
    const char* name;
    TColor panel;
    bool opaqueWall;
    TColor expected;
};

class ZoomRectangleColourTest : public ZoomRectangleTest,
                                public ::testing::WithParamInterface<XorColourCase> {};

// Drawn over the background with the not-exclusive-or pen, the colour shows as silver.
TEST_P(ZoomRectangleColourTest, ShowsThePenColourOverTheBackground) {
    const XorColourCase& c = GetParam();
    chart.SetColor(c.panel);
    chart.BackWall().SetTransparent(!c.opaqueWall);
    canvas->ClearCalls();
    mouse.MouseDown(mbLeft, 300, 100, {});
    mouse.MouseMove(400, 200);
    ASSERT_EQ(canvas->CallsOf("Rectangle").size(), 1u);
    const TColor drawn = canvas->CallsOf("Rectangle")[0].Pen.Color;
    EXPECT_EQ(drawn, c.expected);
    const TColor background = c.opaqueWall ? clSilver : ColorToRGB(c.panel);
    EXPECT_EQ(~(drawn ^ background) & 0xFFFFFF, clSilver);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZoomRectangleColourTest,
    ::testing::Values(XorColourCase{"ButtonFacePanel", clBtnFace, false, 0xCFCFCF},
                      XorColourCase{"WhitePanel", clWhite, false, 0xC0C0C0},
                      XorColourCase{"OpaqueSilverWall", clBtnFace, true, 0xFFFFFF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZoomRectangleTest, APaintDuringTheDragDrawsTheRectangleLast) {
    mouse.MouseDown(mbLeft, 300, 100, {});
    mouse.MouseMove(400, 200);
    canvas->ClearCalls();
    chart.RenderChart(*canvas, target, {0, 0, 965, 518});
    const TRecordedCall last = canvas->CallsOf("Rectangle").back();
    EXPECT_EQ(last.Rect, (TRect{300, 100, 400, 200}));
    EXPECT_EQ(last.Pen.Mode, pmNotXor);

    mouse.MouseUp(mbLeft, 400, 200);
    canvas->ClearCalls();
    chart.RenderChart(*canvas, target, {0, 0, 965, 518});
    EXPECT_NE(Rectangles().back(), (TRect{300, 100, 400, 200}));
}

TEST_F(ZoomRectangleTest, FullRepaintDrawsTheRectangleOnlyInThePaint) {
    mouse.Zoom().SetFullRepaint(true);
    canvas->ClearCalls();
    const int requests = RepaintsDuring([&] {
        mouse.MouseDown(mbLeft, 300, 100, {});
        mouse.MouseMove(400, 200);
    });
    EXPECT_TRUE(Rectangles().empty());
    EXPECT_GT(requests, 0);
    chart.RenderChart(*canvas, target, {0, 0, 965, 518});
    const TRecordedCall last = canvas->CallsOf("Rectangle").back();
    EXPECT_EQ(last.Rect, (TRect{300, 100, 400, 200}));
    EXPECT_EQ(last.Pen.Mode, pmCopy);
    EXPECT_EQ(last.Pen.Color, clSilver);
}

TEST_F(ZoomRectangleTest, APressOnTheChartTitleStartsAZoom) {
    chart.Title().SetText({"TChart"});
    chart.RenderChart(*canvas, target, {0, 0, 965, 518});
    // The title box sits centred on the plot at its top edge.
    const TRecordedCall text = canvas->CallsOf("TextOut").at(0);
    const TPoint onTitle{text.Points[0].X + 2, text.Points[0].Y + 2};
    EXPECT_EQ(mouse.ClickedPart(onTitle), cpTitle);
    EXPECT_EQ(mouse.ClickedPart({onTitle.X, 5}), cpNone);
    mouse.MouseDown(mbLeft, onTitle.X, onTitle.Y, {});
    EXPECT_TRUE(mouse.Zoom().Active());
}

}  // namespace
}  // namespace twinscope
