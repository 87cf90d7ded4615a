#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

using Fn = std::function<double(double)>;

// The wavelength in nm of a frequency in THz, and back.
double Wavelength(double terahertz) {
    return 299792.458 / terahertz;
}

// A chart of 1000 x 500 with one series, its master axis fixed to the range of a row, and a
// scale across the plot from it.
class AlignedTicksTest : public testing::ChartFixture {
protected:
    AlignedTicksTest() {
        chart.SetBounds(1000, 500);
        chart.SetView3D(false);
        chart.Legend().SetVisible(false);
        chart.AddNewSeries<TLineSeries>().AddPoint(1, 1);
    }
    TChartAxis& Master(bool horizontal, double minimum, double maximum, bool logarithmic,
                       double increment) {
        TChartAxis& master = horizontal ? chart.BottomAxis() : chart.LeftAxis();
        master.SetAutomatic(false);
        master.SetMinMax(minimum, maximum);
        master.SetLogarithmic(logarithmic);
        master.SetIncrement(increment);
        return master;
    }
    void Render() { chart.RenderChart(canvas, target, {0, 0, 1000, 500}); }
    static std::vector<std::string> Texts(const TChartAxis& axis) {
        std::vector<std::string> texts;
        for (const TAxisItem& item : axis.Items())
            texts.push_back(item.Text);
        return texts;
    }

    TRecordingCanvas canvas;
    TNoTarget target;
};

struct AlignCase {
    const char* name;
    bool horizontal;  // a bottom master with a top scale, else a left one with a right scale
    double minimum, maximum;
    bool logarithmic;
    double increment;  // the master's
    Fn forward, inverse;
    std::int32_t decimals;
    std::vector<std::string> texts;  // the scale's labels, top (or right) first
};

class AlignedTicksRowTest : public AlignedTicksTest,
                            public ::testing::WithParamInterface<AlignCase> {};

// Every tick of the scale stands at a label of the master and reads that label's value
// converted, with the decimals asked for.
TEST_P(AlignedTicksRowTest, StandAtTheMastersLabelsWithTheirValuesConverted) {
    const AlignCase& c = GetParam();
    const TChartAxis& master =
        Master(c.horizontal, c.minimum, c.maximum, c.logarithmic, c.increment);
    auto scale = c.inverse ? CreateOwnedAxis<tScale>(chart, c.horizontal ? ssTop : ssRight, "s",
                                                     c.forward, c.inverse, "", "", clBlack)
                           : CreateOwnedAxis<tScale>(chart, c.horizontal ? ssTop : ssRight, "s",
                                                     c.forward, "", "", clBlack);
    scale->SetAlignedDecimals(c.decimals);
    scale->SetAlignedToMaster(true);
    Render();
    EXPECT_EQ(Texts(*scale.Get()), c.texts);
    ASSERT_EQ(scale->Items().Count(), master.Items().Count());
    for (std::int32_t i = 0; i < master.Items().Count(); ++i) {
        EXPECT_EQ(scale->Items()[i].LabelPos, master.Items()[i].LabelPos) << i;
        EXPECT_DOUBLE_EQ(scale->Items()[i].Value, c.forward(master.Items()[i].Value)) << i;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, AlignedTicksRowTest, ::testing::Values(
    AlignCase{"CelsiusBesideFahrenheitWithoutAnInverse", false, 32, 212, false, 20,
              [](double f) { return (f - 32) / 1.8; }, {}, 1,
              {"93.3", "82.2", "71.1", "60.0", "48.9", "37.8", "26.7", "15.6", "4.4"}},
    AlignCase{"KelvinInWholeDegrees", false, 0, 100, false, 25,
              [](double f) { return (f + 459.67) / 1.8; },
              [](double k) { return k * 1.8 - 459.67; }, 0,
              {"311", "297", "283", "269", "255"}},
    // The master labels its powers of ten and the 2 and 5 between them.
    AlignCase{"DecibelsOfALogarithmicMaster", false, 1, 1000, true, 0,
              [](double v) { return 20 * std::log10(v); },
              [](double db) { return std::pow(10, db / 20); }, 0,
              {"60", "54", "46", "40", "34", "26", "20", "14", "6", "0"}},
    AlignCase{"ReversedWavelengthsOverFrequencies", true, 100, 500, false, 100,
              &Wavelength, &Wavelength, 0,
              {"600", "749", "999", "1,499", "2,998"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The room the scale takes is measured on the texts it shows; turned off, it labels its own
// values again and keeps its decimals, which are checked whether on or off.
TEST_F(AlignedTicksTest, SwitchedOnAndOff) {
    Master(false, 32, 212, false, 20);
    auto scale = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    Render();
    const std::vector<std::string> own = Texts(*scale.Get());
    ASSERT_EQ(own.front(), "100");
    const std::int32_t ownExtent = chart.AxisPaintOf(*scale.Get()).Layout.LabelsExtent;
    scale->SetAlignedDecimals(2);
    EXPECT_EQ(RepaintsDuring([&] { scale->SetAlignedToMaster(true); }), 1);
    Render();
    ASSERT_NE(scale->Items().Count(), 0);
    EXPECT_EQ(Texts(*scale.Get()).front(), "93.33");
    // "93.33" has two characters more than "100", at 9 pixels each (12-point labels).
    EXPECT_EQ(chart.AxisPaintOf(*scale.Get()).Layout.LabelsExtent - ownExtent, 2 * 9);

    scale->SetAlignedToMaster(false);
    Render();
    EXPECT_EQ(Texts(*scale.Get()), own);
    for (const std::int32_t decimals : {-1, 16}) {
        EXPECT_THROW_MSG(scale->SetAlignedDecimals(decimals), AxisException,
                         "Aligned tick decimals must be 0 to 15");
    }
    EXPECT_EQ(scale->AlignedDecimals(), 2);
    EXPECT_FALSE(scale->AlignedToMaster());
}

// A zoom of the master moves the aligned ticks with its labels, whether the scale follows its
// range live or not.
TEST_F(AlignedTicksTest, FollowTheMastersZoom) {
    for (const bool live : {false, true}) {
        TChartAxis& master = Master(false, 32, 212, false, 10);
        auto scale = CreateOwnedAxis<tScale>(
            chart, ssRight, "°C", [](double f) { return (f - 32) / 1.8; }, "", "", clBlack);
        scale->SetFollowsLive(live);
        scale->SetAlignedToMaster(true);
        Render();
        master.StoreRange({50, 100});
        Render();
        EXPECT_EQ(Texts(*scale.Get()),
                  (std::vector<std::string>{"38", "32", "27", "21", "16", "10"}))
            << live;
        EXPECT_EQ(scale->Items()[0].LabelPos, master.Items()[0].LabelPos);
    }
}

}  // namespace
}  // namespace twinscope
