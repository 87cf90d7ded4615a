// The index of block extremes against a direct pass over the same values: every run a column
// may ask for, as the values change under it.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/MinMaxIndex.h"

namespace twinscope {
namespace {

std::vector<double> Walk(std::size_t n, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::normal_distribution<double> step(0, 1);
    std::vector<double> ys(n);
    double walk = 0;
    for (double& y : ys)
        y = walk += step(random);
    return ys;
}

// The spread as a column reads it: the extremes when every value is a number, else only that.
void ExpectSameSpread(const TValueSpread& actual, const TValueSpread& expected,
                      const std::string& where) {
    ASSERT_EQ(actual.notANumber, expected.notANumber) << where;
    if (expected.notANumber) return;
    ASSERT_EQ(actual.low, expected.low) << where;
    ASSERT_EQ(actual.high, expected.high) << where;
}

// Runs of every length class: inside one block, across block edges, across levels, the whole.
std::vector<std::pair<std::size_t, std::size_t>> RunsOver(std::size_t n) {
    std::vector<std::pair<std::size_t, std::size_t>> runs{{0, n}, {1, n}, {0, n - 1}};
    for (const auto& run : {std::pair<std::size_t, std::size_t>{15, 17}, {16, 32}, {255, 4097},
                           {4096, 8192}}) {
        if (run.second <= n) runs.push_back(run);
    }
    std::mt19937_64 random(n);
    for (int k = 0; k < 300; ++k) {
        const std::size_t from = random() % (n - 1);
        const std::size_t length = 1 + random() % std::min<std::size_t>(n - from, 1 << (k % 18));
        runs.push_back({from, from + length});
    }
    return runs;
}

struct IndexCase {
    const char* name;
    std::size_t values;
    // Values that are not a number, at these places.
    std::vector<std::size_t> notANumbers;
    // The index covers only this many values (the rest read directly); 0: all of them.
    std::size_t covered;
};

class MinMaxIndexTest : public ::testing::TestWithParam<IndexCase> {};

TEST_P(MinMaxIndexTest, EveryRunHasTheSpreadOfAPassOverIt) {
    const IndexCase& c = GetParam();
    std::vector<double> ys = Walk(c.values, c.values);
    for (const std::size_t at : c.notANumbers)
        ys[at] = std::nan("");
    TMinMaxIndex index;
    index.Cover(ys.data(), c.covered ? c.covered : ys.size());
    for (const auto& [from, to] : RunsOver(ys.size())) {
        ExpectSameSpread(index.Spread(ys.data(), from, to),
                         SpreadOf({ys.data() + from, to - from}),
                         std::to_string(from) + ".." + std::to_string(to));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MinMaxIndexTest,
    ::testing::Values(IndexCase{"OneLevel", 200, {}, 0},
                      IndexCase{"ThreeLevelsAndARest", 70'000, {}, 0},
                      IndexCase{"FiveLevels", 1'100'000, {}, 0},
                      IndexCase{"NotANumbersInSomeBlocks", 70'000, {3, 4100, 65'536, 69'999}, 0},
                      IndexCase{"PartlyCovered", 70'000, {}, 30'001}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MinMaxIndexTest, TakesAnEighthOfTheValuesBytesAndASixteenthMore) {
    const std::vector<double> ys = Walk(1 << 20, 1);
    TMinMaxIndex index;
    index.Cover(ys.data(), ys.size());
    // Two doubles per 16 values, 1/16 + 1/256 + ... more above: 16/15 of an eighth.
    EXPECT_EQ(index.Bytes(), (ys.size() / 8 + ys.size() / 128 + ys.size() / 2048 +
                              ys.size() / 32768 + ys.size() / 524288) * sizeof(double));
    EXPECT_LE(static_cast<double>(index.Bytes()), 0.069 * 2 * ys.size() * sizeof(double));
    index.Clear();
    EXPECT_EQ(index.Bytes(), 0u);
}

// A series' Y values as they change: after each step, long runs through the index agree with
// a pass over the values the list then holds.
struct ChangeCase {
    const char* name;
    std::function<void(TLineSeries&)> change;
};

// 50,000 points of a walk; windowed, the last of 70,000, so that the values kept start within a
// chunk and run across three chunk edges.
void FillWithAWalk(TLineSeries& series, bool windowed) {
    const std::size_t n = windowed ? 70'000 : 50'000;
    if (windowed) series.SetKeepLast(50'000);
    const std::vector<double> ys = Walk(n, 3);
    std::vector<double> xs(ys.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        xs[i] = static_cast<double>(i) - static_cast<double>(n - 50'000);
    series.AppendPoints(xs, ys);
}

void ExpectSpreadsFollow(const ChangeCase& c, bool windowed) {
    TLineSeries series;
    FillWithAWalk(series, windowed);
    TChartValueList& list = series.YValues();
    ASSERT_EQ(list.Chunked(), windowed);
    list.Spread(0, list.Count());  // lays the index
    ASSERT_GT(list.IndexBytes(), 0u);
    c.change(series);
    std::vector<double> now;
    for (std::int32_t i = 0; i < list.Count(); ++i)
        now.push_back(list.Value(i));
    const std::span<const double> sideBySide = list.Values();
    ASSERT_TRUE(std::equal(now.begin(), now.end(), sideBySide.begin(), sideBySide.end()));
    for (const auto& [from, to] : RunsOver(now.size())) {
        ExpectSameSpread(list.Spread(static_cast<std::int32_t>(from), static_cast<std::int32_t>(to)),
                         SpreadOf({now.data() + from, to - from}),
                         std::to_string(from) + ".." + std::to_string(to));
    }
    EXPECT_EQ(list.Highest(), *std::max_element(now.begin(), now.end()));
    EXPECT_EQ(list.Lowest(), *std::min_element(now.begin(), now.end()));
}

class IndexedListTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(IndexedListTest, SpreadsFollowTheChange) {
    ExpectSpreadsFollow(GetParam(), false);
}

// The same changes to a window whose values lie in chunks.
class IndexedWindowTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(IndexedWindowTest, SpreadsFollowTheChange) {
    ExpectSpreadsFollow(GetParam(), true);
}

const auto Changes = ::testing::Values(
    ChangeCase{"AddPointInTheMiddle", [](TLineSeries& s) { s.AddPoint(20'000.5, 1e6); }},
    ChangeCase{"AddPointAtTheEnd", [](TLineSeries& s) { s.AddPoint(1e9, -1e6); }},
    ChangeCase{"AppendPoints",
               [](TLineSeries& s) {
                   const std::vector<double> ys = Walk(10'000, 9);
                   std::vector<double> xs(ys.size());
                   for (std::size_t i = 0; i < xs.size(); ++i)
                       xs[i] = 1e6 + static_cast<double>(i);
                   s.AppendPoints(xs, ys);
               }},
    ChangeCase{"RemovePoint", [](TLineSeries& s) { s.RemovePoint(4099); }},
    ChangeCase{"SetValueAt", [](TLineSeries& s) { s.YValues().SetValueAt(33'333, 1e7); }},
    ChangeCase{"Exchange", [](TLineSeries& s) { s.YValues().Exchange(49'999, 5); }},
    ChangeCase{"Rotate", [](TLineSeries& s) { s.YValues().Rotate(); }},
    ChangeCase{"SortByY",
               [](TLineSeries& s) {
                   s.YValues().SetOrder(loAscending);
                   s.YValues().SortValues();
               }},
    ChangeCase{"KeepTheLastFewThousand", [](TLineSeries& s) { s.SetKeepLast(7'777); }},
    ChangeCase{"ClearAndRefill",
               [](TLineSeries& s) {
                   s.ClearPoints();
                   for (int i = 0; i < 3000; ++i)
                       s.AddPoint(i, std::sin(i * 0.01));
               }},
    ChangeCase{"LetTheFirstThirteenThousandGo",
               [](TLineSeries& s) {
                   s.XValues().DropFront(13'000);
                   s.YValues().DropFront(13'000);
               }},
    ChangeCase{"AddPointToAFullWindow", [](TLineSeries& s) { s.AddPoint(1e9, 1e8); }});

INSTANTIATE_TEST_SUITE_P(Rows, IndexedListTest, Changes,
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Rows, IndexedWindowTest, Changes,
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
