#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twinscope/chart/panel/LegendFit.h"
#include "twinscope/runtime/Utf8.h"

namespace twinscope {
namespace {

// Six pixels a character, as the test canvas measures an 8-point font.
std::int32_t SixPerCharacter(const std::string& text) {
    return static_cast<std::int32_t>(CharacterCount(text)) * 6;
}

struct SpanCase {
    const char* name;
    TLegendSpan box;
    TLegendSpan fitted;
};

class LegendSpanTest : public ::testing::TestWithParam<SpanCase> {};

// Between the edges 0 and 965, with a shadow 3 pixels beyond the right edge.
TEST_P(LegendSpanTest, TheBoxKeepsInsideTheChart) {
    const SpanCase& c = GetParam();
    EXPECT_EQ(FitLegendSpan(c.box, 3, 0, 965), c.fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LegendSpanTest,
    ::testing::Values(SpanCase{"AFittingBoxStays", {868, 67}, {868, 67}},
                      SpanCase{"ItsShadowJustFits", {868, 94}, {868, 94}},
                      SpanCase{"OnePixelOfShadowOverMovesLeftByOne", {868, 95}, {867, 95}},
                      SpanCase{"AWideBoxMovesLeft", {868, 169}, {793, 169}},
                      SpanCase{"ABoxLeftOfTheChartMovesRight", {-40, 100}, {0, 100}},
                      SpanCase{"AsWideAsTheRoomStartsAtTheLeftEdge", {868, 962}, {0, 962}},
                      SpanCase{"WiderThanTheRoomGetsTheRoom", {868, 2000}, {0, 962}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ElideCase {
    const char* name;
    std::string text;
    std::int32_t maxWidth;
    std::string shown;
};

class ElideTextTest : public ::testing::TestWithParam<ElideCase> {};

TEST_P(ElideTextTest, ALongTextEndsInAnEllipsis) {
    const ElideCase& c = GetParam();
    EXPECT_EQ(ElideText(c.text, c.maxWidth, SixPerCharacter), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ElideTextTest,
    ::testing::Values(
        ElideCase{"AFittingTextStays", "highest temperature (°F)", 144, "highest temperature (°F)"},
        ElideCase{"OneCharacterLessAndTheEllipsis", "highest temperature (°F)", 143,
                  "highest temperature (°…"},
        // The degree sign is two bytes: it goes as one character.
        ElideCase{"AWideCharacterGoesWhole", "highest temperature (°F)", 137,
                  "highest temperature (…"},
        ElideCase{"TrailingSpacesGo", "highest temperature (°F)", 125, "highest temperature…"},
        ElideCase{"TooNarrowForAnyCharacter", "high", 11, "\xE2\x80\xA6"},
        ElideCase{"NoRoomAtAll", "high", 0, "\xE2\x80\xA6"}),
    [](const auto& info) { return std::string(info.param.name); });

TLegendRow Row(std::string first, std::string second = {}) {
    TLegendRow row;
    row.Columns = {std::move(first), std::move(second), {}};
    for (std::size_t c = 0; c < 2; ++c) {
        if (!row.Columns[c].empty()) row.Widths[c] = SixPerCharacter(row.Columns[c]) + 2;
    }
    return row;
}

TEST(LegendColumns, TheWidestColumnShrinksFirstAndTheNextWhenItCannot) {
    std::vector<TLegendRow> rows{Row("486.147", "highest temperature (°F)"),
                                 Row("7", "lowest")};
    // 26 pixels off the second column: its longest text shrinks to at most 118 pixels, the short
    // one stays.
    ASSERT_TRUE(ShortenWidestColumn(rows, 26, 2, SixPerCharacter));
    EXPECT_EQ(rows[0].Columns[1], "highest temperatur…");
    EXPECT_EQ(rows[0].Widths[1], 19 * 6 + 2);
    EXPECT_EQ(rows[1].Columns[1], "lowest");
    EXPECT_EQ(rows[0].Columns[0], "486.147");

    // Far too narrow: the columns go down to their ellipses, widest first, and then nothing is
    // left to shorten.
    std::int32_t rounds = 0;
    while (ShortenWidestColumn(rows, 1000, 2, SixPerCharacter))
        ++rounds;
    EXPECT_EQ(rounds, 2);
    for (const TLegendRow& row : rows) {
        EXPECT_EQ(row.Columns[0], LegendEllipsis);
        EXPECT_EQ(row.Columns[1], LegendEllipsis);
        EXPECT_EQ(row.Widths[0], 8);
    }
}

}  // namespace
}  // namespace twinscope
