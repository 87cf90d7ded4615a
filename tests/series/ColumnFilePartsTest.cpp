// Where a frame's reads at a point lie in a column file's arrays.

#include <gtest/gtest.h>

#include "twinscope/chart/series/ColumnFileParts.h"

namespace twinscope {
namespace {

TEST(ColumnFileParts, LieWhereTheLayoutPutsThemAndHoldItsElements) {
    TColumnFileLayout layout;
    layout.PointCount = 1'000'000;
    const auto parts = PartsOf(layout);
    EXPECT_EQ(parts[0].offset, layout.XOffset());
    EXPECT_EQ(parts[1].offset, layout.YOffset());
    EXPECT_EQ(parts[1].bytes, 8'000'000u);
    for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k) {
        EXPECT_EQ(parts[2 + k].offset, layout.LevelOffset(k)) << k;
        EXPECT_EQ(parts[2 + k].bytes, 16 * layout.LevelBlocks(k)) << k;
    }
}

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
