// Values in chunks against the same values side by side in a vector: moves across chunk edges,
// and laying the values the other way.

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/series/ValueChunks.h"

namespace twinscope {
namespace {

constexpr std::size_t Count = 3 * ValueChunks::ChunkValues;

// Count values 0, 1, 2, ...; chunked, after letting 5,000 go, so that index 0 lies within a
// chunk and the values run across three chunk edges.
void Fill(ValueChunks& store, bool chunked) {
    constexpr std::size_t LetGo = 5'000;
    store.SetChunked(chunked, 0);
    store.SetCapacity(Count + (chunked ? LetGo : 0));
    if (chunked) store.LetGoBefore(LetGo);
    for (std::size_t i = 0; i < Count; ++i)
        store[i] = static_cast<double>(i);
}

struct MoveCase {
    const char* name;
    std::size_t to;
    std::size_t from;
    std::size_t count;
};

class ValueChunksMoveTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(ValueChunksMoveTest, MovesAsMemmoveDoes) {
    const MoveCase& c = GetParam();
    std::vector<double> expected(Count);
    for (std::size_t i = 0; i < Count; ++i)
        expected[i] = static_cast<double>(i);
    std::memmove(expected.data() + c.to, expected.data() + c.from, c.count * sizeof(double));
    for (const bool chunked : {false, true}) {
        ValueChunks store;
        Fill(store, chunked);
        store.Move(c.to, c.from, c.count);
        for (std::size_t i = 0; i < Count; ++i)
            ASSERT_EQ(store[i], expected[i]) << (chunked ? "chunked, at " : "one block, at ") << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ValueChunksMoveTest,
                         ::testing::Values(MoveCase{"DownWithinAChunk", 10, 11, 100},
                                           MoveCase{"UpWithinAChunk", 11, 10, 100},
                                           MoveCase{"DownAcrossEveryEdge", 0, 1, Count - 1},
                                           MoveCase{"UpAcrossEveryEdge", 1, 0, Count - 1},
                                           MoveCase{"DownByMoreThanAChunk", 100, 20'100, 25'000},
                                           MoveCase{"UpByMoreThanAChunk", 20'007, 7, 25'000},
                                           MoveCase{"UpToTheLastValue", 40'000, 39'000,
                                                    Count - 40'000},
                                           MoveCase{"Nothing", 3, 9, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueChunks, LaidIntoChunksAndBackTheValuesStayAndLieSideBySide) {
    ValueChunks store;
    Fill(store, false);
    const std::size_t kept = Count - 7;
    store.SetChunked(true, kept);
    ASSERT_TRUE(store.Chunked());
    EXPECT_EQ(store.Begin(), 0u);
    EXPECT_GE(store.Capacity(), kept);
    EXPECT_EQ(store.View().Run(0, kept).size(), ValueChunks::ChunkValues);
    store.LetGoBefore(ValueChunks::ChunkValues + 3);
    EXPECT_EQ(store.Allocated(), 3 * ValueChunks::ChunkValues) << "the first chunk kept spare";
    store.SetCapacity(store.Capacity() + 1);
    EXPECT_EQ(store.Allocated(), 3 * ValueChunks::ChunkValues) << "the spare chunk taken again";
    const std::size_t left = kept - store.Begin();
    store.SetChunked(false, left);
    ASSERT_FALSE(store.Chunked());
    EXPECT_EQ(store.Begin(), 0u);
    EXPECT_EQ(store.Capacity(), left);
    const std::span<const double> run = store.View().Run(0, left);
    ASSERT_EQ(run.size(), left);
    for (std::size_t i = 0; i < run.size(); ++i)
        ASSERT_EQ(run[i], static_cast<double>(i + ValueChunks::ChunkValues + 3)) << i;
}

}  // namespace
}  // namespace twinscope
