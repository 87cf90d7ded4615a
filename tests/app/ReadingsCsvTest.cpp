#include "app/ReadingsCsv.h"

#include <gtest/gtest.h>

#include <vector>

namespace twinscope {
namespace {

struct ReadCase {
    const char* name;
    const char* text;
    std::vector<double> dates;
    std::vector<double> temperatures;
};

// 1 August 2024 is day 45505.
const ReadCase kReadCases[] = {
    {"HeaderAndCommas",
     "date,temperature\n2024-08-01,71.5\n2024-08-02,-3\n",
     {45505, 45506},
     {71.5, -3}},
    {"SemicolonsWithDecimalComma",
     "Datum;°F\r\n2024-08-01;71,5\r\n2024-08-02 12:00;+80\r\n",
     {45505, 45506.5},
     {71.5, 80}},
    {"QuotedAndPaddedFields", "\"2024-08-01T06:00\" , \"71.5\"\n", {45505.25}, {71.5}},
    {"ByteOrderMarkAndBlankLines",
     "\xEF\xBB\xBF\n2024-08-01,1\n\n  \n2024-08-02,2",
     {45505, 45506},
     {1, 2}},
    {"RowsInAnyOrderComeOutByDate",
     "2024-08-03,3\n2024-08-01,1\n2024-08-02,2\n",
     {45505, 45506, 45507},
     {1, 2, 3}},
    {"EqualDatesKeepTheFileOrder",
     "2024-08-02,1\n2024-08-01,9\n2024-08-02,2\n2024-08-02,3\n",
     {45505, 45506, 45506, 45506},
     {9, 1, 2, 3}},
};

class ReadingsCsvReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadingsCsvReadTest, ReadsRowsOrderedByDate) {
    const ReadCase& c = GetParam();
    const TReadings r = ParseReadingsCsv(c.text);
    EXPECT_EQ(r.Dates, c.dates);
    EXPECT_EQ(r.Temperatures, c.temperatures);
}

INSTANTIATE_TEST_SUITE_P(ReadingsCsv, ReadingsCsvReadTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* text;
    const char* message;
};

const RefusalCase kRefusals[] = {
    {"Empty", "", "the file holds no readings"},
    {"BadDateAfterHeader", "date,F\n2024-08-01,1\n2024-02-30,2\n",
     "line 3: '2024-02-30' is not an ISO 8601 date (YYYY-MM-DD, optionally with Thh:mm or "
     "Thh:mm:ss)"},
    {"BadFirstRowIsNoHeader", "2024-13-01,1\n",
     "line 1: '2024-13-01' is not an ISO 8601 date (YYYY-MM-DD, optionally with Thh:mm or "
     "Thh:mm:ss)"},
    {"BlankLinesCount", "2024-08-01,1\n\n\n01/08/2024,2\n",
     "line 4: '01/08/2024' is not an ISO 8601 date (YYYY-MM-DD, optionally with Thh:mm or "
     "Thh:mm:ss)"},
    {"NotANumber", "2024-08-01,1\n2024-08-02,warm\n",
     "line 2: 'warm' is not a temperature in °F (a number such as 71.5)"},
    {"DecimalCommaInCommaFile", "2024-08-01,\"71,5\"\n",
     "line 1: '71,5' is not a temperature in °F (a number such as 71.5)"},
    {"ThreeFields", "2024-08-01,1,2\n",
     "line 1: expected a date and a temperature separated by ',', found 3 fields"},
    {"MissingTemperature", "2024-08-01,\n", "line 1: the temperature is missing"},
    {"OpenQuote", "2024-08-01,\"1\n", "line 1: a quoted field is not closed"},
};

class ReadingsCsvRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(ReadingsCsvRefusalTest, RefusesWithLineAndReason) {
    const RefusalCase& c = GetParam();
    try {
        ParseReadingsCsv(c.text);
        ADD_FAILURE() << "no refusal";
    } catch (const ReadingsError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(ReadingsCsv, ReadingsCsvRefusalTest, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
