// What a series that never holds a point costs, as the companion series of every scale does:
// the chart keeps each one for its whole life.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/HeapInUse.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/MinMaxIndex.h"

namespace twinscope {
namespace {

using testing::HeapInUse;

TEST(SeriesMemoryTest, AnEmptySeriesTakesUnderTwoKilobytes) {
    constexpr std::size_t Series = 200;
    std::vector<std::unique_ptr<TLineSeries>> made;
    made.reserve(Series);
    const std::size_t before = HeapInUse();
    if (before == 0) GTEST_SKIP() << "the heap in use cannot be read here";
    for (std::size_t i = 0; i < Series; ++i) {
        made.push_back(std::make_unique<TLineSeries>());
        made.back()->SetTransparency(100);
        made.back()->SetShowInLegend(false);
    }
    EXPECT_LT((HeapInUse() - before) / Series, std::size_t{2} << 10);
}

TEST(SeriesMemoryTest, TheExtremesIndexTakesMemoryOnlyForWholeBlocks) {
    TMinMaxIndex index;
    const std::vector<double> few(TMinMaxIndex::BlockValues - 1, 1.0);
    index.Cover(few.data(), few.size());
    EXPECT_EQ(index.Bytes(), 0u);
    EXPECT_EQ(index.Covered(), 0u);

    const std::vector<double> more(4 * TMinMaxIndex::BlockValues, 2.0);
    index.Cover(more.data(), more.size());
    EXPECT_GT(index.Bytes(), 0u);
    EXPECT_EQ(index.Covered(), more.size());
    const TValueSpread spread = index.Spread(more.data(), 3, more.size());
    EXPECT_EQ(spread.low, 2.0);
    EXPECT_EQ(spread.high, 2.0);

    index.Clear(true);
    EXPECT_EQ(index.Bytes(), 0u);
    EXPECT_EQ(index.Covered(), 0u);
    index.ForgetFrom(0);
    EXPECT_EQ(index.Spread(few.data(), 0, few.size()).high, 1.0) << "read from the values";
}

}  // namespace
}  // namespace twinscope
