#include <ostream>
#include <string>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "tests/series/WindowSeriesData.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Printers.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {


// Table rows print as their names in failure messages.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// The calls made inside the first group of the given name, without the group's own markers.
std::vector<TRecordedCall> CallsInGroup(const TRecordingCanvas& canvas, const std::string& name) {
    std::vector<TRecordedCall> inside;
    int depth = 0;
    for (const TRecordedCall& call : canvas.Calls()) {
        if (depth == 0) {
            if (call.Operation == "BeginGroup" && call.Text == name) depth = 1;
            continue;
        }
        if (call.Operation == "BeginGroup") ++depth;
        if (call.Operation == "EndGroup" && --depth == 0) break;
        inside.push_back(call);
    }
    return inside;
}

std::vector<TRecordedCall> Only(const std::vector<TRecordedCall>& calls,
                                const std::string& operation) {
    std::vector<TRecordedCall> found;
    for (const TRecordedCall& call : calls) {
        if (call.Operation == operation) found.push_back(call);
    }
    return found;
}

std::vector<std::string> TextsOf(const std::vector<TRecordedCall>& calls) {
    std::vector<std::string> texts;
    for (const TRecordedCall& call : Only(calls, "TextOut"))
        texts.push_back(call.Text);
    return texts;
}

// Place of the first call of an operation (or group) in the whole recording; -1 when absent.
std::ptrdiff_t IndexOf(const TRecordingCanvas& canvas, const std::string& operation,
                       const std::string& text = {}) {
    const auto& calls = canvas.Calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].Operation == operation && (text.empty() || calls[i].Text == text))
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

// The window's chart: 965 x 518, margins 15/4/0/15 percent, flat, titled "TChart", with the
// window's legend settings.
class LegendTest : public testing::ChartFixture {
protected:
    LegendTest() {
        chart.SetBounds(965, 518);
        chart.SetMarginLeft(15);
        chart.SetMarginTop(4);
        chart.SetMarginRight(0);
        chart.SetMarginBottom(15);
        chart.SetView3D(false);
        chart.Title().SetText({"TChart"});
        TChartLegend& legend = chart.Legend();
        legend.SetAlignment(laLeft);
        legend.SetCustomPosition(true);
        legend.SetLeft(868);
        legend.SetLeftPercent(90);
        legend.SetPositionUnits(muPercent);
        legend.SetResizeChart(false);
        legend.SetTop(26);
        legend.SetTopPercent(5);
    }

    TLineSeries& AddSeries(const std::string& title, const std::vector<double>& values) {
        auto& series = chart.CreateSeries<TLineSeries>();
        series.SetParentChart(&chart);
        series.SetTitle(title);
        for (double v : values)
            series.AddValue(v);
        return series;
    }

    // seriesActualData with its stored points, and the companions of the two scales.
    TLineSeries& AddWindowSeries() {
        auto& data = chart.CreateSeries<TLineSeries>();
        data.SetParentChart(&chart);
        data.SetSeriesColor(clRed);
        data.XValues().SetDateTime(true);
        for (const auto& point : testing::WindowSeriesPoints)
            data.AddPoint(point.X, point.Y);
        for (bool horizontal : {false, true}) {
            TChartAxis& scale = chart.CustomAxes().Add();
            scale.SetHorizontal(horizontal);
            auto& companion = chart.CreateSeries<TLineSeries>();
            chart.ListSilently(companion);
            companion.SetParentChart(&chart);
            if (horizontal) {
                companion.BindCustomHorizAxis(&scale);
            } else {
                companion.BindCustomVertAxis(&scale);
            }
            companion.SetSeriesColor(chart.Color());
            companion.SetTransparency(100);
            companion.SetShowInLegend(false);
        }
        return data;
    }

    void Render() {
        canvas.ClearCalls();
        chart.RenderChart(canvas, target, {0, 0, chart.Width(), chart.Height()});
    }

    // Only the legend's pass: the plot as the margins leave it, then the layout; answers the
    // plot the legend leaves.
    TRect LayOut() {
        testing::steps::StartLayout(chart, {0, 0, chart.Width(), chart.Height()});
        TChartLegend& legend = chart.Legend();
        legend.KeepLayout(chart, legend.LayOut(chart, canvas, chart.PlotRect()));
        return chart.ClampedPlot(legend.PlotBeside(chart, chart.PlotRect()));
    }

    std::vector<std::string> ShownTexts() { return TextsOf(CallsInGroup(canvas, "Items")); }

    TChartLegend& legend = chart.Legend();
    TRecordingCanvas canvas;
    TNoTarget target;
};

const std::vector<std::string> WindowTexts{"398.761", "346.772", "400.973", "420.884", "378.85",
                                           "403.186", "436.37",  "459.599", "412.035", "436.37",
                                           "444.113", "452.963", "436.37",  "439.689", "430.839",
                                           "470.661", "475.086", "470.661", "464.024", "460.706",
                                           "440.795", "467.343", "486.147", "378.85",  "419.778"};

TEST_F(LegendTest, TheWindowsLegendListsEveryStoredPoint) {
    TLineSeries& data = AddWindowSeries();
    Render();
    const TLegendLayout& layout = legend.Layout();
    EXPECT_EQ(layout.EffectiveStyle, lsValues);
    EXPECT_EQ(layout.LegendSeries, &data);
    EXPECT_EQ(layout.TotalItems, 25);
    // Plot bottom 440 at the time of the layout: (440 - 1 - 26) div 12 = 34 rows would fit.
    EXPECT_EQ(layout.RowCount, 25);
    EXPECT_EQ(layout.LastShownItem, 24);
    EXPECT_EQ(layout.RowHeight, 12);
    EXPECT_EQ(layout.RowPad, 1);
    // 90 % of 965 is 868.5, rounded to even; 5 % of 518 is 25.9. The values take 7 x 6 + 2, so
    // the box is (44 + 6 - 1) + 2 + 2 + (8 + 4 + 1) + 1 wide and 12 x 25 + 2 + 2 + 1 high.
    EXPECT_EQ(layout.ShapeBox, (TRect{868, 26, 935, 331}));
    EXPECT_EQ(layout.SymbolX, 874);
    EXPECT_EQ(layout.TextX, 889);
    EXPECT_EQ(legend.Left(), 868);
    EXPECT_EQ(legend.Top(), 26);

    const auto items = CallsInGroup(canvas, "Items");
    EXPECT_EQ(TextsOf(items), WindowTexts);
    const auto texts = Only(items, "TextOut");
    const auto lines = Only(items, "Line");
    ASSERT_EQ(texts.size(), 25u);
    ASSERT_EQ(lines.size(), 25u);
    ASSERT_EQ(legend.Items().size(), 25u);
    for (std::int32_t r = 0; r < 25; ++r) {
        SCOPED_TRACE(r);
        const std::int32_t y = 28 + 12 * r;
        // The values are right-aligned in their column, ending 4 pixels before its end.
        EXPECT_EQ(texts[r].Points[0], (TPoint{927, y}));
        EXPECT_EQ(texts[r].TextAlign, TA_RIGHT | TA_TOP);
        EXPECT_EQ(texts[r].Font.Color, clBlack);
        EXPECT_EQ(texts[r].BackMode, cbmTransparent);
        // The line series' symbol: a red line through the middle of an 8-pixel square.
        EXPECT_EQ(legend.Items()[r].SymbolRect, (TRect{874, y + 2, 882, y + 10}));
        EXPECT_EQ(lines[r].Points, (std::vector<TPoint>{{874, y + 6}, {882, y + 6}}));
        EXPECT_EQ(lines[r].Pen.Color, clRed);
        EXPECT_EQ(lines[r].Pen.Width, 1);
    }
}

TEST_F(LegendTest, TheBoxHasAHalfTransparentShadowAWhiteFillAndABlackFrame) {
    AddWindowSeries();
    Render();
    const auto box = CallsInGroup(canvas, "Legend");
    ASSERT_GE(box.size(), 4u);
    EXPECT_EQ(box[0].Operation, "BeginTransparency");
    EXPECT_EQ(box[0].Percent, 50);
    EXPECT_EQ(box[1].Operation, "Rectangle");
    EXPECT_EQ(box[1].Rect, (TRect{871, 29, 938, 334}));
    EXPECT_EQ(box[1].Brush.Color, clBlack);
    EXPECT_EQ(box[1].Pen.Style, psClear);
    EXPECT_EQ(box[2].Operation, "EndTransparency");
    EXPECT_EQ(box[3].Operation, "Rectangle");
    EXPECT_EQ(box[3].Rect, (TRect{868, 26, 935, 331}));
    EXPECT_EQ(box[3].Brush.Color, clWhite);
    EXPECT_EQ(box[3].Brush.Style, bsSolid);
    EXPECT_EQ(box[3].Pen.Color, clBlack);
    EXPECT_EQ(box[3].Pen.Width, 1);
    EXPECT_EQ(box[3].Pen.Style, psSolid);
}

TEST_F(LegendTest, TheLegendIsDrawnOverAxesAndSeriesAndTakesNoSpace) {
    AddWindowSeries();
    chart.BottomAxis().SetMinMax(45494, 45520);
    chart.LeftAxis().SetMinMax(340, 490);
    legend.SetVisible(false);
    Render();
    const TRect plotWithoutLegend = chart.PlotRect();

    legend.SetVisible(true);
    Render();
    EXPECT_EQ(chart.PlotRect(), plotWithoutLegend);
    const std::ptrdiff_t legendAt = IndexOf(canvas, "BeginGroup", "Legend");
    ASSERT_GE(legendAt, 0);
    EXPECT_GE(IndexOf(canvas, "BeginGroup", "Axes"), 0);
    EXPECT_LT(IndexOf(canvas, "BeginGroup", "Axes"), legendAt);
    EXPECT_LT(IndexOf(canvas, "BeginGroup", "Series"), legendAt);
    // The data line is drawn, and all of it before the legend covers it.
    const auto seriesLines = Only(CallsInGroup(canvas, "Series"), "Line");
    ASSERT_FALSE(seriesLines.empty());
    std::ptrdiff_t lastSeriesLine = -1;
    for (std::size_t i = 0; i < canvas.Calls().size(); ++i) {
        if (canvas.Calls()[i].Operation == "Line" && canvas.Calls()[i].Pen.Color == clRed &&
            static_cast<std::ptrdiff_t>(i) < legendAt)
            lastSeriesLine = static_cast<std::ptrdiff_t>(i);
    }
    EXPECT_GT(lastSeriesLine, IndexOf(canvas, "BeginGroup", "Series"));
    EXPECT_EQ(canvas.Calls().back().Operation, "EndFrame");
}

TEST_F(LegendTest, NothingIsDrawnWhenHiddenOrWithoutActiveSeries) {
    TLineSeries& data = AddWindowSeries();
    legend.SetVisible(false);
    Render();
    EXPECT_EQ(IndexOf(canvas, "BeginGroup", "Legend"), -1);
    EXPECT_FALSE(legend.PaintRole(chart).Shown);

    legend.SetVisible(true);
    for (TChartSeries* series : chart.SeriesList())
        series->SetActive(false);
    Render();
    EXPECT_EQ(IndexOf(canvas, "BeginGroup", "Legend"), -1);

    // An active series without points: the legend is laid out, but has no row to draw.
    data.SetActive(true);
    data.ClearPoints();
    Render();
    EXPECT_EQ(legend.Layout().RowCount, 0);
    EXPECT_GE(IndexOf(canvas, "BeginGroup", "Legend"), 0);
    EXPECT_EQ(CallsInGroup(canvas, "Legend").size(), 0u);
}

struct PositionCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    TChartUnits units;
    TPoint topLeft;
};

class LegendPositionTest : public LegendTest, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(LegendPositionTest, ACustomBoxStandsAtItsPosition) {
    const PositionCase& c = GetParam();
    AddWindowSeries();
    chart.SetBounds(c.width, c.height);
    legend.SetPositionUnits(c.units);
    Render();
    const TRect& box = legend.Layout().ShapeBox;
    EXPECT_EQ((TPoint{box.Left, box.Top}), c.topLeft);
    EXPECT_EQ((TPoint{legend.Left(), legend.Top()}), c.topLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LegendPositionTest,
    ::testing::Values(PositionCase{"WindowSizeRoundsHalfToEven", 965, 518, muPercent, {868, 26}},
                      PositionCase{"FollowsAResizedChart", 1000, 600, muPercent, {900, 30}},
                      PositionCase{"PixelsKeepTheStoredPosition", 1000, 600, muPixels, {868, 26}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RowLimitCase {
    const char* name;
    std::int32_t marginBottom;
    std::int32_t firstValue;
    std::int32_t maxNumRows;
    bool inverted;
    std::vector<std::string> texts;
};

class LegendRowLimitTest : public LegendTest, public ::testing::WithParamInterface<RowLimitCase> {};

TEST_P(LegendRowLimitTest, OnlyTheRowsThatFitAreListed) {
    const RowLimitCase& c = GetParam();
    AddWindowSeries();
    chart.SetMarginBottom(c.marginBottom);
    legend.SetFirstValue(c.firstValue);
    legend.SetMaxNumRows(c.maxNumRows);
    legend.SetInverted(c.inverted);
    Render();
    EXPECT_EQ(ShownTexts(), c.texts);
    const auto rows = static_cast<std::int32_t>(c.texts.size());
    if (rows > 0) {
        EXPECT_EQ(legend.Layout().ShapeBox.Height(), 12 * rows + 5);
    }
}

std::vector<std::string> WindowTextsFrom(std::size_t first, std::size_t count) {
    return {WindowTexts.begin() + first, WindowTexts.begin() + first + count};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LegendRowLimitTest,
    ::testing::Values(
        // Plot bottom 518 - 1 - 378 = 139: (139 - 1 - 26) div 12 = 9 rows.
        RowLimitCase{"ThePlotBottomLimitsTheRows", 73, 0, 0, false, WindowTextsFrom(0, 9)},
        RowLimitCase{"CountedFromFirstValue", 73, 10, 0, false, WindowTextsFrom(10, 9)},
        RowLimitCase{"FewerItemsThanRowsLeft", 15, 20, 0, false, WindowTextsFrom(20, 5)},
        RowLimitCase{"MaxNumRows", 15, 0, 3, false, WindowTextsFrom(0, 3)},
        RowLimitCase{
            "InvertedFillsFromTheLastItem", 15, 0, 3, true, {"400.973", "346.772", "398.761"}},
        RowLimitCase{"NegativeFirstValueListsFromTheFirst", 73, -5, 0, false,
                     WindowTextsFrom(0, 9)},
        // The legend's top (26) lies below the plot's bottom (518 - 1 - 492 = 25).
        RowLimitCase{"NoRowBelowThePlot", 95, 0, 0, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct StyleCase {
    const char* name;
    std::vector<bool> showInLegend;  // one series each, titled "s0", "s1", ...
    std::vector<bool> active;
    bool checkBoxes;
    TLegendStyle style;
    std::vector<std::string> texts;
};

class LegendStyleTest : public LegendTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(LegendStyleTest, TheStyleFollowsTheSeriesAskingToBeListed) {
    const StyleCase& c = GetParam();
    for (std::size_t i = 0; i < c.showInLegend.size(); ++i) {
        const double base = 10.0 * static_cast<double>(i + 1);
        TLineSeries& s = AddSeries("s" + std::to_string(i), {base + 1, base + 2});
        s.SetShowInLegend(c.showInLegend[i]);
        s.SetActive(c.active[i]);
    }
    legend.SetCheckBoxes(c.checkBoxes);
    Render();
    EXPECT_EQ(legend.EffectiveStyle(chart), c.style);
    EXPECT_EQ(legend.TotalItems(chart), static_cast<std::int32_t>(c.texts.size()));
    EXPECT_EQ(ShownTexts(), c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LegendStyleTest,
    ::testing::Values(
        StyleCase{"OneSeriesListsItsValues", {true}, {true}, false, lsValues, {"11", "12"}},
        StyleCase{"TwoListedSeriesListTheSeries",
                  {true, true},
                  {true, true},
                  false,
                  lsSeries,
                  {"s0", "s1"}},
        StyleCase{"TwoOfThreeClearedListTheValuesOfTheThird",
                  {false, true, false},
                  {true, true, true},
                  false,
                  lsValues,
                  {"21", "22"}},
        StyleCase{"AnInactiveSeriesDoesNotCount",
                  {true, true},
                  {false, true},
                  false,
                  lsValues,
                  {"21", "22"}},
        StyleCase{"CheckBoxesListEverySeriesActiveOrNot",
                  {true, true},
                  {true, false},
                  true,
                  lsSeries,
                  {"s0", "s1"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextStyleCase {
    const char* name;
    TLegendTextStyle style;
    TLegendColumns labelled;  // the point 1234 labelled "a"
    TLegendColumns plain;     // the point 766 without a label
};

class LegendTextStyleTest : public LegendTest,
                            public ::testing::WithParamInterface<TextStyleCase> {};

TEST_P(LegendTextStyleTest, ColumnsOfTheStyle) {
    const TextStyleCase& c = GetParam();
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.XValues().SetDateTime(true);
    series.AddPoint(45494, 1234, "a");
    series.AddPoint(45495, 766);
    chart.BottomAxis().SetDateTimeFormat("m/d/yyyy");
    legend.SetTextStyle(c.style);
    Render();
    ASSERT_EQ(legend.Items().size(), 2u);
    EXPECT_EQ(legend.Items()[0].Texts, c.labelled);
    EXPECT_EQ(legend.Items()[1].Texts, c.plain);
}

// The values total 2000: 1234 is 61.7 %, 766 is 38.3 %.
INSTANTIATE_TEST_SUITE_P(
    Rows, LegendTextStyleTest,
    ::testing::Values(
        TextStyleCase{"Plain", ltsPlain, {"a", "", ""}, {"", "", ""}},
        TextStyleCase{"LeftValue", ltsLeftValue, {"1,234", "a", ""}, {"766", "", ""}},
        TextStyleCase{"RightValue", ltsRightValue, {"a", "1,234", ""}, {"766", "", ""}},
        TextStyleCase{"LeftPercent", ltsLeftPercent, {"61.7 %", "a", ""}, {"38.3 %", "", ""}},
        TextStyleCase{"RightPercent", ltsRightPercent, {"a", "61.7 %", ""}, {"38.3 %", "", ""}},
        TextStyleCase{"XValue", ltsXValue, {"7/21/2024", "", ""}, {"7/22/2024", "", ""}},
        TextStyleCase{"Value", ltsValue, {"1,234", "", ""}, {"766", "", ""}},
        TextStyleCase{"Percent", ltsPercent, {"61.7 %", "", ""}, {"38.3 %", "", ""}},
        TextStyleCase{
            "XAndValue", ltsXAndValue, {"7/21/2024", "1,234", ""}, {"7/22/2024", "766", ""}},
        TextStyleCase{"XAndPercent",
                      ltsXAndPercent,
                      {"7/21/2024", "61.7 %", ""},
                      {"7/22/2024", "38.3 %", ""}},
        TextStyleCase{"XAndText", ltsXAndText, {"7/21/2024", "a", ""}, {"7/22/2024", "", ""}},
        TextStyleCase{"XAndValueAndText",
                      ltsXAndValueAndText,
                      {"7/21/2024", "1,234", "a"},
                      {"7/22/2024", "766", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LegendTest, ValuesAreWrittenInTheSeriesFormats) {
    TLineSeries& series = AddSeries("", {71.5, 1234, 0.0004});
    Render();
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"71.5", "1,234", "0"}));

    series.YValues().SetDateTime(true);
    series.ClearPoints();
    series.AddValue(45494.5);
    // Beyond year 9999 the value cannot be a date and is written as a number.
    series.AddValue(1e10);
    LayOut();
    ASSERT_EQ(legend.Layout().Rows.size(), 2u);
    EXPECT_EQ(legend.Layout().Rows[0].Columns[0], "7/21/2024 12:00:00 PM");
    EXPECT_EQ(legend.Layout().Rows[1].Columns[0], "10,000,000,000");
}

TEST_F(LegendTest, AColumnSeparatorInALabelStartsTheNextColumn) {
    auto& series = AddSeries("", {});
    series.AddValue(5, "left\x06middle\x06right\x06more\rline");
    Render();
    ASSERT_EQ(legend.Items().size(), 1u);
    EXPECT_EQ(legend.Items()[0].Texts,
              (TLegendColumns{"5", "left", "middle\x06right\x06more line"}));
}

struct ReductionCase {
    const char* name;
    TLegendAlignment alignment;
    bool customPosition;
    bool resizeChart;
    std::int32_t horizMargin;
    TRect box;
    TRect plot;
};

class LegendReductionTest : public LegendTest,
                            public ::testing::WithParamInterface<ReductionCase> {};

TEST_P(LegendReductionTest, ALegendAgainstThePlotTakesItsSide) {
    const ReductionCase& c = GetParam();
    AddSeries("", {1, 2, 3});
    legend.SetAlignment(c.alignment);
    legend.SetCustomPosition(c.customPosition);
    legend.SetPositionUnits(muPixels);
    legend.SetLeft(600);
    legend.SetTop(100);
    legend.SetResizeChart(c.resizeChart);
    legend.SetHorizMargin(c.horizMargin);
    const TRect plot = LayOut();
    EXPECT_EQ(legend.Layout().ShapeBox, c.box);
    EXPECT_EQ(plot, c.plot);
}

// The plot starts as (145, 21, 964, 440); the box is 31 x 41 (three rows).
INSTANTIATE_TEST_SUITE_P(
    Rows, LegendReductionTest,
    ::testing::Values(
        // Top: 21 + 10 % of 419 (41.9 rounded); gap 3 % of the plot's 819 before the legend.
        ReductionCase{"Left", laLeft, false, true, 0, {147, 63, 178, 104}, {202, 21, 964, 440}},
        ReductionCase{
            "LeftWithItsOwnGap", laLeft, false, true, 10, {147, 63, 178, 104}, {188, 21, 964, 440}},
        // Right edge 964 less the shadow's 3 and one pixel; gap 3 % of 819.
        ReductionCase{"Right", laRight, false, true, 0, {929, 63, 960, 104}, {145, 21, 905, 440}},
        // Centred on the plot; gap 4 % of the plot's 419 before the legend.
        ReductionCase{"Top", laTop, false, true, 0, {539, 21, 570, 62}, {145, 78, 964, 440}},
        // Stands on 440 less the shadow's 3 and one pixel; gap 4 % of 419.
        ReductionCase{
            "Bottom", laBottom, false, true, 0, {539, 395, 570, 436}, {145, 21, 964, 379}},
        ReductionCase{"WithoutResizeChart",
                      laRight,
                      false,
                      false,
                      0,
                      {929, 63, 960, 104},
                      {145, 21, 964, 440}},
        ReductionCase{"CustomPositionTakesNothing",
                      laRight,
                      true,
                      true,
                      0,
                      {600, 100, 631, 141},
                      {145, 21, 964, 440}}),
    [](const auto& info) { return std::string(info.param.name); });

struct WideLegendCase {
    const char* name;
    std::int32_t chartWidth;
    TRect box;
    std::vector<std::string> texts;
};

class WideLegendTest : public LegendTest, public ::testing::WithParamInterface<WideLegendCase> {};

// Two series listed by name, the first as wide as a long column name: 24 characters take
// 24 x 6 + 2, so the box is (146 + 6 - 1) + 2 + 2 + (8 + 4 + 1) + 1 = 169 wide, with its shadow
// 3 pixels beyond. It stands at 90 % of the chart's width while it fits, else it moves left until
// its shadow ends at the chart's right edge, and a chart narrower than the box shortens the
// longest name.
TEST_P(WideLegendTest, ABoxWiderThanItsRoomKeepsInsideTheChart) {
    const WideLegendCase& c = GetParam();
    chart.SetBounds(c.chartWidth, 518);
    AddSeries("highest temperature (°F)", {71, 75});
    AddSeries("lowest", {50, 52});
    Render();
    const TRect& box = legend.Layout().ShapeBox;
    EXPECT_EQ(box, c.box);
    EXPECT_EQ(ShownTexts(), c.texts);
    // The rows move with the box.
    ASSERT_EQ(legend.Items().size(), 2u);
    EXPECT_EQ(legend.Items()[0].SymbolRect.Left, box.Left + 6);
    EXPECT_EQ(legend.Items()[0].TextPos.X, box.Left + 6 + 8 + 2 + 4 + 1 - 2);
    EXPECT_EQ(legend.Items()[0].Texts[0], c.texts[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WideLegendTest,
    ::testing::Values(
        WideLegendCase{"FitsAtItsPosition",
                       1900,
                       {1710, 26, 1879, 55},
                       {"highest temperature (°F)", "lowest"}},
        WideLegendCase{"TheWindowsWidthMovesItLeft",
                       965,
                       {793, 26, 962, 55},
                       {"highest temperature (°F)", "lowest"}},
        WideLegendCase{"ExactlyAsWideAsTheChart",
                       172,
                       {0, 26, 169, 55},
                       {"highest temperature (°F)", "lowest"}},
        // 22 pixels too wide: the long name keeps what measures up to 122 pixels.
        WideLegendCase{"ANarrowChartShortensTheLongestName",
                       150,
                       {0, 26, 145, 55},
                       {"highest temperature\xE2\x80\xA6", "lowest"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LegendTest, ChangedSettingsRepaintTheChart) {
    EXPECT_EQ(RepaintsDuring([&] { legend.SetTopPercent(5); }), 0);
    EXPECT_EQ(RepaintsDuring([&] { legend.SetTopPercent(6); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { legend.SetAlignment(laRight); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { legend.Frame().SetWidth(2); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { legend.Font().SetSize(10); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { legend.Symbol().SetSquared(false); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { legend.Symbol().Pen().SetColor(clRed); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { legend.DividingLines().Show(); }), 1);
}

TEST_F(LegendTest, AnAssignedSeriesIsListedWhileItBelongsToTheChart) {
    TLineSeries& first = AddSeries("first", {1, 2});
    TLineSeries& second = AddSeries("second", {7});
    legend.SetLegendStyle(lsValues);
    legend.SetSeries(&second);
    Render();
    EXPECT_EQ(legend.Layout().LegendSeries, &second);
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"7"}));

    chart.FreeSeries(second);
    Render();
    EXPECT_EQ(legend.Layout().LegendSeries, &first);
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"1", "2"}));
}

TEST_F(LegendTest, EventsReplaceTextsAndMoveTheBoxWithItsRows) {
    AddSeries("", {1, 2});
    chart.OnGetLegendText = [](TLegendStyle style, std::int32_t index, const std::string& text) {
        return (style == lsValues ? "point " : "series ") + std::to_string(index) + ": " + text;
    };
    chart.OnGetLegendRect = [](const TRect& box) {
        return TRect{box.Left - 100, box.Top + 10, box.Right - 100, box.Bottom + 10};
    };
    Render();
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"point 0: 1", "point 1: 2"}));
    const TRect& box = legend.Layout().ShapeBox;
    EXPECT_EQ((TPoint{box.Left, box.Top}), (TPoint{768, 36}));
    EXPECT_EQ(legend.Items()[0].SymbolRect.Left, 774);
    EXPECT_EQ(legend.Items()[0].SymbolRect.Top, 40);
}

}  // namespace
}  // namespace twinscope
