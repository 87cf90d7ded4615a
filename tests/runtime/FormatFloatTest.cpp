#include "twinscope/runtime/FormatFloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "twinscope/runtime/Exceptions.h"
#include "tests/support/Expect.h"

namespace twinscope {
namespace {

struct FormatCase {
    const char* name;
    const char* format;
    double value;
    const char* expected;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr FormatCase kUsCases[] = {
    {"AxisDefaultGroupsThousands", "#,##0.###", 1234.5, "1,234.5"},
    {"AxisDefaultWholeNumber", "#,##0.###", 40, "40"},
    {"AxisDefaultTinyValueIsZero", "#,##0.###", 0.00004, "0"},
    {"AxisDefaultMillions", "#,##0.###", 1234567.891, "1,234,567.891"},
    {"AxisDefaultNegative", "#,##0.###", -1234.5678, "-1,234.568"},
    {"RoundsShortestFormHalfUp", "0.00", 1.005, "1.01"},
    {"RoundsNegativeHalfAwayFromZero", "0", -2.5, "-3"},
    {"RoundsPositiveHalfAwayFromZero", "0", 2.5, "3"},
    {"NoMinusForValueRoundingToZero", "0.00", -0.0001, "0.00"},
    {"NoMinusForNegativeZero", "0.00", -0.0, "0.00"},
    {"CarryIntoNewDigit", "0.0", 9.96, "10.0"},
    {"CarryIntoNewGroup", "#,##0", 999999.5, "1,000,000"},
    {"PercentIsLiteral", "##0.## %", 12.345, "12.35 %"},
    {"PercentOfWhole", "##0.## %", 100, "100 %"},
    {"ZeroPlaceholdersPad", "000.00", 5.1, "005.10"},
    {"OptionalDecimalKeepsMinimum", "0.0#", 1, "1.0"},
    {"OptionalDecimalRounds", "0.0#", 1.256, "1.26"},
    {"NoIntegerZero", "#.##", 0.5, ".5"},
    {"IntegerDigitsBeforeBarePoint", ".00", 12.5, "12.50"},
    {"LiteralBetweenDigits", "00-00", 1234, "12-34"},
    {"SurplusDigitsGoToFirstPlaceholder", "0-0", 12345, "1234-5"},
    {"QuotedPrefix", "'$'#,##0.00", 1234.5, "$1,234.50"},
    {"DoubleQuotedText", "\"kg\" 0", 5, "kg 5"},
    {"PlaceholdersInsideQuotesAreText", "'#0.'0", 5, "#0.5"},
    {"SecondPointIgnored", "0.0.0", 1.25, "1.25"},
    {"Scientific", "0.00E+00", 1234.5, "1.23E+03"},
    {"ScientificNegativeExponent", "0.00E+00", 0.000123, "1.23E-04"},
    {"ScientificMinusOnlyWhenNegative", "0.###e-0", 1234.5, "1.235e3"},
    {"ScientificTwoIntegerDigits", "00.0E+0", 1234.5, "12.3E+2"},
    {"ScientificCarryRaisesExponent", "0.0E+0", 9.96, "1.0E+1"},
    {"ScientificZero", "0.0E+00", 0, "0.0E+00"},
    {"ScientificNegativeValue", "0.0E+0", -1234.5, "-1.2E+3"},
    {"SectionPositive", "0.0;(0.0);zero", 3.21, "3.2"},
    {"SectionNegativeHasNoMinus", "0.0;(0.0);zero", -3.21, "(3.2)"},
    {"SectionZero", "0.0;(0.0);zero", 0, "zero"},
    {"SectionZeroForNegativeRoundingToZero", "0.0;(0.0);zero", -0.01, "zero"},
    {"EmptyNegativeSectionFallsBack", "0.0;;zero", -1.5, "-1.5"},
    {"MissingZeroSectionFallsBack", "#,##0;(#,##0)", 0, "0"},
    {"NegativeSectionWithGroups", "#,##0;(#,##0)", -1234, "(1,234)"},
    {"SemicolonInQuotesIsText", "0';'0", 12, "1;2"},
    {"SectionWithoutPlaceholders", "abc;def", 5, "abc"},
    {"NaN", "#,##0.###", std::nan(""), "NAN"},
    {"Infinity", "0.0;(0.0)", kInf, "INF"},
    {"NegativeInfinity", "0.0;(0.0)", -kInf, "-INF"},
    {"GeneralZero", "", 0, "0"},
    {"GeneralFraction", "", -1234.5, "-1234.5"},
    {"GeneralFifteenDigits", "", 0.1 + 0.2, "0.3"},
    {"GeneralThird", "", 1.0 / 3, "0.333333333333333"},
    {"GeneralLargestFixed", "", 123456789012345, "123456789012345"},
    {"GeneralLargeIsScientific", "", 1.5e20, "1.5E+20"},
    {"GeneralSmallestFixed", "", 0.0001, "0.0001"},
    {"GeneralSmallIsScientific", "", 1e-5, "1E-5"},
};

class FormatFloatUsTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatFloatUsTest, Writes) {
    EXPECT_EQ(FormatFloat(GetParam().format, GetParam().value, FormatSettings{}),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(FormatFloat, FormatFloatUsTest, testing::ValuesIn(kUsCases),
                         [](const auto& info) { return std::string(info.param.name); });

FormatSettings German() {
    FormatSettings s;
    s.DecimalSeparator = ",";
    s.ThousandSeparator = ".";
    return s;
}

// French groups with a narrow no-break space (U+202F, three bytes of UTF-8).
FormatSettings French() {
    FormatSettings s;
    s.DecimalSeparator = ",";
    s.ThousandSeparator = "\u202F";
    return s;
}

struct SeparatorCase {
    FormatSettings (*settings)();
    FormatCase row;
};

const SeparatorCase kSeparatorCases[] = {
    {German, {"GermanAxisDefault", "#,##0.###", 1234567.891, "1.234.567,891"}},
    {German, {"GermanLiteralCommaInQuotes", "0','0", 12, "1,2"}},
    {German, {"GermanScientific", "0.00E+00", 1234.5, "1,23E+03"}},
    {German, {"GermanGeneral", "", 1234.5, "1234,5"}},
    {French, {"FrenchThousands", "#,##0.###", 5000, "5\u202F000"}},
    {French, {"FrenchFraction", "#,##0.###", 1.5, "1,5"}},
    {French, {"FrenchBoth", "#,##0.###", -1234567.891, "-1\u202F234\u202F567,891"}},
};

class FormatFloatSeparatorsTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(FormatFloatSeparatorsTest, UsesSeparatorsOfSettings) {
    const FormatCase& row = GetParam().row;
    EXPECT_EQ(FormatFloat(row.format, row.value, GetParam().settings()), row.expected);
}

INSTANTIATE_TEST_SUITE_P(FormatFloat, FormatFloatSeparatorsTest,
                         testing::ValuesIn(kSeparatorCases),
                         [](const auto& info) { return std::string(info.param.row.name); });

TEST(FormatFloat, SettingsWhoseSeparatorsCannotBeToldApartAreRefused) {
    constexpr const char* kRefused =
        "The decimal separator must be set and differ from the thousands separator";
    FormatSettings same;
    same.DecimalSeparator = ",";
    EXPECT_THROW_MSG(SetCurrentFormatSettings(same), RuntimeError, kRefused);
    FormatSettings none;
    none.DecimalSeparator = "";
    EXPECT_THROW_MSG(SetCurrentFormatSettings(none), RuntimeError, kRefused);
    EXPECT_EQ(FormatFloat("#,##0.0", 1234.5), "1,234.5") << "the settings in force stay";
}

TEST(FormatFloat, WritesEveryDigitOfHugeValues) {
    std::string expected = "1";
    for (int i = 0; i < 100; ++i)
        expected += ",000";
    EXPECT_EQ(FormatFloat("#,##0.###", 1e300, FormatSettings{}), expected);
    EXPECT_EQ(FormatFloat("0", std::numeric_limits<double>::max(), FormatSettings{}),
              "17976931348623157" + std::string(292, '0'));
}

TEST(FormatFloat, UsesCurrentSettingsByDefault) {
    const FormatSettings saved = CurrentFormatSettings();
    SetCurrentFormatSettings(German());
    EXPECT_EQ(FormatFloat("#,##0.0", 1234.5), "1.234,5");
    SetCurrentFormatSettings(saved);
    EXPECT_EQ(FormatFloat("#,##0.0", 1234.5), "1,234.5");
}

}  // namespace
}  // namespace twinscope
