// Axes spread by a transform of their own: the labels, minor ticks, automatic ends and domain
// checks a symmetric log and a square-root axis get.
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisTransform.h"
#include "twinscope/chart/panel/ComputeLayout.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

std::shared_ptr<const TAxisTransform> SymLog(double threshold) {
    return std::make_shared<const TSymLogTransform>(threshold);
}

std::shared_ptr<const TAxisTransform> SquareRoot() {
    return std::make_shared<const TFunctionTransform>([](double v) { return std::sqrt(v); },
                                                      [](double p) { return p * p; },
                                                      TTransformDomain{.Minimum = 0});
}

class TransformedAxis : public ChartFixture {
protected:
    TransformedAxis() {
        chart.SetBounds(400, 600);
        chart.SetView3D(false);
        chart.Legend().SetVisible(false);
        series = &chart.AddNewSeries<TLineSeries>();
        series->AddPoint(0, 1);
    }

    // The left axis as a paint lays it out. The rounding of automatic ends measures along the
    // axis as the last paint laid it, so the chart is laid out twice.
    const TAxisPaint& Left() {
        chart.LayOut(&canvas, {0, 0, 400, height});
        chart.LayOut(&canvas, {0, 0, 400, height});
        return chart.Layout().Axis(chart.LeftAxis());
    }

    TLineSeries* series = nullptr;
    TRecordingCanvas canvas;
    std::int32_t height = 600;
};

std::vector<std::string> TextsOf(const TScaleDivision& division) {
    std::vector<std::string> texts;
    for (const TAxisLabel& label : division.Labels)
        texts.push_back(label.Text);
    return texts;
}

struct LabelRow {
    const char* name;
    std::function<std::shared_ptr<const TAxisTransform>()> transform;
    double minimum, maximum;
    std::int32_t height;  // of the chart
    std::vector<std::string> texts;
    bool evenSteps;  // the labels stand an equal number of pixels apart (within one)
};

class TransformLabels : public TransformedAxis, public ::testing::WithParamInterface<LabelRow> {};

TEST_P(TransformLabels, AreTheTransformsLabels) {
    const LabelRow& r = GetParam();
    height = r.height;
    chart.LeftAxis().SetTransform(r.transform());
    chart.LeftAxis().SetMinMax(r.minimum, r.maximum);
    const TScaleDivision& division = Left().Division;
    EXPECT_EQ(TextsOf(division), r.texts);
    if (!r.evenSteps || division.Labels.size() < 3) return;
    const std::int32_t step = division.Labels[1].LabelPos - division.Labels[0].LabelPos;
    for (std::size_t i = 1; i < division.Labels.size(); ++i) {
        EXPECT_NEAR(division.Labels[i].LabelPos - division.Labels[i - 1].LabelPos, step, 1)
            << "label " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TransformLabels,
    ::testing::Values(
        // clang-format off
        // Each decade on either side takes the room the threshold takes around zero.
        LabelRow{"SymLogAcrossZero", [] { return SymLog(1); }, -1000, 1000, 600,
                 {"1,000", "100", "10", "1", "0", "-1", "-10", "-100", "-1,000"}, true},
        LabelRow{"SymLogOfAWiderThreshold", [] { return SymLog(10); }, 0, 10000, 600,
                 {"10,000", "1,000", "100", "10", "0"}, true},
        // Sixty decades do not fit one label each: every fifth power counted from the
        // threshold, written as powers beyond a million as on a logarithmic axis.
        LabelRow{"SymLogEveryFifthDecade", [] { return SymLog(1); }, -1e30, 1e30, 200,
                 {"1E+30", "1E+25", "1E+20", "1E+15", "1E+10", "100,000", "0", "-100,000",
                  "-1E+10", "-1E+15", "-1E+20", "-1E+25", "-1E+30"}, false},
        // Value steps, placed by the square root, crowd towards the top: the step grows until
        // the closest two fit (a linear axis of this length steps by 10).
        LabelRow{"SquareRootInValueSteps", SquareRoot, 0, 100, 250,
                 {"100", "80", "60", "40", "20", "0"}, false}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransformedAxis, ALinearAxisOfTheSameLengthStepsByTen) {
    height = 250;
    chart.LeftAxis().SetMinMax(0, 100);
    EXPECT_EQ(Left().Division.LabelIncrement, 10);
}

TEST_F(TransformedAxis, MinorTicksComeFromTheTransform) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetTransform(SymLog(1));
    axis.SetMinMax(0, 100);
    const TAxisPaint& left = Left();
    ASSERT_EQ(TextsOf(left.Division), (std::vector<std::string>{"100", "10", "1", "0"}));
    // Evenly in value within the threshold, 2 to 9 times each power beyond it.
    std::vector<std::int32_t> expected;
    for (const double v : {0.25, 0.5, 0.75, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0, 20.0, 30.0,
                           40.0, 50.0, 60.0, 70.0, 80.0, 90.0}) {
        expected.push_back(left.Map.ToPixel(v));
    }
    EXPECT_EQ(left.Division.MinorTicks, expected);
    // Not evenly in pixels: 2 to 9 crowd towards 10.
    EXPECT_GT(left.Map.ToPixel(2) - left.Map.ToPixel(3), left.Map.ToPixel(8) - left.Map.ToPixel(9));
}

TEST_F(TransformedAxis, PointsOutsideTheDomainNeitherShowNorDecideTheRange) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetTransform(SquareRoot());
    series->ClearPoints();
    for (const double y : {-4.0, 1.0, 9.0, 16.0, std::nan("")})
        series->AddValue(y);
    EXPECT_EQ(Left().Map.Range(), (TScaleRange{1, 16}));
    series->ComputeShownRange();
    EXPECT_FALSE(series->HasValue(0));
    EXPECT_TRUE(series->HasValue(1));
    EXPECT_FALSE(series->HasValue(4));
    // None inside it: nothing to show.
    series->ClearPoints();
    series->AddValue(-1);
    EXPECT_EQ(Left().Map.Range(), (TScaleRange{0, 0}));
}

TEST_F(TransformedAxis, RoundedAutomaticEndsGoToWholePositions) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetTransform(SymLog(1));
    axis.SetMinimumRound(true);
    axis.SetMaximumRound(true);
    series->ClearPoints();
    for (const double y : {-3.0, 40.0, 700.0})
        series->AddValue(y);
    EXPECT_EQ(Left().Map.Range(), (TScaleRange{-10, 1000}));
}

TEST_F(TransformedAxis, NoTransformGoesBackToTheAxissOwnScale) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetMinMax(1, 1000);
    axis.SetTransform(SymLog(1));
    EXPECT_EQ(axis.ScaleKind(), skTransformed);
    axis.SetLogarithmic(true);
    EXPECT_EQ(axis.ScaleKind(), skTransformed);  // the transform of its own comes first
    axis.SetTransform(nullptr);
    EXPECT_EQ(axis.ScaleKind(), skLogarithmic);
    EXPECT_DOUBLE_EQ(axis.Transform()->Forward(1000), 3);
    EXPECT_THROW_MSG(axis.SetTransform({}, [](double p) { return p; }), AxisException,
                     "Axis transform needs both functions");
}

}  // namespace
}  // namespace twinscope
