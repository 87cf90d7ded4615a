// Which bytes of a column file's array a frame reads at a point, asked for ahead.

#include <gtest/gtest.h>

#include "twinscope/chart/series/ColumnFileParts.h"

namespace twinscope {
namespace {

struct ReadAroundCase {
    const char* name;
    TColumnFilePart part;
    std::int64_t from, to;
    TByteRange read;
};

class ReadAroundTest : public ::testing::TestWithParam<ReadAroundCase> {};

TEST_P(ReadAroundTest, IsThePointsElementsAndAPageOnEachSideWithinThePart) {
    const ReadAroundCase& c = GetParam();
    EXPECT_EQ(c.part.ReadAround(c.from, c.to), c.read);
}

constexpr TColumnFilePart Values{8192, 800'000, 0, 8};
// The first level of an index: a pair of doubles a block of 16 values.
constexpr TColumnFilePart Blocks{1'000'000, 100'000, 4, 16};

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadAroundTest,
    ::testing::Values(
        ReadAroundCase{"OneValue", Values, 10'000, 10'001, {8192 + 80'000 - 4096, 8192 + 84'104}},
        ReadAroundCase{"ARun", Values, 10'000, 20'000, {8192 + 75'904, 8192 + 164'096}},
        ReadAroundCase{"AtTheStart", Values, 0, 1, {8192, 8192 + 4104}},
        ReadAroundCase{"AtTheEnd", Values, 99'999, 100'000, {8192 + 795'896, 8192 + 800'000}},
        ReadAroundCase{"TheBlockHoldingAPoint", Blocks, 16'400, 16'401,
                       {1'000'000 + 16'400 - 4096, 1'000'000 + 16'416 + 4096}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
