#include "twinscope/runtime/IsoDateTime.h"

#include <gtest/gtest.h>

#include <optional>

namespace twinscope {
namespace {

struct IsoCase {
    const char* name;
    const char* text;
    std::optional<TDateTime> value;
};

// 1 August 2024 is day 45505; a second is 1/86400 of a day.
const IsoCase kIsoCases[] = {
    {"DateOnly", "2024-08-01", 45505.0},
    {"HoursAndMinutesAfterT", "2024-08-01T06:00", 45505.25},
    {"SecondsAfterSpace", "2024-08-01 18:00:00", 45505.75},
    {"MillisecondsAsThePickerHoldsThem", "2024-08-01T14:31:31.690",
     45505.0 + 52291690.0 / 86400000.0},
    {"ShortFractionIsTenths", "2024-08-01T00:00:00.5", 45505.0 + 500.0 / 86400000.0},
    {"LeapDay", "2024-02-29", 45351.0},
    {"BeforeTheEpochTheTimeStillCountsForward", "1899-12-29T06:00", -1.25},
    {"NoSuchLeapDay", "2023-02-29", std::nullopt},
    {"MonthThirteen", "2024-13-01", std::nullopt},
    {"Hour24", "2024-08-01T24:00", std::nullopt},
    {"UnpaddedMonth", "2024-8-01", std::nullopt},
    {"DayMonthYear", "01.08.2024", std::nullopt},
    {"TimeZoneIsNotRead", "2024-08-01T14:00Z", std::nullopt},
    {"OffsetIsNotRead", "2024-08-01T14:00+02:00", std::nullopt},
    {"FourDecimals", "2024-08-01T14:00:00.1234", std::nullopt},
    {"TrailingBlank", "2024-08-01 ", std::nullopt},
    {"Empty", "", std::nullopt},
};

class IsoDateTimeTest : public testing::TestWithParam<IsoCase> {};

TEST_P(IsoDateTimeTest, ReadsOrRefuses) {
    const IsoCase& c = GetParam();
    EXPECT_EQ(ParseIsoDateTime(c.text), c.value);
}

INSTANTIATE_TEST_SUITE_P(IsoDateTime, IsoDateTimeTest, testing::ValuesIn(kIsoCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A reader of many texts keeps the last day: each text still reads as it reads alone, whatever
// came before it.
TEST(IsoDateTime, AReaderOfManyTextsReadsEachAsItReadsAlone) {
    const char* const texts[] = {
        "2024-08-01T06:00",
        "2024-08-01T06:30:15",
        "2024-08-01",
        "2024-08-01T24:00",
        "2024-08-01T06:00",
        "2024-08-01X06:00",
        "2024-08-01 23:59:59.999",
        "2024-08-0",
        "2024-08-01T06:00",
        "1899-12-29T06:00",
        "1899-12-29",
        "2023-02-29T01:00",
        "2023-02-29T01:00",
        "2023-02-28T01:00",
        "2024-02-29T01:00",
        "2024-08-01T6:00",
        "",
        "2024-08-01T14:00Z",
        "2024-08-01T14:00",
    };
    TIsoDateTimeReader reader;
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(reader.Read(text), ParseIsoDateTime(text));
    }
    for (const IsoCase& c : kIsoCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(reader.Read(c.text), c.value);
    }
}

}  // namespace
}  // namespace twinscope
