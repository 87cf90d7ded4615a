// The search for the end of a pixel column's points, guessed from the column before, against
// a walk over every index: runs of many lengths side by side, each searched from its start and
// from inside it, with guesses too short, right and far too long.

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/series/RunEnd.h"

namespace twinscope {
namespace {

struct RunEndCase {
    const char* name;
    // The lengths of the runs side by side; together they make every index up to the end.
    std::vector<std::int32_t> lengths;
};

class RunEndTest : public ::testing::TestWithParam<RunEndCase> {};

TEST_P(RunEndTest, FindsTheFirstIndexOfTheNextRunProbingOnlyBetweenStartAndEnd) {
    std::vector<std::int32_t> runOf;
    std::vector<std::int32_t> starts;
    for (const std::int32_t length : GetParam().lengths) {
        starts.push_back(static_cast<std::int32_t>(runOf.size()));
        runOf.insert(runOf.end(), static_cast<std::size_t>(length),
                     static_cast<std::int32_t>(starts.size()) - 1);
    }
    const auto end = static_cast<std::int32_t>(runOf.size());
    for (std::size_t r = 0; r < starts.size(); ++r) {
        const std::int32_t length = GetParam().lengths[r];
        for (const std::int32_t from :
             {starts[r], starts[r] + length / 2, starts[r] + length - 1}) {
            const std::int32_t expectedEnd = starts[r] + length;
            for (const std::int32_t guess :
                 {0, 1, 2, length - 1, length, length + 1, 2 * length, 1'000'000}) {
                std::int32_t probes = 0;
                bool outside = false;
                const std::int32_t found = RunEnd(from, end, guess, [&](std::int64_t i) {
                    outside |= i <= from || i >= end;
                    ++probes;
                    return runOf[static_cast<std::size_t>(i)] == runOf[from];
                });
                const std::string where = "run " + std::to_string(r) + " from " +
                                          std::to_string(from) + " guess " + std::to_string(guess);
                ASSERT_EQ(found, expectedEnd) << where;
                EXPECT_FALSE(outside) << where;
                // A guess of the run's own length finds its end next to it.
                if (from == starts[r] && guess == length && length > 1) {
                    EXPECT_LE(probes, 3) << where;
                }
            }
        }
    }
}

std::vector<std::int32_t> Repeated(std::vector<std::int32_t> pattern, std::int32_t times) {
    std::vector<std::int32_t> lengths;
    for (std::int32_t t = 0; t < times; ++t)
        lengths.insert(lengths.end(), pattern.begin(), pattern.end());
    return lengths;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, RunEndTest,
    ::testing::Values(
        RunEndCase{"EvenRuns", Repeated({117}, 40)},
        RunEndCase{"RunsDifferingByOne", Repeated({117, 118, 118}, 20)},
        RunEndCase{"SinglePoints", Repeated({1}, 50)},
        RunEndCase{"PairsAndSinglePoints", Repeated({2, 1, 1, 2, 2}, 12)},
        RunEndCase{"BurstsBetweenSparseRuns", Repeated({3, 40'000, 1, 2, 700, 65'537, 5, 1}, 3)},
        RunEndCase{"OneRunToTheEnd", {100'000}},
        RunEndCase{"ALastRunShorterThanItsNeighbour", {5'000, 5'000, 17}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace twinscope
