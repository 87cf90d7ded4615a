// Readings that stream in: appending keeps the statistics without a recount, a bounded window
// keeps the newest points in X order at a constant cost per point, and running out of memory
// leaves the series as it was.

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/AddressSpace.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/ValueChunks.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

std::vector<double> Ramp(std::size_t n, double from, double step) {
    std::vector<double> values(n);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = from + static_cast<double>(i) * step;
    return values;
}

TEST(BoundedWindowTest, AppendedValuesExtendTheStatisticsAsARecountWould) {
    TLineSeries streamed;
    TLineSeries whole;
    std::vector<double> ys{3, -1, std::nan(""), 2.5, 1e9, -7, 0.1};
    const std::vector<double> xs = Ramp(ys.size(), 0, 1);
    streamed.AppendPoints(std::span(xs).first(2), std::span(ys).first(2));
    ASSERT_EQ(streamed.YValues().Highest(), 3);
    ASSERT_EQ(streamed.YValues().Total(), 2);
    streamed.AppendPoints(std::span(xs).subspan(2), std::span(ys).subspan(2));
    whole.AppendPoints(xs, ys);
    EXPECT_FALSE(streamed.YValues().StatsStale());
    EXPECT_EQ(streamed.YValues().Highest(), whole.YValues().Highest());
    EXPECT_EQ(streamed.YValues().Lowest(), whole.YValues().Lowest());
    EXPECT_TRUE(std::isnan(streamed.YValues().Total()) && std::isnan(whole.YValues().Total()));
}

TEST(BoundedWindowTest, AWindowKeepsTheNewestPointsInOrder) {
    TLineSeries series;
    series.SetKeepLast(1000);
    std::int32_t removals = 0;
    series.AddDependent([&](TChartSeries&, TNotifyCode code, std::int32_t) {
        removals += code == NotifyRemoved;
    });
    std::int32_t lastIndex = -1;
    for (int i = 0; i < 25'000; ++i)
        lastIndex = series.AddPoint(i, -i);
    EXPECT_EQ(series.PointCount(), 1000);
    EXPECT_EQ(lastIndex, 999);
    EXPECT_EQ(removals, 24'000);
    EXPECT_EQ(series.XValues().First(), 24'000);
    EXPECT_EQ(series.XValues().Last(), 24'999);
    EXPECT_EQ(series.YValues().Highest(), -24'000);
    EXPECT_EQ(series.XValues().Lowest(), 24'000);
    // An older point than every kept one goes at once.
    EXPECT_EQ(series.AddPoint(-5, 0), -1);
    EXPECT_EQ(series.XValues().First(), 24'000);
    // A narrower window lets the oldest go at once.
    series.AppendPoints(Ramp(300, 30'000, 1), Ramp(300, 0, 1));
    series.SetKeepLast(100);
    EXPECT_EQ(series.PointCount(), 100);
    EXPECT_EQ(series.XValues().First(), 30'200);
    EXPECT_EQ(series.YValues().Last(), 299);
}

// Readings streaming into a window, a paint after each batch: the automatic axes span the
// kept readings, however the oldest went.
TEST(BoundedWindowTest, AutomaticAxesFollowTheKeptReadings) {
    RegisterCanvasClass("TRecordingCanvas", [] { return std::make_unique<TRecordingCanvas>(); });
    TChart chart;
    chart.SetDefaultCanvas("TRecordingCanvas");
    chart.SetBounds(600, 400);
    chart.SetView3D(false);
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.SetKeepLast(5000);
    TNoTarget target;
    std::mt19937_64 random(11);
    std::normal_distribution<double> step(0, 1);
    double y = 0;
    for (int batch = 0; batch < 40; ++batch) {
        std::vector<double> ys(700);
        for (double& v : ys)
            v = y += step(random) * (batch == 20 ? 100 : 1);  // one wild batch, later let go
        series.AppendPoints(Ramp(ys.size(), batch * 700.0, 1), ys);
        chart.Paint(target);
        const auto kept = series.YValues().Values();
        ASSERT_EQ(chart.BottomAxis().Minimum(), series.XValues().First()) << batch;
        ASSERT_EQ(chart.BottomAxis().Maximum(), series.XValues().Last()) << batch;
        ASSERT_EQ(series.MinYValue(), *std::min_element(kept.begin(), kept.end())) << batch;
        ASSERT_EQ(series.MaxYValue(), *std::max_element(kept.begin(), kept.end())) << batch;
    }
    UnregisterCanvasClass("TRecordingCanvas");
}

TEST(BoundedWindowTest, LettingValuesGoMovesNoneOfTheKeptOnesAndHoldsLittleMore) {
    constexpr std::size_t Kept = 100'000;
    ValueChunks storage;
    storage.SetChunked(true, 0);
    storage.SetCapacity(Kept);
    for (std::size_t i = 0; i < Kept; ++i)
        storage[i] = static_cast<double>(i);
    const double* newest = &storage[Kept - 1];
    for (std::size_t next = Kept; next < 20 * Kept; next += 10) {
        storage.SetCapacity(Kept + 10);
        for (std::size_t k = 0; k < 10; ++k)
            storage[Kept + k] = static_cast<double>(next + k);
        storage.LetGoBefore(storage.Begin() + 10);
        ASSERT_EQ(storage[0], static_cast<double>(next + 10 - Kept));
        // A part chunk at each end and the spare one.
        ASSERT_LE(storage.Allocated(), Kept + 3 * ValueChunks::ChunkValues);
        if (next < 2 * Kept - 10) {
            ASSERT_EQ(newest, &storage.At(Kept - 1)) << next;
        }
    }
    EXPECT_EQ(storage.Begin(), 19 * Kept);
}

// Each step's failure ends the child with its own code.
TEST(BoundedWindowTest, PointsThatDoNotFitInMemoryLeaveTheSeriesAsItWas) {
    SKIP_WHERE_ADDRESS_SPACE_IS_THE_SANITIZERS();
    EXPECT_EXIT(
        {
            TLineSeries series;
            series.AppendPoints(Ramp(1000, 0, 1), Ramp(1000, 0, 2));
            const std::vector<double> xs = Ramp(3'000'000, 1000, 1);
            std::vector<double> more = Ramp(1'000'000, 1e7, 1);
            // X has room for what follows; Y is the list that runs out.
            series.XValues().Reserve(9'000'000);
            testing::LimitAddressSpace(48 << 20);
            try {
                series.ReservePoints(30'000'000);  // 240 MB a list
                std::exit(1);
            } catch (const OutOfMemoryError& e) {
                if (std::string(e.what()) != "not enough memory for 30000000 points") std::exit(2);
            }
            if (series.PointCount() != 1000 || series.YValues().Last() != 1998) std::exit(3);
            series.AppendPoints(xs, xs);  // 24 MB of Y
            if (series.PointCount() != 3'001'000) std::exit(4);
            // A million points at a time until they no longer fit: the last batch not at all.
            try {
                for (int k = 0; k < 100; ++k) {
                    series.AppendPoints(more, more);
                    for (double& v : more)
                        v += 1e6;
                }
                std::exit(5);
            } catch (const OutOfMemoryError&) {
            }
            const std::int32_t n = series.PointCount();
            if ((n - 3'001'000) % 1'000'000 != 0 || series.YValues().Count() != n) std::exit(6);
            if (series.XValues().Last() != series.YValues().Last()) std::exit(7);
            try {
                while (true)
                    series.AddPoint(series.XValues().Last() + 1, 0);
            } catch (const OutOfMemoryError&) {
            }
            if (series.XValues().Count() != series.YValues().Count()) std::exit(8);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(BoundedWindowTest, AnIndexThatDoesNotFitKeepsWhatItHadAndTheValuesAreReadDirectly) {
    SKIP_WHERE_ADDRESS_SPACE_IS_THE_SANITIZERS();
    EXPECT_EXIT(
        {
            TLineSeries series;
            const std::vector<double> ys = Ramp(2'000'000, 0, 1);
            series.YValues().Append(ys);
            testing::LimitAddressSpace(1 << 20);  // the index takes 2 MB
            TMinMaxIndex index;
            try {
                index.Cover(ys.data(), ys.size());
                std::exit(1);
            } catch (const OutOfMemoryError& e) {
                if (std::string(e.what()) != "not enough memory for 2000000 points") std::exit(2);
            }
            if (index.Covered() != 0 || index.Bytes() != 0) std::exit(3);
            const TValueSpread spread = series.YValues().Spread(10, 1'999'990);
            if (spread.low != 10 || spread.high != 1'999'989) std::exit(4);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace twinscope
