// A series showing points that lie elsewhere: read in place, answered from the extremes and
// the index that came with them, and copied in at the first change, leaving the source as it
// was.

#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/MinMaxIndex.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

class TVectorLender final : public TPointLender {
public:
    bool ReadyToDraw() override { return ready; }
    void WillDraw(std::int32_t, std::int32_t) override {}
    bool ready = true;
};

struct TSource {
    explicit TSource(std::size_t n) {
        std::mt19937_64 random(n);
        std::normal_distribution<double> step(0, 1);
        double walk = 0;
        for (std::size_t i = 0; i < n; ++i) {
            xs.push_back(static_cast<double>(i));
            ys.push_back(walk += step(random));
        }
        index.Cover(ys.data(), ys.size());
        // The index's levels, as a file lays them.
        for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k) {
            std::vector<double>& level = levels.emplace_back();
            for (std::size_t j = 0; j < TMinMaxIndex::LevelBlocks(k, n); ++j) {
                const TValueSpread s = index.Spread(ys.data(), j << (4 * (k + 1)),
                                                    (j + 1) << (4 * (k + 1)));
                level.push_back(s.low);
                level.push_back(s.high);
            }
        }
        for (const std::vector<double>& level : levels)
            levelSpans.emplace_back(level);
    }
    TBorrowedPoints Points(TValueSpread yExtremes) {
        return {xs, ys, {xs.front(), xs.back(), false}, yExtremes, levelSpans, lender};
    }
    std::vector<double> xs;
    std::vector<double> ys;
    TMinMaxIndex index;
    std::vector<std::vector<double>> levels;
    std::vector<std::span<const double>> levelSpans;
    std::shared_ptr<TVectorLender> lender = std::make_shared<TVectorLender>();
};

TEST(BorrowedPoints, AreReadInPlaceWithTheExtremesAndIndexThatCameWithThem) {
    TSource source(100'000);
    TLineSeries series;
    // Extremes wider than the values: the axes take them as given, reading no value.
    series.ShowBorrowedPoints(source.Points({-1000, 1000, false}));
    EXPECT_EQ(series.PointCount(), 100'000);
    EXPECT_EQ(series.YValues().Highest(), 1000);
    EXPECT_EQ(series.YValues().Lowest(), -1000);
    EXPECT_EQ(series.XValues().Highest(), 99'999);
    EXPECT_EQ(series.YValues().Values().data(), source.ys.data()) << "not copied";
    struct TRun {
        std::int32_t from, to;
    };
    for (const TRun run : {TRun{0, 100'000}, TRun{17, 70'001}, TRun{4096, 8192}, TRun{3, 300}}) {
        const TValueSpread borrowed = series.YValues().Spread(run.from, run.to);
        const TValueSpread direct = SpreadOf(std::span(source.ys).subspan(
            static_cast<std::size_t>(run.from), static_cast<std::size_t>(run.to - run.from)));
        EXPECT_EQ(borrowed.low, direct.low) << run.from;
        EXPECT_EQ(borrowed.high, direct.high) << run.from;
    }
    EXPECT_TRUE(series.BorrowedPointsShown());
}

TEST(BorrowedPoints, AreCopiedInAtTheFirstChangeAndTheSourceStays) {
    TSource source(5000);
    const std::vector<double> before = source.ys;
    struct TChange {
        const char* name;
        void (*change)(TLineSeries&);
        std::int32_t count;
    };
    for (const TChange c : {
             TChange{"set a value", [](TLineSeries& s) { s.YValues().SetValueAt(10, 1e6); }, 5000},
             TChange{"add a point", [](TLineSeries& s) { s.AddPoint(1e6, 1e6); }, 5001},
             TChange{"remove a point", [](TLineSeries& s) { s.RemovePoint(0); }, 4999},
             TChange{"keep the last", [](TLineSeries& s) { s.SetKeepLast(100); }, 100},
         }) {
        TLineSeries series;
        series.ShowBorrowedPoints(source.Points({-1, 1, false}));
        c.change(series);
        EXPECT_FALSE(series.BorrowedPointsShown()) << c.name;
        EXPECT_EQ(series.PointCount(), c.count) << c.name;
        EXPECT_EQ(source.ys, before) << c.name;
        // The index is laid afresh from the values as they are now.
        const std::int32_t n = series.PointCount();
        const TValueSpread spread = series.YValues().Spread(0, n);
        const TValueSpread direct = SpreadOf(series.YValues().Values());
        EXPECT_EQ(spread.low, direct.low) << c.name;
        EXPECT_EQ(spread.high, direct.high) << c.name;
    }
}

TEST(BorrowedPoints, ClearingLetsTheLenderGo) {
    TSource source(1000);
    TLineSeries series;
    series.ShowBorrowedPoints(source.Points({0, 0, true}));
    EXPECT_GT(source.lender.use_count(), 1);
    series.ClearPoints();
    EXPECT_EQ(source.lender.use_count(), 1);
    EXPECT_EQ(series.PointCount(), 0);
}

TEST(BorrowedPoints, OfDifferentLengthsAreRefused) {
    TSource source(1000);
    TBorrowedPoints points = source.Points({0, 0, true});
    points.Ys = points.Ys.first(999);
    TLineSeries series;
    EXPECT_THROW(series.ShowBorrowedPoints(points), RuntimeError);
    EXPECT_EQ(series.PointCount(), 0);
}

}  // namespace
}  // namespace twinscope
