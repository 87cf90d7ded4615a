#include <QLocale>
#include <string>

#include <gtest/gtest.h>

#include "twinscope/platform/QtDateTime.h"
#include "twinscope/platform/QtFormatSettings.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/FormatFloat.h"

namespace twinscope {
namespace {

struct DateCase {
    const char* name;
    TDateTime value;
    QDateTime expected;
};

class QtDateTimeTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(QtDateTimeTest, RoundTripsThroughQt) {
    const DateCase& c = GetParam();
    EXPECT_EQ(ToQDateTime(c.value), c.expected);
    EXPECT_NEAR(FromQDateTime(c.expected), c.value, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QtDateTimeTest,
    ::testing::Values(
        DateCase{"Epoch", 0, QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)},
        DateCase{"StoredBegin", 45505.60522789352,
                 QDateTime(QDate(2024, 8, 1), QTime(14, 31, 31, 690), Qt::UTC)},
        DateCase{"BeforeTheEpochWithATime", -1.25,
                 QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC)},
        DateCase{"LeapDay", 45351, QDateTime(QDate(2024, 2, 29), QTime(0, 0), Qt::UTC)}),
    [](const auto& info) { return std::string(info.param.name); });

// A stored value far outside the calendar is refused instead of overflowing the day count.
TEST(QtDateTimeRangeTest, ValuesOutsideTheCalendarAreRefused) {
    EXPECT_THROW(ToQDateTime(1e300), ConversionError);
    EXPECT_THROW(ToQDateTime(-1e300), ConversionError);
    EXPECT_THROW(FromQDateTime(QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC)),
                 ConversionError);
}

TEST(QtFormatSettingsTest, QtFormatLettersBecomeTheRuntimes) {
    EXPECT_EQ(RuntimeDateTimeFormat("M/d/yyyy"), "m/d/yyyy");
    EXPECT_EQ(RuntimeDateTimeFormat("dd.MM.yy"), "dd.mm.yy");
    EXPECT_EQ(RuntimeDateTimeFormat("h:mm AP"), "h:nn AMPM");
    EXPECT_EQ(RuntimeDateTimeFormat("HH:mm:ss t"), "hh:nn:ss");
    EXPECT_EQ(RuntimeDateTimeFormat("dddd, MMMM d, yyyy"), "dddd, mmmm d, yyyy");
    EXPECT_EQ(RuntimeDateTimeFormat("'week' d"), "'week' d");
}

TEST(QtFormatSettingsTest, SeparatorsComeFromTheLocale) {
    const FormatSettings german = FormatSettingsFromLocale(QLocale(QLocale::German));
    EXPECT_EQ(german.DecimalSeparator, ",");
    EXPECT_EQ(german.ThousandSeparator, ".");
    const FormatSettings us = FormatSettingsFromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.DecimalSeparator, ".");
    EXPECT_EQ(us.ShortDateFormat, "m/d/yy");
    EXPECT_EQ(us.LongMonthNames[0], "January");
    EXPECT_EQ(us.ShortDayNames[0], "Sun");
}

// French groups digits with U+202F, which is not ASCII: the labels keep it, and "5 000" and
// "1,5" stay apart on one chart.
TEST(QtFormatSettingsTest, FrenchSeparatorsStayDistinct) {
    const FormatSettings french = FormatSettingsFromLocale(QLocale("fr_FR"));
    EXPECT_EQ(french.DecimalSeparator, ",");
    EXPECT_EQ(french.ThousandSeparator, "\u202F");
    EXPECT_EQ(FormatFloat("#,##0.###", 5000, french), "5\u202F000");
    EXPECT_EQ(FormatFloat("#,##0.###", 1.5, french), "1,5");
}

}  // namespace
}  // namespace twinscope
