// Searching ascending values through the value at the start of every block: the same answer as
// a search of all of them, wherever the value and the start of the search lie.

#include <algorithm>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/series/BlockSearch.h"

namespace twinscope {
namespace {

ValueView ViewOf(const std::vector<double>& values) {
    static const double* block;
    block = values.data();
    return {&block, 0, ValueView::OneBlock, 0};
}

struct BlockSearchCase {
    const char* name;
    std::int32_t from;
    double value;
};

class BlockSearchTest : public ::testing::TestWithParam<BlockSearchCase> {};

TEST_P(BlockSearchTest, FindsWhatASearchOfEveryValueFinds) {
    // Blocks of 4 over 0, 0, 1, 1, 2, 2, ...: runs of equal values cross block boundaries, and
    // the last block holds 2 values.
    std::vector<double> values;
    for (int i = 0; i < 22; ++i)
        values.push_back(i / 2);
    std::vector<double> firsts;
    for (std::size_t i = 0; i < values.size(); i += 4)
        firsts.push_back(values[i]);
    const BlockSearchCase& c = GetParam();
    const auto expected = static_cast<std::int32_t>(
        std::lower_bound(values.begin() + c.from, values.end(), c.value) - values.begin());
    EXPECT_EQ(FirstNotBelowByBlocks(ViewOf(values), firsts, 4, c.from,
                                    static_cast<std::int32_t>(values.size()), c.value),
              expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BlockSearchTest,
    ::testing::Values(BlockSearchCase{"BelowEveryValue", 0, -1},
                      BlockSearchCase{"TheFirstValue", 0, 0},
                      BlockSearchCase{"ABlocksFirstValue", 0, 2},
                      BlockSearchCase{"ARunStartingInTheBlockBefore", 0, 3},
                      BlockSearchCase{"BetweenValues", 0, 4.5},
                      BlockSearchCase{"InTheShortLastBlock", 0, 10},
                      BlockSearchCase{"BeyondEveryValue", 0, 11},
                      BlockSearchCase{"FromMidBlockPastTheValue", 9, 1},
                      BlockSearchCase{"FromMidBlockBeforeTheValue", 9, 7},
                      BlockSearchCase{"FromTheLastValue", 21, 10},
                      BlockSearchCase{"FromTheEnd", 22, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
