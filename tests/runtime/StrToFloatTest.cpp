#include "twinscope/runtime/StrToFloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

struct ParseCase {
    const char* name;
    const char* text;
    double value;
};

constexpr ParseCase kValidCases[] = {
    {"Zero", "0", 0},
    {"BlanksAround", " \t42 \t", 42},
    {"NegativeFraction", "-1.5", -1.5},
    {"PlusAndNoIntegerDigits", "+.5", 0.5},
    {"NoFractionDigits", "5.", 5},
    {"LeadingZeros", "007", 7},
    {"Exponent", "1e3", 1000},
    {"SignedUpperExponent", "-2.5E-3", -0.0025},
    {"ExactlyNearestDouble", "0.1", 0.1},
    {"LargestDouble", "1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"SmallestDenormal", "4.9e-324", std::numeric_limits<double>::denorm_min()},
    {"UnderflowToZero", "1e-400", 0},
    {"UnderflowWithManyLeadingZeros", "0.0000000001e-320", 0},
};

class StrToFloatValidTest : public testing::TestWithParam<ParseCase> {};

TEST_P(StrToFloatValidTest, Reads) {
    EXPECT_EQ(StrToFloat(GetParam().text, FormatSettings{}), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(StrToFloat, StrToFloatValidTest, testing::ValuesIn(kValidCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct InvalidCase {
    const char* name;
    const char* text;
};

constexpr InvalidCase kInvalidCases[] = {
    {"Empty", ""},
    {"OnlyBlanks", "  "},
    {"Word", "abc"},
    {"CommaIsNotTheDecimalSeparator", "1,5"},
    {"TwoPoints", "1.2.3"},
    {"ExponentWithoutDigits", "1e+"},
    {"ExponentWithoutMantissa", "e5"},
    {"LonePoint", "."},
    {"LoneSign", "-"},
    {"TwoSigns", "+-1"},
    {"TrailingText", "12abc"},
    {"InnerBlank", "1 000"},
    {"Hexadecimal", "0x10"},
    {"NotANumber", "NaN"},
    {"Infinity", "INF"},
    {"NegativeInfinity", "-inf"},
    {"Overflow", "1e400"},
    {"NegativeOverflow", "-1.8e308"},
    {"OverflowWithPositiveOrder", "0.001e312"},
    {"BlanksKeptInMessage", " x "},
};

class StrToFloatInvalidTest : public testing::TestWithParam<InvalidCase> {};

TEST_P(StrToFloatInvalidTest, RaisesConversionError) {
    const std::string text = GetParam().text;
    try {
        StrToFloat(text, FormatSettings{});
        FAIL() << "no exception";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.what(), "'" + text + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(StrToFloat, StrToFloatInvalidTest, testing::ValuesIn(kInvalidCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StrToFloat, KeepsSignOfUnderflow) {
    EXPECT_TRUE(std::signbit(StrToFloat("-1e-400")));
}

TEST(StrToFloat, AcceptsOnlyTheSettingsDecimalSeparator) {
    FormatSettings comma;
    comma.DecimalSeparator = ",";
    comma.ThousandSeparator = ".";
    EXPECT_EQ(StrToFloat("1,5", comma), 1.5);
    EXPECT_EQ(StrToFloat("-0,25e2", comma), -25);
    EXPECT_THROW(StrToFloat("1.5", comma), ConversionError);
    FormatSettings arabic;
    arabic.DecimalSeparator = "\u066B";
    EXPECT_EQ(StrToFloat("1\u066B5", arabic), 1.5);
    EXPECT_THROW(StrToFloat("1\xD9", arabic), ConversionError) << "half a separator";

    const FormatSettings saved = CurrentFormatSettings();
    SetCurrentFormatSettings(comma);
    EXPECT_EQ(StrToFloat("2,5"), 2.5);
    SetCurrentFormatSettings(saved);
}

}  // namespace
}  // namespace twinscope
