// A line series drawn one pixel column at a time against the same series drawn segment by
// segment, on a chart painted by each backend.

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>

#include "tests/platform/ChartPicture.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {
namespace {

// The Log shapes are drawn on a logarithmic left axis.
enum class TShape { Walk, Noise, Steep, Flat, BeyondThePlot, WithNaN, LogWalk, LogWithZeros };

struct ColumnsCase {
    const char* name;
    TShape shape;
    std::int32_t points;
    // The shown part of X, as fractions of the points' span (beyond 0..1 scrolls past the ends).
    double from, to;
};

std::vector<double> ValuesOf(TShape shape, std::int32_t n) {
    std::mt19937_64 random(static_cast<std::uint64_t>(n) * 7 + static_cast<int>(shape));
    std::normal_distribution<double> step(0, 1);
    std::vector<double> ys(static_cast<std::size_t>(n));
    double walk = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        walk += step(random);
        switch (shape) {
            case TShape::Walk:
                ys[i] = walk;
                break;
            case TShape::Noise:
                ys[i] = step(random);
                break;
            case TShape::Steep:
                ys[i] = (i % 2 ? 40 : -40) + step(random);
                break;
            case TShape::Flat:
                ys[i] = i % 50 == 0 ? 0.5 : 0;
                break;
            case TShape::BeyondThePlot:
                ys[i] = i % 97 == 0 ? 1e9 * step(random) : step(random);
                break;
            case TShape::WithNaN:
                ys[i] = i % 501 == 0 ? std::nan("") : step(random);
                break;
            case TShape::LogWalk:
                ys[i] = std::pow(10.0, walk / 100);
                break;
            case TShape::LogWithZeros:
                ys[i] = i % 20011 == 0 ? (i % 2 ? 0 : -1) : std::pow(10.0, step(random) / 2);
                break;
        }
    }
    return ys;
}

class LineColumnsTest : public ::testing::TestWithParam<ColumnsCase> {
protected:
    void SetUp() override {
        RegisterQtCanvases();
        const ColumnsCase& c = GetParam();
        chart.SetBounds(420, 300);
        chart.SetView3D(false);
        series.SetParentChart(&chart);
        series.SetSeriesColor(clRed);
        std::vector<double> xs(static_cast<std::size_t>(c.points));
        for (std::int32_t i = 0; i < c.points; ++i)
            xs[i] = 45000 + i * 0.001;
        series.AppendPoints(xs, ValuesOf(c.shape, c.points));
        TChartAxis& bottom = chart.BottomAxis();
        bottom.SetAutomatic(false);
        const double span = xs.back() - xs.front();
        bottom.SetMinMax(xs.front() + c.from * span, xs.front() + c.to * span);
        if (c.shape == TShape::BeyondThePlot || c.shape == TShape::WithNaN) {
            chart.LeftAxis().SetAutomatic(false);
            chart.LeftAxis().SetMinMax(-3, 3);
        }
        if (c.shape == TShape::LogWithZeros) {
            chart.LeftAxis().SetAutomatic(false);
            chart.LeftAxis().SetMinMax(0.01, 100);
        }
        if (c.shape == TShape::LogWalk || c.shape == TShape::LogWithZeros) {
            chart.LeftAxis().SetLogarithmic(true);
        }
    }

    QImage Paint(const std::string& canvasClass, bool reduce, bool indexed = true) {
        chart.SetDefaultCanvas(canvasClass);
        series.SetReduceColumns(reduce);
        series.YValues().SetIndexExtremes(indexed);
        return PaintedOnWhite(chart);
    }

    TChart chart;
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
};

TEST_P(LineColumnsTest, AliasedColumnsKeepEveryPixel) {
    const QImage bySegment = Paint("TChartCanvas3D", false);
    const QImage byColumn = Paint("TChartCanvas3D", true);
    std::int32_t differing = 0;
    std::int32_t red = 0;
    for (int y = 0; y < bySegment.height(); ++y) {
        for (int x = 0; x < bySegment.width(); ++x) {
            differing += bySegment.pixel(x, y) != byColumn.pixel(x, y);
            red += bySegment.pixel(x, y) == 0xFFFF0000;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(red, 100) << "the line is in the picture";
}

// A paint takes the columns the one before found only where their points still make one
// column: after a value changes, a scroll by whole pixels and by a part of one, and a zoom in and
// out, the picture is the one drawn segment by segment.
TEST_P(LineColumnsTest, KeptColumnsFollowChangedValuesAndViews) {
    const std::int32_t middle = series.PointCount() / 2;
    TChartAxis& bottom = chart.BottomAxis();
    auto scroll = [&](double pixels) {
        const double perPixel =
            (bottom.Maximum() - bottom.Minimum()) / chart.ScaleMapOf(bottom).Length();
        bottom.SetMinMax(bottom.Minimum() + pixels * perPixel,
                         bottom.Maximum() + pixels * perPixel);
    };
    const std::function<void()> changes[] = {
        [&] { series.YValues().SetValueAt(middle, series.YValues().Value(middle) * 1.5 + 2); },
        [&] {
            TChartValueList& xs = series.XValues();
            xs.SetValueAt(middle, (xs.Value(middle - 1) + xs.Value(middle)) / 2);
        },
        [&] { scroll(3); },
        [&] { scroll(-0.5); },
        [&] {
            const double quarter = (bottom.Maximum() - bottom.Minimum()) / 4;
            bottom.SetMinMax(bottom.Minimum() + quarter, bottom.Maximum() - quarter);
        },
        [&] {
            const double span = bottom.Maximum() - bottom.Minimum();
            bottom.SetMinMax(bottom.Minimum() - span / 2, bottom.Maximum() + span / 2);
        }};
    for (const auto& change : changes) {
        Paint("TChartCanvas3D", true);
        change();
        const QImage byColumn = Paint("TChartCanvas3D", true);
        EXPECT_TRUE(byColumn == Paint("TChartCanvas3D", false));
    }
}

// The anti-aliased picture changes a little: the test records how much and holds it to a
// bound, so that a change of what the reduced path draws shows here.
TEST_P(LineColumnsTest, AntiAliasedColumnsChangeLittle) {
    const QImage bySegment = Paint("TGDIPlusCanvas", false);
    const QImage byColumn = Paint("TGDIPlusCanvas", true);
    std::int64_t differing = 0;
    int largest = 0;
    for (int y = 0; y < bySegment.height(); ++y) {
        for (int x = 0; x < bySegment.width(); ++x) {
            const QRgb a = bySegment.pixel(x, y);
            const QRgb b = byColumn.pixel(x, y);
            if (a == b) continue;
            ++differing;
            largest = std::max({largest, std::abs(qRed(a) - qRed(b)),
                                std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    }
    const double share = static_cast<double>(differing) / (bySegment.width() * bySegment.height());
    RecordProperty("ChangedShare", std::to_string(share));
    RecordProperty("LargestChannelDifference", largest);
    std::printf("[ anti-aliased ] %s: %.4f %% of pixels changed, largest channel difference %d\n",
                GetParam().name, share * 100, largest);
    EXPECT_LT(share, 0.001);
}

// Columns of thousands of points read their extremes from the Y values' index: the picture
// is the one the columns draw reading every point, on either canvas.
class IndexedColumnsTest : public LineColumnsTest {};

TEST_P(IndexedColumnsTest, IndexedColumnsDrawAsColumnsReadPointByPoint) {
    for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        const QImage direct = Paint(canvasClass, true, false);
        const QImage indexed = Paint(canvasClass, true, true);
        EXPECT_GT(series.YValues().IndexBytes(), 0u) << "the index was laid";
        EXPECT_TRUE(direct == indexed) << canvasClass;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IndexedColumnsTest,
    ::testing::Values(ColumnsCase{"WalkFullView", TShape::Walk, 2'000'000, -0.01, 1.01},
                      ColumnsCase{"NoiseFullView", TShape::Noise, 1'000'000, 0, 1},
                      ColumnsCase{"SteepFullView", TShape::Steep, 1'000'000, 0, 1},
                      ColumnsCase{"FlatFullView", TShape::Flat, 1'000'000, 0, 1},
                      ColumnsCase{"WalkZoomedEntering", TShape::Walk, 2'000'000, 0.3013, 0.6137},
                      ColumnsCase{"NoiseScrolledPastTheEnd", TShape::Noise, 1'000'000, 0.7, 1.3},
                      ColumnsCase{"WalkScrolledBeforeTheStart", TShape::Walk, 1'000'000, -0.3, 0.2},
                      ColumnsCase{"WalkWithValuesNotANumber", TShape::WithNaN, 300'000, 0.1, 0.9},
                      ColumnsCase{"LogarithmicWalk", TShape::LogWalk, 1'000'000, 0, 1},
                      ColumnsCase{"LogarithmicWithZeros", TShape::LogWithZeros, 300'000, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Rows, LineColumnsTest,
    ::testing::Values(ColumnsCase{"WalkFullView", TShape::Walk, 200'000, -0.01, 1.01},
                      ColumnsCase{"NoiseFullView", TShape::Noise, 100'000, 0, 1},
                      ColumnsCase{"SteepFullView", TShape::Steep, 30'000, 0, 1},
                      ColumnsCase{"FlatFullView", TShape::Flat, 50'000, 0, 1},
                      ColumnsCase{"SparseWalk", TShape::Walk, 300, 0, 1},
                      ColumnsCase{"WalkZoomedEntering", TShape::Walk, 200'000, 0.4013, 0.4137},
                      ColumnsCase{"NoiseScrolledPastTheEnd", TShape::Noise, 100'000, 0.7, 1.3},
                      ColumnsCase{"NoiseScrolledBeforeTheStart", TShape::Noise, 100'000, -0.3, 0.2},
                      ColumnsCase{"ValuesFarBeyondThePlot", TShape::BeyondThePlot, 60'000, 0, 1},
                      ColumnsCase{"WalkWithValuesNotANumber", TShape::WithNaN, 60'000, 0.1, 0.9},
                      ColumnsCase{"LogarithmicWalk", TShape::LogWalk, 200'000, -0.01, 1.01},
                      ColumnsCase{"LogarithmicWithZeros", TShape::LogWithZeros, 60'000, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
