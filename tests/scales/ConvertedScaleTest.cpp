#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/axes/ConvertedRange.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

using testing::ChartFixture;
using Fn = std::function<double(double)>;

// The speed of light in m/s, and the wavelength in nm of an angular frequency in rad/s.
constexpr double LightSpeed = 299792458.0;
double Wavelength(double omega) {
    return 2 * std::numbers::pi * LightSpeed * 1e9 / omega;
}
// The barometric formula: the altitude in m of a pressure in hPa, and back.
double Altitude(double p) {
    return 44330.0 * (1 - std::pow(p / 1013.25, 0.1903));
}
double Pressure(double h) {
    return 1013.25 * std::pow(1 - h / 44330.0, 1 / 0.1903);
}

// The plot the left axis and its scales are mapped onto: 400 pixels high.
constexpr TRect Plot{100, 0, 900, 400};

class ConvertedScaleTest : public ChartFixture {
protected:
    ConvertedScaleTest() { chart.SetBounds(1000, 500); }
    void SetMaster(double minimum, double maximum, bool logarithmic) {
        TChartAxis& left = chart.LeftAxis();
        left.SetAutomatic(false);
        left.SetMinMax(minimum, maximum);
        left.SetLogarithmic(logarithmic);
    }
    TLabelPassResult Pass(TChartAxis& axis) {
        testing::steps::PrepareAxisRange(chart, axis);
        testing::steps::MapAxis(chart, axis, Plot);
        return RunLabelPass(axis, chart.AxisPaintOf(axis), canvas);
    }
    // Where the master puts a master value on the plot, worked out here on its own.
    std::int32_t MasterPixel(double m) const {
        const TChartAxis& left = chart.LeftAxis();
        const auto at = [&](double v) { return left.Logarithmic() ? std::log10(v) : v; };
        const double share =
            (at(m) - at(left.Minimum())) / (at(left.Maximum()) - at(left.Minimum()));
        return static_cast<std::int32_t>(std::lround(Plot.Bottom - share * Plot.Height()));
    }
    TRecordingCanvas canvas;
};

struct ConversionCase {
    const char* name;
    double masterMinimum, masterMaximum;
    bool masterLogarithmic;
    Fn forward, inverse;
    bool scaleLogarithmic;
    std::vector<double> labels;  // top first
};

class ConversionTest : public ConvertedScaleTest,
                       public ::testing::WithParamInterface<ConversionCase> {};

// Each label is a nice value of the scale's own unit and stands where the master shows the
// value it converts back to.
TEST_P(ConversionTest, LabelsOwnValuesAtTheMastersPixels) {
    const ConversionCase& c = GetParam();
    SetMaster(c.masterMinimum, c.masterMaximum, c.masterLogarithmic);
    auto scale =
        CreateOwnedAxis<tScale>(chart, ssRight, "x", c.forward, c.inverse, "", "", clBlack);
    scale->SetLogarithmic(c.scaleLogarithmic);
    scale->FollowMaster();
    const TLabelPassResult r = Pass(*scale.Get());
    std::vector<double> values;
    for (const TAxisLabel& label : r.Labels) {
        values.push_back(label.Value);
        EXPECT_EQ(label.LabelPos, MasterPixel(c.inverse(label.Value))) << label.Text;
    }
    ASSERT_EQ(values.size(), c.labels.size()) << ::testing::PrintToString(values);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(values[i], c.labels[i], 1e-9 * std::fabs(c.labels[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConversionTest,
    ::testing::Values(ConversionCase{"KelvinFromFahrenheit",
                                     0,
                                     100,
                                     false,
                                     [](double f) { return (f + 459.67) / 1.8; },
                                     [](double k) { return k * 1.8 - 459.67; },
                                     false,
                                     {310, 300, 290, 280, 270, 260}},
                      // Reciprocal: the long waves stand at the low frequencies, at the bottom, and
                      // the labels crowd there instead of lying evenly between the converted ends.
                      ConversionCase{"WavelengthOnALinearFrequencyAxis",
                                     1e15,
                                     5e15,
                                     false,
                                     &Wavelength,
                                     &Wavelength,
                                     false,
                                     {1800, 1600, 1400, 1200, 1000, 800, 600, 400}},
                      ConversionCase{"WavelengthOnALogarithmicFrequencyAxis",
                                     1e14,
                                     1e16,
                                     true,
                                     &Wavelength,
                                     &Wavelength,
                                     true,
                                     {10000, 5000, 2000, 1000, 500, 200}},
                      ConversionCase{"AltitudeOnAPressureAxis",
                                     300,
                                     1013.25,
                                     false,
                                     &Altitude,
                                     &Pressure,
                                     false,
                                     {9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000, 0}},
                      ConversionCase{"DecibelsOnALogarithmicPowerAxis",
                                     1e-3,
                                     1e3,
                                     true,
                                     [](double mw) { return 10 * std::log10(mw); },
                                     [](double dbm) { return std::pow(10, dbm / 10); },
                                     false,
                                     {30, 20, 10, 0, -10, -20, -30}},
                      // Across the pole the scale's values between -1 and 1 stand off the plot,
                      // where the master shows nothing: of the labels from 1 down, only the ends
                      // at 1 and -1 stay.
                      ConversionCase{"ReciprocalAcrossItsPoleLabelsOnlyOnThePlot",
                                     -1,
                                     1,
                                     false,
                                     [](double x) { return 1 / x; },
                                     [](double s) { return 1 / s; },
                                     false,
                                     {1, -1}}),
    [](const auto& info) { return std::string(info.param.name); });

// An affine conversion given its inverse labels exactly what the linear path between the two
// converted ends labels.
TEST_F(ConvertedScaleTest, AnAffineConversionLabelsAsTheLinearPathDoes) {
    SetMaster(0, 100, false);
    const Fn kelvin = [](double f) { return (f + 459.67) / 1.8; };
    const Fn fahrenheit = [](double k) { return k * 1.8 - 459.67; };
    auto linear = CreateOwnedAxis<tScale>(chart, ssLeft, "K", kelvin, "", "", clBlack);
    auto converted =
        CreateOwnedAxis<tScale>(chart, ssLeft, "K", kelvin, fahrenheit, "", "", clBlack);
    const TLabelPassResult a = Pass(*linear.Get());
    const TLabelPassResult b = Pass(*converted.Get());
    EXPECT_EQ(a.LabelIncrement, b.LabelIncrement);
    EXPECT_EQ(a.Labels, b.Labels);
    EXPECT_EQ(a.TickPositions, b.TickPositions);
}

TEST_F(ConvertedScaleTest, ADecreasingConversionGivesAReversedScaleInOrder) {
    SetMaster(300, 1013.25, false);
    auto altitude =
        CreateOwnedAxis<tScale>(chart, ssLeft, "m", &Altitude, &Pressure, "", "", clBlack);
    EXPECT_NEAR(altitude->Minimum(), 0, 1e-9);
    EXPECT_NEAR(altitude->Maximum(), Altitude(300), 1e-9);
    EXPECT_EQ(altitude->Increment(), 1000);
    SetMaster(500, 900, false);
    EXPECT_NO_THROW(altitude->FollowMaster());
    EXPECT_DOUBLE_EQ(altitude->Minimum(), Altitude(900));
    EXPECT_DOUBLE_EQ(altitude->Maximum(), Altitude(500));
}

// A reciprocal over a range from zero has no value at zero: that end moves in until it has,
// and the paint leaves out what has no pixel.
TEST_F(ConvertedScaleTest, ValuesWithoutAFiniteConversionAreLeftOut) {
    SetMaster(0, 5e15, false);
    auto lambda =
        CreateOwnedAxis<tScale>(chart, ssLeft, "nm", &Wavelength, &Wavelength, "", "", clBlack);
    EXPECT_DOUBLE_EQ(lambda->Minimum(), Wavelength(5e15));
    EXPECT_DOUBLE_EQ(lambda->Maximum(), Wavelength(5e15 / 1024));
    const TLabelPassResult r = Pass(*lambda.Get());
    EXPECT_FALSE(r.Labels.empty());
    for (const TAxisLabel& label : r.Labels)
        EXPECT_TRUE(std::isfinite(Wavelength(label.Value)));
}

TEST_F(ConvertedScaleTest, TheMouseReadsTheScalesOwnValues) {
    SetMaster(1e15, 5e15, false);
    auto lambda =
        CreateOwnedAxis<tScale>(chart, ssLeft, "nm", &Wavelength, &Wavelength, "", "", clBlack);
    Pass(*lambda.Get());
    const TScaleMap& map = chart.ScaleMapOf(*lambda.Get());
    EXPECT_DOUBLE_EQ(map.ToValue(Plot.Bottom), Wavelength(1e15));
    EXPECT_DOUBLE_EQ(map.ToValue(Plot.Top), Wavelength(5e15));
    // Scrolling a quarter of the plot moves the frequencies by a quarter of their range.
    const TScaleRange moved = map.Scrolled({lambda->Minimum(), lambda->Maximum()}, 100, 200);
    EXPECT_DOUBLE_EQ(moved.Minimum, Wavelength(6e15));
    EXPECT_DOUBLE_EQ(moved.Maximum, Wavelength(2e15));
}

// Live, the scale takes its master's shown range through the conversion, in order.
TEST_F(ConvertedScaleTest, ALiveScaleWithAnInverseFollowsTheShownRangeFromAcrossThePlot) {
    SetMaster(1e15, 5e15, false);
    auto lambda =
        CreateOwnedAxis<tScale>(chart, ssRight, "nm", &Wavelength, &Wavelength, "", "", clBlack);
    lambda->SetFollowsLive(true);
    chart.LeftAxis().SetMinMax(2e15, 4e15);
    testing::steps::FitAxesIntoPlot(chart);
    EXPECT_DOUBLE_EQ(lambda->Minimum(), Wavelength(4e15));
    EXPECT_DOUBLE_EQ(lambda->Maximum(), Wavelength(2e15));
    EXPECT_DOUBLE_EQ(chart.ScaleMapOf(*lambda.Get()).Maximum(), Wavelength(2e15));
    EXPECT_NE(chart.ScaleMapOf(*lambda.Get()).Conversion(), nullptr);
}

struct RangeCase {
    const char* name;
    Fn forward;
    TScaleRange master;
    bool found;
    TScaleRange expected;
};

class ConvertedRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ConvertedRangeTest, IsInOrderAndFinite) {
    const RangeCase& c = GetParam();
    const std::optional<TScaleRange> r = ConvertedRange({c.forward, c.forward}, c.master);
    ASSERT_EQ(r.has_value(), c.found);
    if (!c.found) return;
    EXPECT_DOUBLE_EQ(r->Minimum, c.expected.Minimum);
    EXPECT_DOUBLE_EQ(r->Maximum, c.expected.Maximum);
}

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertedRangeTest,
    ::testing::Values(
        RangeCase{"Increasing", [](double x) { return 2 * x; }, {1, 3}, true, {2, 6}},
        RangeCase{"DecreasingIsPutInOrder", [](double x) { return -x; }, {1, 3}, true, {-3, -1}},
        RangeCase{"ReciprocalAtZeroMovesIn",
                  [](double x) { return 1 / x; },
                  {0, 1024},
                  true,
                  {1.0 / 1024, 1}},
        RangeCase{"LogarithmBelowZeroMovesIn",
                  [](double x) { return std::log(x); },
                  {-1024, 1024},
                  true,
                  {std::log(2.0), std::log(1024.0)}},
        RangeCase{"NothingFinite", [](double) { return NaN; }, {0, 1}, false, {}},
        RangeCase{"InfiniteMaster", [](double x) { return x; }, {0, Inf}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Right and top scales: across the plot from their master, next to the plot.
struct SideCase {
    const char* name;
    tScaleSide side;
    bool horizontal;
    int marginIndex;
    double position;
};

class SideTest : public ChartFixture, public ::testing::WithParamInterface<SideCase> {};

TEST_P(SideTest, MirrorsTheLeftAndBottomScales) {
    const SideCase& c = GetParam();
    chart.SetMarginUnits(muPixels);
    auto scale = CreateOwnedAxis<tScale>(
        chart, c.side, "x", [](double v) { return 2 * v; }, "on scale", "on master", clBlue);
    TChartAxis& master = c.horizontal ? chart.BottomAxis() : chart.LeftAxis();
    EXPECT_EQ(chart.MarginUnits(), muPercent);
    EXPECT_EQ(chart.Margin(c.marginIndex), 15);
    EXPECT_EQ(&scale->MasterAxis(), &master);
    EXPECT_EQ(scale->Horizontal(), c.horizontal);
    EXPECT_EQ(scale->OtherSide(), c.side == ssRight || c.side == ssTop);
    EXPECT_EQ(scale->PositionPercent(), c.position);
    EXPECT_EQ(scale->Maximum(), 2 * master.Maximum());
    EXPECT_TRUE(chart.IsAxisShown(*scale.Get()));
    const TChartSeries& companion = chart.Series(chart.SeriesCount() - 1);
    EXPECT_EQ(c.horizontal ? companion.CustomHorizAxis() : companion.CustomVertAxis(), scale.Get());

    const double masterPosition = master.PositionPercent();
    const double scalePosition = scale->PositionPercent();
    EXPECT_EQ(scale->ToggleGrid(), "on scale");
    EXPECT_TRUE(scale->Grid().Visible());
    EXPECT_FALSE(master.Grid().Visible());
    EXPECT_EQ(scale->ToggleGrid(), "on master");
    EXPECT_TRUE(master.Grid().Visible());
    if (scale->OtherSide()) {
        // Nothing to trade places with across the plot.
        EXPECT_EQ(master.PositionPercent(), masterPosition);
        EXPECT_EQ(scale->PositionPercent(), scalePosition);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SideTest,
                         ::testing::Values(SideCase{"Left", ssLeft, false, 0, -13},
                                           SideCase{"Bottom", ssBottom, true, 3, -12},
                                           SideCase{"Right", ssRight, false, 2, -1},
                                           SideCase{"Top", ssTop, true, 1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

// One live scale per side: a zoom of its master (the ends stored, as the mouse stores them)
// reaches the scale in the next paint, through the conversion and its inverse where given.
struct LiveSideCase {
    const char* name;
    tScaleSide side;
    bool withInverse;
    bool calendar;
};

class LiveSideTest : public ChartFixture, public ::testing::WithParamInterface<LiveSideCase> {};

TEST_P(LiveSideTest, FollowsTheMastersZoom) {
    const LiveSideCase& c = GetParam();
    const Fn twice = [](double v) { return 2 * v; };
    const Fn half = [](double v) { return v / 2; };
    TChartCustomAxes& axes = chart.CustomAxes();
    tScale& scale = c.calendar      ? axes.Add<tBottomCalendarScale>(calDayOfYear)
                    : c.withInverse ? axes.Add<tScale>(c.side, "x", twice, half, "", "", clBlack)
                                    : axes.Add<tScale>(c.side, "x", twice, "", "", clBlack);
    const Fn& forward = scale.Conversion();
    TChartAxis& master = scale.MasterAxis();
    master.SetMinMax(0, 1000);
    scale.SetFollowsLive(true);
    master.StoreRange({100, 300});
    testing::steps::FitAxesIntoPlot(chart);
    EXPECT_DOUBLE_EQ(scale.Minimum(), forward(100));
    EXPECT_DOUBLE_EQ(scale.Maximum(), forward(300));
    EXPECT_EQ(chart.ScaleMapOf(scale).Range(), (TScaleRange{forward(100), forward(300)}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LiveSideTest, ::testing::Values(
    LiveSideCase{"Left", ssLeft, false, false},
    LiveSideCase{"Bottom", ssBottom, false, false},
    LiveSideCase{"Right", ssRight, false, false},
    LiveSideCase{"Top", ssTop, false, false},
    LiveSideCase{"TopWithAnInverse", ssTop, true, false},
    LiveSideCase{"WrappingDaysOfTheYear", ssBottom, false, true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace twinscope

namespace twinscope {
namespace {

// A scale made beside a standard axis follows that axis and stands outside it on its side,
// trading places with it when the grid moves; any other axis is refused.
TEST(ScaleBesideAnAxisTest, FollowsTheRightAxisFromBesideIt) {
    TChart chart;
    TChartAxis& right = chart.RightAxis();
    right.SetMinMax(0, 254);
    auto inches = CreateOwnedAxis<tScale>(
        chart, right, "in", [](double mm) { return mm / 25.4; },
        [](double in) { return in * 25.4; }, "grid on in", "grid on mm", clBlue);
    EXPECT_EQ(&inches->MasterAxis(), &right);
    EXPECT_TRUE(inches->OtherSide());
    EXPECT_EQ(chart.MarginRight(), 15);
    EXPECT_EQ(inches->PositionPercent(), -13);
    EXPECT_DOUBLE_EQ(inches->Maximum(), 10);
    EXPECT_EQ(inches->ToggleGrid(), "grid on in");
    EXPECT_EQ(inches->PositionPercent(), -1);
    EXPECT_EQ(right.PositionPercent(), -13);

    TChartAxis& custom = chart.CustomAxes().Add();
    EXPECT_THROW_MSG(tScale(
                         chart, custom, "x", [](double v) { return v; }, [](double v) { return v; },
                         "", "", clBlue),
                     RuntimeError, "A scale follows one of the chart's standard axes");
}

}  // namespace
}  // namespace twinscope
