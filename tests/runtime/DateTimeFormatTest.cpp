#include "twinscope/runtime/DateTimeFormat.h"

#include <gtest/gtest.h>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

struct DateTimeCase {
    const char* name;
    const char* format;
    TDateTime value;
    const char* expected;
};

// Thursday 1 August 2024 14:31:31.690, the begin date stored with the window.
constexpr TDateTime kAfternoon = 45505.60522789352;
// Thursday 29 February 2024 09:05:07.008.
constexpr TDateTime kMorning = 45351 + (((9 * 60 + 5) * 60 + 7) * 1000 + 8) / 86400000.0;
constexpr TDateTime kMidnight = 45505;
constexpr TDateTime kNoon = 45505.5;

constexpr DateTimeCase kUsCases[] = {
    {"ShortDateAndLongTime", "c", kAfternoon, "8/1/2024 2:31:31 PM"},
    {"ShortDateAloneAtMidnight", "c", kMidnight, "8/1/2024"},
    {"EmptyFormatIsC", "", kAfternoon, "8/1/2024 2:31:31 PM"},
    {"Day", "d", kAfternoon, "1"},
    {"DayTwoDigits", "dd", kAfternoon, "01"},
    {"ShortDayName", "ddd", kAfternoon, "Thu"},
    {"LongDayName", "dddd", kAfternoon, "Thursday"},
    {"ShortDateFormat", "ddddd", kAfternoon, "8/1/2024"},
    {"LongDateFormat", "dddddd", kAfternoon, "Thursday, August 1, 2024"},
    {"Month", "m", kAfternoon, "8"},
    {"MonthTwoDigits", "mm", kAfternoon, "08"},
    {"ShortMonthName", "mmm", kAfternoon, "Aug"},
    {"LongMonthName", "mmmm", kMorning, "February"},
    {"TwoDigitYear", "yy", kAfternoon, "24"},
    {"FourDigitYear", "yyyy", kAfternoon, "2024"},
    {"TwoDigitYearPadded", "yy", 1829, "05"},
    {"FourDigitYearPadded", "yyyy", -693593, "0001"},
    {"Hour", "h", kMorning, "9"},
    {"HourTwoDigits", "hh", kMorning, "09"},
    {"Minute", "n", kMorning, "5"},
    {"MinuteTwoDigits", "nn", kMorning, "05"},
    {"Second", "s", kMorning, "7"},
    {"SecondTwoDigits", "ss", kMorning, "07"},
    {"Millisecond", "z", kMorning, "8"},
    {"MillisecondThreeDigits", "zzz", kMorning, "008"},
    {"MinutesAfterHour", "hh:mm", kAfternoon, "14:31"},
    {"MinutesAfterHourAcrossLiteral", "h' h 'mm", kAfternoon, "14 h 31"},
    {"MonthAfterOtherSpecifier", "hh dd mm", kAfternoon, "14 01 08"},
    {"MonthBeforeHour", "mm hh", kAfternoon, "08 14"},
    {"ShortTimeFormat", "t", kAfternoon, "2:31 PM"},
    {"LongTimeFormat", "tt", kAfternoon, "2:31:31 PM"},
    {"AmPmLowerCase", "h:nn am/pm", kAfternoon, "2:31 pm"},
    {"AmPmUpperCase", "h:nn AM/PM", kMorning, "9:05 AM"},
    {"AmPmBeforeHour", "AM/PM hh", kAfternoon, "PM 02"},
    {"APLowerCase", "h a/p", kAfternoon, "2 p"},
    {"APUpperCase", "hA/P", kMorning, "9A"},
    {"AmPmFromSettings", "h ampm", kAfternoon, "2 PM"},
    {"NoonIsTwelvePm", "h am/pm", kNoon, "12 pm"},
    {"MidnightIsTwelveAm", "h am/pm", kMidnight, "12 am"},
    {"TwentyFourHourMidnight", "hh", kMidnight, "00"},
    {"UpperCaseSpecifiers", "DD.MM.YYYY H:NN", kAfternoon, "01.08.2024 14:31"},
    {"QuotedTextIsLiteral", "'d/m' \"yyyy\" d", kAfternoon, "d/m yyyy 1"},
    {"LonelyAIsLiteral", "a d", kAfternoon, "a 1"},
    {"OtherCharactersAreLiteral", "[Q] d", kAfternoon, "[Q] 1"},
    {"BeforeEpoch", "yyyy-mm-dd hh:nn", -1.25, "1899-12-29 06:00"},
};

class DateTimeToStringUsTest : public testing::TestWithParam<DateTimeCase> {};

TEST_P(DateTimeToStringUsTest, Writes) {
    EXPECT_EQ(DateTimeToString(GetParam().format, GetParam().value, FormatSettings{}),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(DateTimeToString, DateTimeToStringUsTest, testing::ValuesIn(kUsCases),
                         [](const auto& info) { return std::string(info.param.name); });

FormatSettings German() {
    FormatSettings s;
    s.DateSeparator = '.';
    s.TimeSeparator = '-';
    s.ShortDateFormat = "dd/mm/yyyy";
    s.LongTimeFormat = "hh:nn:ss";
    s.ShortMonthNames[7] = "Aug.";
    return s;
}

constexpr DateTimeCase kGermanCases[] = {
    {"SeparatorsFromSettings", "d/m/yy h:nn", kAfternoon, "1.8.24 14-31"},
    {"QuotedSeparatorsStay", "d'/'m", kAfternoon, "1/8"},
    {"ShortDateAndLongTime", "c", kAfternoon, "01.08.2024 14-31-31"},
    {"MonthNameFromSettings", "mmm", kAfternoon, "Aug."},
};

class DateTimeToStringGermanTest : public testing::TestWithParam<DateTimeCase> {};

TEST_P(DateTimeToStringGermanTest, UsesSettings) {
    EXPECT_EQ(DateTimeToString(GetParam().format, GetParam().value, German()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(DateTimeToString, DateTimeToStringGermanTest,
                         testing::ValuesIn(kGermanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateTimeToString, DateOutsideCalendarThrowsOnlyWhenWritten) {
    EXPECT_THROW(DateTimeToString("c", 3e6, FormatSettings{}), ConversionError);
    EXPECT_EQ(DateTimeToString("hh:nn", 3e6 + 0.5, FormatSettings{}), "12:00");
}

TEST(DateTimeToString, UsesCurrentSettingsByDefault) {
    const FormatSettings saved = CurrentFormatSettings();
    SetCurrentFormatSettings(German());
    EXPECT_EQ(DateTimeToString("", kAfternoon), "01.08.2024 14-31-31");
    SetCurrentFormatSettings(saved);
    EXPECT_EQ(DateTimeToString("", kAfternoon), "8/1/2024 2:31:31 PM");
}

}  // namespace
}  // namespace twinscope
