#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

constexpr TRect Plot{100, 0, 900, 400};

struct WrapCase {
    const char* name;
    double begin, end;
    std::vector<std::string> shown;   // among the labels, each at the pixel of its date
    std::vector<std::string> absent;  // not among them
};

class WrappingDayScaleTest : public ChartFixture, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(WrappingDayScaleTest, ReadsAcrossTheNewYear) {
    const WrapCase& c = GetParam();
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetAutomatic(false);
    bottom.SetMinMax(c.begin, c.end);
    auto days = CreateOwnedAxis<tBottomCalendarScale>(chart, calDayOfYear);
    EXPECT_EQ(days->Title().Caption(), "day of the year");
    testing::steps::PrepareAxisRange(chart, bottom);
    testing::steps::MapAxis(chart, bottom, Plot);
    testing::steps::PrepareAxisRange(chart, *days.Get());
    testing::steps::MapAxis(chart, *days.Get(), Plot);
    TRecordingCanvas canvas;
    const TLabelPassResult r = RunLabelPass(*days.Get(), chart.AxisPaintOf(*days.Get()), canvas);

    std::vector<std::string> texts;
    for (const TAxisLabel& label : r.Labels) {
        texts.push_back(label.Text);
        EXPECT_EQ(label.Text, std::to_string(DayOfYear(label.Value)));
        EXPECT_EQ(label.LabelPos, chart.ScaleMapOf(bottom).ToPixel(label.Value)) << label.Text;
    }
    for (const std::string& t : c.shown)
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
    for (const std::string& t : c.absent)
        EXPECT_EQ(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
    // No two labels closer than a label's room.
    for (std::size_t i = 1; i < r.Labels.size(); ++i)
        EXPECT_GT(r.Labels[i - 1].LabelPos - r.Labels[i].LabelPos, 10) << r.Labels[i].Text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WrappingDayScaleTest,
    ::testing::Values(WrapCase{"AFewWeeksShowTheLastDayAndTheFirst",
                               EncodeDate(2014, 12, 20),
                               EncodeDate(2015, 1, 10),
                               {"356", "365", "1", "10"},
                               {}},
                      // Half a year leaves no room for both: the new year's first day stands.
                      WrapCase{"HalfAYearLetsTheFirstDayStand",
                               EncodeDate(2014, 10, 1),
                               EncodeDate(2015, 3, 31),
                               {"300", "1", "60"},
                               {"365"}},
                      WrapCase{"FourYearsStartAgainEachYear",
                               EncodeDate(2012, 1, 1),
                               EncodeDate(2015, 12, 31),
                               {"1", "200"},
                               {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalendarScaleTitleTest, NamesItsCalendar) {
    EXPECT_STREQ(tBottomCalendarScale::TitleOf(calDayOfYear), "day of the year");
    EXPECT_STREQ(tBottomCalendarScale::TitleOf(calIsoWeek), "ISO week");
    EXPECT_STREQ(tBottomCalendarScale::TitleOf(calMonth), "month");
}

}  // namespace
}  // namespace twinscope
