#include "twinscope/runtime/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

struct DateCase {
    const char* name;
    TDateTime day;
    DateParts date;
    std::int32_t dayOfWeek;
};

constexpr DateCase kDateCases[] = {
    {"Epoch", 0, {1899, 12, 30}, 7},
    {"DayAfterEpoch", 1, {1899, 12, 31}, 1},
    {"FirstDayOf1900", 2, {1900, 1, 1}, 2},
    {"DayBeforeEpoch", -1, {1899, 12, 29}, 6},
    {"NoLeapDayIn1900", 61, {1900, 3, 1}, 5},
    {"LeapDayOf2000", 36585, {2000, 2, 29}, 3},
    {"LeapDayOf2024", 45351, {2024, 2, 29}, 5},
    {"StoredBeginDate", 45505, {2024, 8, 1}, 5},
    {"FirstDayOfYearOne", -693593, {1, 1, 1}, 2},
    {"LastDayOfYear9999", 2958465, {9999, 12, 31}, 6},
};

class DateTest : public testing::TestWithParam<DateCase> {};

TEST_P(DateTest, EncodesDecodesAndIgnoresTimeOfDay) {
    const DateCase& c = GetParam();
    EXPECT_EQ(EncodeDate(c.date.Year, c.date.Month, c.date.Day), c.day);
    EXPECT_EQ(DecodeDate(c.day), c.date);
    const TDateTime withTime = c.day < 0 ? c.day - 0.75 : c.day + 0.75;
    EXPECT_EQ(DecodeDate(withTime), c.date);
    EXPECT_EQ(DayOfWeek(withTime), c.dayOfWeek);
}

INSTANTIATE_TEST_SUITE_P(DateTime, DateTest, testing::ValuesIn(kDateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateTime, LeapYears) {
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
}

TEST(DateTime, RefusesDatesThatDoNotExist) {
    for (const DateParts& d : {DateParts{1900, 2, 29}, DateParts{2023, 2, 29},
                               DateParts{2024, 4, 31}, DateParts{2024, 13, 1},
                               DateParts{2024, 1, 0}, DateParts{0, 1, 1}, DateParts{10000, 1, 1}}) {
        SCOPED_TRACE(testing::Message() << d.Year << '-' << d.Month << '-' << d.Day);
        try {
            EncodeDate(d.Year, d.Month, d.Day);
            ADD_FAILURE() << "no exception";
        } catch (const ConversionError& e) {
            EXPECT_STREQ(e.what(), "Invalid argument to date encode");
        }
    }
    for (const TDateTime value : {-693594.0, 2958466.0, std::nan("")}) {
        EXPECT_THROW(DecodeDate(value), ConversionError) << value;
    }
}

TEST(DateTime, RefusesTimesThatDoNotExist) {
    for (const TimeParts& t :
         {TimeParts{24, 0, 0, 0}, TimeParts{0, 60, 0, 0}, TimeParts{0, 0, 60, 0},
          TimeParts{0, 0, 0, 1000}, TimeParts{-1, 0, 0, 0}}) {
        EXPECT_THROW(EncodeTime(t.Hour, t.Minute, t.Second, t.Millisecond), ConversionError);
    }
}

struct TimeCase {
    const char* name;
    TDateTime value;
    TimeParts time;
};

constexpr TimeCase kTimeCases[] = {
    {"NegativeValueUsesAbsoluteFraction", -1.25, {6, 0, 0, 0}},
    {"StoredBeginDate", 45505.60522789352, {14, 31, 31, 690}},
    {"StoredEndDate", 45565.60543462963, {14, 31, 49, 552}},
    {"LastMillisecond", 0.99999999, {23, 59, 59, 999}},
    {"RoundsUpToMidnightButStaysOnItsDay", 0.9999999999, {23, 59, 59, 999}},
    {"NegativeRoundsUpToMidnight", -0.9999999999, {23, 59, 59, 999}},
    {"RoundsToNearestMillisecond", 0.5 + 0.0006 / 86400, {12, 0, 0, 1}},
};

class TimeTest : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeTest, DecodesToTheMillisecond) {
    EXPECT_EQ(DecodeTime(GetParam().value), GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(DateTime, TimeTest, testing::ValuesIn(kTimeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateTime, EncodedTimeReadsBack) {
    const TDateTime value = EncodeDate(2024, 8, 1) + EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(DecodeTime(value), (TimeParts{23, 59, 59, 999}));
    EXPECT_EQ(DecodeDate(value), (DateParts{2024, 8, 1}));
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

struct YearCase {
    const char* name;
    TDateTime value;
    std::uint16_t year;
    TDateTime firstDay;
    std::uint16_t dayOfYear;
};

constexpr YearCase kYearCases[] = {
    {"FirstOfJanuary", 45292, 2024, 45292, 1},
    {"FirstOfJanuaryLateEvening", 45292.999, 2024, 45292, 1},
    {"LeapDay2024", 45351.5, 2024, 45292, 60},
    {"FirstOfMarch2023", 44986, 2023, 44927, 60},
    {"LastDayOfLeapYear", 45657 + 23.0 / 24, 2024, 45292, 366},
    {"LastDayOf1900", 366, 1900, 2, 365},
    {"StoredBeginDate", 45505.60522789352, 2024, 45292, 214},
    {"StoredEndDate", 45565.60543462963, 2024, 45292, 274},
    {"BeforeEpochWithTime", -1.25, 1899, -363, 363},
    {"SecondOfJanuary1899Evening", -362.75, 1899, -363, 2},
};

class YearTest : public testing::TestWithParam<YearCase> {};

TEST_P(YearTest, FindsYearFirstDayAndDayNumber) {
    const YearCase& c = GetParam();
    EXPECT_EQ(CalendarYear(c.value), c.year);
    EXPECT_EQ(FirstDayOfYear(c.value), c.firstDay);
    EXPECT_EQ(DayOfYear(c.value), c.dayOfYear);
}

INSTANTIATE_TEST_SUITE_P(DateTime, YearTest, testing::ValuesIn(kYearCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
