#include "app/ReadingsFile.h"

#include <zlib.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app/InputText.h"

namespace twinscope {
namespace {

// 1 January 2015 is day 42005.
constexpr double Jan1 = 42005;

// What a series of a read file holds, for comparing: its name, its dates and its values in °F.
struct SeriesCase {
    std::string name;
    std::vector<double> dates;
    std::vector<double> temperatures;
};

struct ReadCase {
    const char* name;
    const char* text;
    TReadingOptions options;
    std::vector<SeriesCase> series;
    std::int64_t missing;
    std::int64_t flagged;
};

const ReadCase kReadCases[] = {
    {"GhcnTenthsOfCelsiusPerElementMissingAndFlaggedLeftOut",
     "USW00024233,20150102,TMAX,56,,,W,\n"
     "USW00024233,20150101,TMAX,-17,,,W,2400\n"
     "USW00024233,20150101,TMIN,-9999,,,W,\n"
     "USW00024233,20150101,PRCP,3,,,W,\n"
     "USW00024233,20150102,TMIN,12,,I,W,\n"
     "USW00024233,20150103,TMIN,0,T,,W,\n",
     {},
     {{"TMAX", {Jan1, Jan1 + 1}, {-1.7 * 9 / 5 + 32, 5.6 * 9 / 5 + 32}},
      {"TMIN", {Jan1 + 2}, {32}}},
     1,
     1},
    {"GhcnWithAHeaderAndTheElementsAsked",
     "ID,DATE,ELEMENT,DATA_VALUE,M_FLAG,Q_FLAG,S_FLAG,OBS_TIME\n"
     "GME00102380,20150101,TMAX,100,,,E,\n"
     "GME00102380,20150101,TAVG,50,H,,S,\n"
     "GME00102380,20150101,TMIN,0,,,E,\n",
     {.Columns = {"tavg", "TMAX"}},
     {{"TAVG", {Jan1}, {41}}, {"TMAX", {Jan1}, {50}}},
     0,
     0},
    {"MeteostatDailyWithItsHeaderEmptyFieldsMissing",
     "date,tavg,tmin,tmax,prcp,snow,wdir,wspd,wpgt,pres,tsun\n"
     "2015-01-01,,-5.0,10.0,0.0,,250,8.3,,1018.4,\n"
     "2015-01-02,1.5,,,,,,,,,\n",
     {},
     {{"tavg", {Jan1 + 1}, {34.7}}, {"tmin", {Jan1}, {23}}, {"tmax", {Jan1}, {50}}},
     3,
     0},
    {"MeteostatDailyBulkWithoutHeader",
     "2015-01-01,1.0,-5.0,10.0,0.0,,250,8.3,,1018.4,\n",
     {.Columns = {"TMAX"}},
     {{"tmax", {Jan1}, {50}}},
     0,
     0},
    {"MeteostatHourlyBulkTheHourInItsOwnField",
     "2015-01-01,6,-10.0,-12.1,80,,,,,,,,\n2015-01-01,18,20.0,5.0,60,,,,,,,,3\n",
     {},
     {{"temp", {Jan1 + 0.25, Jan1 + 0.75}, {14, 68}}},
     0,
     0},
    {"MeteostatHourlyWithItsHeader",
     "time,temp,dwpt,rhum,prcp,snow,wdir,wspd,wpgt,pres,tsun,coco\n"
     "2015-01-01 12:00:00,0.0,,,,,,,,,,\n",
     {},
     {{"temp", {Jan1 + 0.5}, {32}}},
     0,
     0},
    {"MeteostatPerYearDailyTheDateInPartsTheSourcesPassedOver",
     "year,month,day,temp,temp_source,tmin,tmin_source,tmax,tmax_source,prcp,prcp_source\n"
     "2015,1,2,1.5,ghcnd synop,,,5.0,ghcnd,0.0,ghcnd\n"
     "2015,01,01,0.0,ghcnd synop,-5.0,ghcnd,10.0,ghcnd,,\n",
     {},
     {{"temp", {Jan1, Jan1 + 1}, {32, 34.7}},
      {"tmin", {Jan1}, {23}},
      {"tmax", {Jan1, Jan1 + 1}, {50, 41}}},
     1,
     0},
    {"MeteostatPerYearHourlyTheHourInItsOwnColumn",
     "year,month,day,hour,temp,temp_source,dwpt,dwpt_source\n"
     "2015,1,1,6,-10.0,isd_lite,-12.1,isd_lite\n2015,1,1,18,20.0,metar,5.0,metar\n",
     {.Columns = {"dwpt", "temp"}},
     {{"dwpt", {Jan1 + 0.25, Jan1 + 0.75}, {10.22, 41}},
      {"temp", {Jan1 + 0.25, Jan1 + 0.75}, {14, 68}}},
     0,
     0},
    {"AnyCsvEveryColumnAfterTheDateInFahrenheit",
     "day,high,low\n2015-01-01,50,30\n2015-01-02,,31.5\n",
     {},
     {{"high", {Jan1}, {50}}, {"low", {Jan1, Jan1 + 1}, {30, 31.5}}},
     1,
     0},
    {"AnyCsvColumnsByNameInKelvin",
     "Date,Comment,Low K,High K\n2015-01-01,fine,273.15,283.15\n",
     {.Columns = {"high k"}, .Unit = TTemperatureUnit::Kelvin},
     {{"High K", {Jan1}, {50}}},
     0,
     0},
    {"AnyCsvSemicolonsDecimalCommaCelsius",
     "Datum;Max;Min\n2015-01-01;10,5;-2\n",
     {.Unit = TTemperatureUnit::Celsius},
     {{"Max", {Jan1}, {50.9}}, {"Min", {Jan1}, {28.4}}},
     0,
     0},
    {"TwoColumnsNamedByTheirHeaderInCelsius",
     "date,outside\n2015-01-02,100\n2015-01-01,-40\n",
     {.Unit = TTemperatureUnit::Celsius},
     {{"outside", {Jan1, Jan1 + 1}, {-40, 212}}},
     0,
     0},
    {"TwoColumnsWithoutHeaderNamedAfterTheFile",
     "2015-01-01,1\n",
     {},
     {{"readings", {Jan1}, {1}}},
     0,
     0},
    {"TwoColumnsReadByNameWhenAColumnIsAsked",
     "date,outside\n2015-01-01,7\n",
     {.Columns = {"outside"}},
     {{"outside", {Jan1}, {7}}},
     0,
     0},
    {"CdoDailyStandardUnitsOneStationItsLinesNamedByElement",
     R"("STATION","NAME","DATE","PRCP","SNOW","TMAX","TMIN","TOBS"
"USC00042319","DEATH VALLEY, CA US","2015-01-01","0.00","0.0","65","34","42"
"USC00042319","DEATH VALLEY, CA US","2015-01-02","0.00",,"","",""
"USC00042319","DEATH VALLEY, CA US","2015-01-03",,," 61",,"46"
)",
     {},
     {{"TMAX", {Jan1, Jan1 + 2}, {65, 61}},
      {"TMIN", {Jan1}, {34}},
      {"TOBS", {Jan1, Jan1 + 2}, {42, 46}}},
     4,
     0},
    {"CdoDailyMetricWithLocationAndFlags",
     R"("STATION","NAME","LATITUDE","LONGITUDE","ELEVATION","DATE","TAVG","TAVG_ATTRIBUTES","TMAX","TMAX_ATTRIBUTES"
"USW00025333","SITKA AIRPORT, AK US","57.0475","-135.3617","4.3","2015-01-01","10.0","H,,S,","5.0",",,W,2400"
"USW00025333","SITKA AIRPORT, AK US","57.0475","-135.3617","4.3","2015-01-02","0.0","H,,S,","99.9",",X,W,2400"
)",
     {.Unit = TTemperatureUnit::Celsius},
     {{"TAVG", {Jan1, Jan1 + 1}, {50, 32}}, {"TMAX", {Jan1}, {41}}},
     0,
     1},
    {"CdoDailySeveralStationsNamedByStationThoseOfOneNameById",
     R"("STATION","NAME","DATE","TMAX"
"USW00024233","SEATTLE TACOMA AIRPORT, WA US","2015-01-01","50"
"USW00024233","SEATTLE TACOMA AIRPORT, WA US","2015-01-02","51"
"US1WAKG0001","SEATTLE","2015-01-01","49"
"US1WAKG0002","SEATTLE","2015-01-02","48"
)",
     {.Columns = {"tmax"}},
     {{"SEATTLE TACOMA AIRPORT, WA US TMAX", {Jan1, Jan1 + 1}, {50, 51}},
      {"US1WAKG0001 TMAX", {Jan1}, {49}},
      {"US1WAKG0002 TMAX", {Jan1 + 1}, {48}}},
     0,
     0},
    {"GhcnAccessTenthsOfCelsiusQualityFlagsLeftOut",
     R"("STATION","DATE","LATITUDE","LONGITUDE","ELEVATION","NAME","PRCP","PRCP_ATTRIBUTES","TMAX","TMAX_ATTRIBUTES","TMIN","TMIN_ATTRIBUTES"
"USW00024233","2015-01-01","47.4444","-122.3139","112.8","SEATTLE TACOMA AIRPORT, WA US","    3",",,W,","  -17",",,W,2400","  -50",",,W,2400"
"USW00024233","2015-01-02","47.4444","-122.3139","112.8","SEATTLE TACOMA AIRPORT, WA US","    0",",,W,","   56",",,W,2400","   12",",I,W,2400"
"USW00024233","2015-01-03","47.4444","-122.3139","112.8","SEATTLE TACOMA AIRPORT, WA US","    0",",,W,","    0","T,,W,",,
)",
     {},
     {{"TMAX", {Jan1, Jan1 + 1, Jan1 + 2}, {-1.7 * 9 / 5 + 32, 5.6 * 9 / 5 + 32, 32}},
      {"TMIN", {Jan1}, {23}}},
     1,
     1},
    {"IsdLiteHourlyTenthsOfCelsiusBothElementsMissingLeftOut",
     "2015 01 01 06   -78   -89 10200   270   159     8 -9999 -9999\n"
     "2015 01 01 00   100 -9999 10190    90    20     0     3 -9999\n"
     "2015 01 01 12     0   -50 -9999 -9999 -9999 -9999 -9999 -9999\n",
     {},
     {{"air temperature", {Jan1, Jan1 + 0.25, Jan1 + 0.5}, {50, -7.8 * 9 / 5 + 32, 32}},
      {"dew point", {Jan1 + 0.25, Jan1 + 0.5}, {-8.9 * 9 / 5 + 32, 23}}},
     1,
     0},
    {"IsdLiteTheDewPointAsked",
     "2015 01 01 06   -78   -89\n",
     {.Columns = {"Dew Point"}},
     {{"dew point", {Jan1 + 0.25}, {-8.9 * 9 / 5 + 32}}},
     0,
     0},
    // The columns are found by name, in any order; codes 2, 3, 6 and 7 flag a value, any other
    // code keeps it; reports of one time may follow each other.
    {"GhcnHourlyCelsiusColumnsByNameQualityCodesFlagSomeValues",
     "STATION|DATE|LATITUDE|dew_point_temperature|dew_point_temperature_Quality_Code|"
     "temperature|temperature_Measurement_Code|temperature_Quality_Code\n"
     "A|2015-01-01T00:00:00|1|-1.5|2|6.0||0\n"
     "A|2015-01-01T06:00:00|1|-3.3|5|-3.3||6\n"
     "A|2015-01-01T12:00:00|1||9|10.0|x|7\n"
     "A|2015-01-01T18:00:00|1|0.0|A|20.0||1\n"
     "A|2015-01-01T18:00:00|1|-0.5|||| 3\n",
     {},
     {{"temperature", {Jan1, Jan1 + 0.75}, {42.8, 68}},
      {"dew_point_temperature", {Jan1 + 0.25, Jan1 + 0.75, Jan1 + 0.75}, {26.06, 32, 31.1}}},
     2,
     3},
    {"GhcnHourlySeveralStationsNamedByStationTheDewPointAsked",
     "STATION|Station_name|DATE|Year|temperature|dew_point_temperature\n"
     "A|ALPHA|2015-01-01T00:00:00|2015|1.0|-1.0\n"
     "B|BETA|2015-01-01T12:00:00|2015|2.0|-2.0\n"
     "A|ALPHA|2015-01-02T00:00:00|2015|3.0|\n",
     {.Columns = {"Dew_Point_Temperature"}},
     {{"ALPHA dew_point_temperature", {Jan1}, {30.2}},
      {"BETA dew_point_temperature", {Jan1 + 0.5}, {28.4}}},
     1,
     0},
    // Amounts come after the temperatures, in mm: GHCN-Daily's PRCP in tenths of mm, SNOW in mm,
    // the daily summaries' in inches in standard units and in mm in metric ones.
    {"GhcnAmountsInMillimetres",
     "USW00024233,20150101,TMAX,56,,,W,\n"
     "USW00024233,20150101,PRCP,34,,,W,\n"
     "USW00024233,20150102,SNOW,25,,,W,\n"
     "USW00024233,20150102,PRCP,-9999,,,W,\n",
     {.Columns = {"TMAX"}, .Amounts = {"prcp", "SNOW"}},
     {{"TMAX", {Jan1}, {5.6 * 9 / 5 + 32}}, {"PRCP", {Jan1}, {3.4}}, {"SNOW", {Jan1 + 1}, {25}}},
     1,
     0},
    {"CdoDailyAmountsInInchesBecomeMillimetres",
     R"("STATION","NAME","DATE","PRCP","SNOW","TMAX"
"USC00042319","DEATH VALLEY, CA US","2015-01-01","0.17","1.0","65"
"USC00042319","DEATH VALLEY, CA US","2015-01-02",,"0.0","61"
)",
     {.Amounts = {"PRCP", "SNOW"}},
     {{"TMAX", {Jan1, Jan1 + 1}, {65, 61}},
      {"PRCP", {Jan1}, {0.17 * 25.4}},
      {"SNOW", {Jan1, Jan1 + 1}, {25.4, 0}}},
     1,
     0},
    {"CdoDailyMetricAmountsStayInMillimetres",
     R"("STATION","NAME","DATE","PRCP","TMAX"
"USW00025333","SITKA AIRPORT, AK US","2015-01-01","4.3","5.0"
)",
     {.Unit = TTemperatureUnit::Celsius, .Amounts = {"PRCP"}},
     {{"TMAX", {Jan1}, {41}}, {"PRCP", {Jan1}, {4.3}}},
     0,
     0},
    {"GhcnAccessAmountsInTenthsOfMillimetres",
     R"("STATION","DATE","LATITUDE","LONGITUDE","ELEVATION","NAME","PRCP","PRCP_ATTRIBUTES","TMAX","TMAX_ATTRIBUTES"
"USW00024233","2015-01-01","47.4444","-122.3139","112.8","SEATTLE TACOMA AIRPORT, WA US","   32",",,W,","  -17",",,W,2400"
)",
     {.Amounts = {"PRCP"}},
     {{"TMAX", {Jan1}, {-1.7 * 9 / 5 + 32}}, {"PRCP", {Jan1}, {3.2}}},
     0,
     0},
    {"FormatForced",
     "date,tavg,tmin,tmax\n2015-01-01,0,-10,10\n",
     {.Format = TReadingsFormat::Csv, .Columns = {"tavg"}},
     {{"tavg", {Jan1}, {0}}},
     0,
     0},
};

class ReadingsFileReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadingsFileReadTest, GivesOneSeriesPerColumnInFahrenheitAndCountsWhatItLeftOut) {
    const ReadCase& c = GetParam();
    const TReadingsFile file = ParseReadingsText(c.text, c.options, "readings");
    std::vector<SeriesCase> series;
    for (const TReadings& r : file.Series)
        series.push_back({r.Name, r.Dates, r.Temperatures});
    ASSERT_EQ(series.size(), c.series.size());
    for (std::size_t i = 0; i < series.size(); ++i) {
        EXPECT_EQ(series[i].name, c.series[i].name);
        EXPECT_EQ(series[i].dates, c.series[i].dates) << series[i].name;
        ASSERT_EQ(series[i].temperatures.size(), c.series[i].temperatures.size());
        for (std::size_t k = 0; k < series[i].temperatures.size(); ++k)
            EXPECT_NEAR(series[i].temperatures[k], c.series[i].temperatures[k], 1e-9);
    }
    EXPECT_EQ(file.MissingValues, c.missing);
    EXPECT_EQ(file.FlaggedValues, c.flagged);
}

INSTANTIATE_TEST_SUITE_P(ReadingsFile, ReadingsFileReadTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* text;
    TReadingOptions options;
    const char* message;
};

const RefusalCase kRefusals[] = {
    {"GhcnFieldsMissing",
     "USW00024233,20150101,TMAX,56,,,W,\nUSW00024233,20150102,TMAX,56\n",
     {},
     "line 2: expected 8 fields (ID, YYYYMMDD, ELEMENT, VALUE, M-FLAG, Q-FLAG, S-FLAG, OBS-TIME), "
     "found 4"},
    {"GhcnDayThatDoesNotExist",
     "USW00024233,20150101,TMAX,56,,,W,\nUSW00024233,20150229,PRCP,0,,,W,\n",
     {},
     "line 2: '20150229' is not a date YYYYMMDD"},
    {"GhcnValueNotInTenths",
     "USW00024233,20150101,TMAX,5.6,,,W,\n",
     {},
     "line 1: '5.6' is not a value in tenths (a whole number such as 56)"},
    {"GhcnSecondStation",
     "USW00024233,20150101,TMAX,56,,,W,\nUSW00094728,20150101,TMAX,56,,,W,\n",
     {},
     "line 2: station 'USW00094728' is not the file's station 'USW00024233' (a by-station file "
     "holds one station)"},
    {"GhcnElementNotATemperature",
     "USW00024233,20150101,PRCP,0,,,W,\n",
     {.Columns = {"PRCP"}},
     "'PRCP' is not a temperature element of a GHCN-Daily file (TMAX, TMIN or TAVG)"},
    {"GhcnElementAskedButAbsent",
     "USW00024233,20150101,TMAX,56,,,W,\n",
     {.Columns = {"TAVG"}},
     "holds no TAVG readings"},
    {"GhcnWithoutTemperatures",
     "USW00024233,20150101,PRCP,0,,,W,\n",
     {},
     "holds no TMAX, TMIN or TAVG readings"},
    {"GhcnHasItsOwnUnit",
     "USW00024233,20150101,TMAX,56,,,W,\n",
     {.Unit = TTemperatureUnit::Celsius},
     "is a GHCN-Daily file, in tenths of °C: --unit applies only to files without a unit of "
     "their own"},
    {"MeteostatHasItsOwnUnit",
     "2015-01-01,1.0,-5.0,10.0,0.0,,250,8.3,,1018.4,\n",
     {.Unit = TTemperatureUnit::Fahrenheit},
     "is a Meteostat file, in °C: --unit applies only to files without a unit of their own"},
    {"MeteostatRowCut",
     "date,tavg,tmin,tmax,prcp,snow,wdir,wspd,wpgt,pres,tsun\n2015-01-01,1.0,-5.0\n",
     {},
     "line 2: expected 11 fields separated by ',', found 3"},
    {"MeteostatForcedOnAFileWithoutItsColumns",
     "date,high\n2015-01-01,5\n",
     {.Format = TReadingsFormat::Meteostat},
     "has none of the columns tavg, tmin, tmax (its columns are date, high)"},
    {"MeteostatHourOutOfTheDay",
     "2015-01-01,24,-10.0,-12.1,80,,,,,,,,\n",
     {},
     "line 1: '24' is not an hour from 0 to 23"},
    {"CsvColumnAbsent",
     "date,high,low\n2015-01-01,50,30\n",
     {.Columns = {"mean"}},
     "has no column 'mean' (its columns are date, high, low)"},
    {"CsvTextInAValueColumn",
     "date,high,sky\n2015-01-01,50,sunny\n",
     {},
     "line 2: column 'sky': 'sunny' is not a temperature in °F (a number such as 71.5)"},
    {"CsvValueOverflowsInFahrenheit",
     "date,high,low\n2015-01-01,1e308,0\n",
     {.Unit = TTemperatureUnit::Celsius},
     "line 2: column 'high': '1e308' is not a temperature in °C (a number such as 21.5)"},
    {"CsvDateMissing", "date,high,low\n,50,30\n", {}, "line 2: the date is missing"},
    {"CsvDateNotIso",
     "date,high,low\n\n1/2/2015,50,30\n",
     {},
     "line 3: '1/2/2015' is not an ISO 8601 date (YYYY-MM-DD, optionally with Thh:mm or "
     "Thh:mm:ss): the header is of none of the layouts read, which are the program's own (an "
     "ISO 8601 date and a temperature per row), GHCN-Daily by-station CSV, NOAA Climate Data "
     "Online daily summaries, GHCN-Daily station CSV, Meteostat daily or hourly CSV, NOAA "
     "ISD-Lite hourly records, NOAA GHCNh hourly pipe-separated files, or any CSV whose first "
     "row names its columns and whose first column holds ISO 8601 dates"},
    {"CsvOnlyEmptyValues", "date,high,low\n2015-01-01,,\n", {}, "the file holds no readings"},
    {"CsvOnlyTheDate",
     "date\n2015-01-01\n",
     {.Format = TReadingsFormat::Csv},
     "has no column after the date"},
    {"ColumnAskedOfTwoColumnsWithoutHeader",
     "2015-01-01,50\n",
     {.Columns = {"high"}},
     "has no header naming its columns: --column applies only to files whose first row names "
     "them"},
    {"TwoColumnsInKelvinNotANumber",
     "2015-01-01,warm\n",
     {.Unit = TTemperatureUnit::Kelvin},
     "line 1: 'warm' is not a temperature in K (a number such as 294.65)"},
    {"Empty", "\n\n", {}, "the file holds no readings"},
    {"CdoDateOutOfOrder",
     "\"STATION\",\"NAME\",\"DATE\",\"TMAX\"\nA,a,2015-01-02,1\nB,b,2015-01-01,2\nA,a,2015-01-01,"
     "3\n",
     {},
     "line 4: '2015-01-01' does not come after the date before it of station A (a station's "
     "rows come in date order)"},
    {"CdoDateNotADay",
     "STATION,NAME,DATE,TMAX\nA,a,2015-02-29,1\n",
     {},
     "line 2: '2015-02-29' is not a date YYYY-MM-DD"},
    {"CdoValueNotANumber",
     "STATION,NAME,DATE,TMAX\nA,a,2015-01-01,M\n",
     {},
     "line 2: column 'TMAX': 'M' is not a temperature in °F (a number such as 71.5)"},
    {"CdoCutShortInsideAQuotedField",
     "\"STATION\",\"NAME\",\"DATE\",\"TMAX\"\n\"A\",\"a\",\"2015-01-01\",\"4",
     {},
     "line 2: a quoted field is not closed"},
    {"CdoFieldsMissing",
     "STATION,NAME,DATE,TMAX,TMIN\nA,a,2015-01-01,1\n",
     {},
     "line 2: expected 5 fields, as the header names, found 4"},
    {"CdoElementNotATemperature",
     "STATION,NAME,DATE,PRCP,TMAX\nA,a,2015-01-01,0,1\n",
     {.Columns = {"PRCP"}},
     "'PRCP' is not a temperature element of a NOAA station file (TMAX, TMIN, TAVG or TOBS)"},
    {"CdoElementAbsent",
     "STATION,NAME,DATE,PRCP,TMAX\nA,a,2015-01-01,0,1\n",
     {.Columns = {"TAVG"}},
     "has no column 'TAVG' (its temperatures are TMAX)"},
    {"CdoElementAskedWithoutReadings",
     "STATION,NAME,DATE,TMAX,TMIN\nA,a,2015-01-01,1,\n",
     {.Columns = {"TMIN"}},
     "holds no TMIN readings"},
    {"CdoWithoutTemperatures",
     "STATION,NAME,DATE,PRCP\nA,a,2015-01-01,0\n",
     {},
     "holds no TMAX, TMIN, TAVG or TOBS readings"},
    {"CdoForcedOnAFileWithoutItsColumns",
     "date,tmax\n2015-01-01,5\n",
     {.Format = TReadingsFormat::Cdo},
     "line 1: the header names no STATION and DATE columns, as NOAA's station files do (its "
     "columns are date, tmax)"},
    {"IsdLiteHasItsOwnUnit",
     "2015 01 01 06   -78   -89\n",
     {.Unit = TTemperatureUnit::Celsius},
     "is an ISD-Lite file, in tenths of °C: --unit applies only to files without a unit of "
     "their own"},
    {"IsdLiteTemperatureNotAWholeNumber",
     "2015 01 01 06   -78   -89\n2015 01 01 07  -7.8   -89\n",
     {},
     "line 2: the air temperature '  -7.8' in columns 14-19 is not a whole number"},
    {"IsdLiteDayThatDoesNotExist",
     "2015 01 01 06   -78   -89\n2015 02 30 07   -78   -89\n",
     {},
     "line 2: '2015 02 30 07' is not a date and an hour (YYYY MM DD HH)"},
    {"IsdLiteRecordCutShort",
     "2015 01 01 06   -78   -89\n2015 01 01 07   -78\n",
     {},
     "line 2: is 19 characters long: an ISD-Lite record holds at least the date, the hour, the "
     "air temperature and the dew point (25)"},
    {"IsdLiteElementItLacks",
     "2015 01 01 06   -78   -89\n",
     {.Columns = {"TMAX"}},
     "'TMAX' is not an element of an ISD-Lite file (air temperature or dew point)"},
    {"GhcnHourlyHasItsOwnUnit",
     "STATION|DATE|temperature\nA|2015-01-01T00:00:00|1.0\n",
     {.Unit = TTemperatureUnit::Celsius},
     "is a GHCNh file, in °C: --unit applies only to files without a unit of their own"},
    {"GhcnHourlyTimeOutOfOrder",
     "STATION|DATE|temperature\nA|2015-01-01T06:00:00|1.0\nB|2015-01-01T00:00:00|2.0\n"
     "A|2015-01-01T05:59:00|3.0\n",
     {},
     "line 4: '2015-01-01T05:59:00' comes before the time before it of station A (a station's "
     "rows come in time order)"},
    {"GhcnHourlyValueNotANumber",
     "STATION|DATE|temperature\nA|2015-01-01T00:00:00|M\n",
     {},
     "line 2: column 'temperature': 'M' is not a temperature in °C (a number such as 21.5)"},
    {"GhcnHourlyFieldsMissing",
     "STATION|DATE|temperature|wind_speed\nA|2015-01-01T00:00:00|1.0|3\nA|2015-01-01T01:00:00\n",
     {},
     "line 3: expected 4 fields separated by '|', as the header names, found 2"},
    {"GhcnHourlyFieldsBeyondTheHeader",
     "STATION|DATE|temperature|wind_speed\nA|2015-01-01T00:00:00|1.0|3|\n",
     {},
     "line 2: expected 4 fields separated by '|', as the header names, found 5"},
    {"GhcnHourlyDateNotADay",
     "STATION|DATE|temperature\nA|2015-02-29T00:00:00|1.0\n",
     {},
     "line 2: '2015-02-29T00:00:00' is not an ISO 8601 date (YYYY-MM-DD, optionally with Thh:mm "
     "or Thh:mm:ss)"},
    {"GhcnHourlyElementItLacks",
     "STATION|DATE|temperature\n",
     {.Columns = {"wind_speed"}},
     "'wind_speed' is not an element of a GHCNh file (temperature or dew_point_temperature)"},
    {"GhcnHourlyElementAskedWithoutItsColumn",
     "STATION|DATE|temperature\nA|2015-01-01T00:00:00|1.0\n",
     {.Columns = {"dew_point_temperature"}},
     "has no column 'dew_point_temperature'"},
    {"GhcnHourlyEveryValueFlagged",
     "STATION|DATE|temperature|temperature_Quality_Code\nA|2015-01-01T00:00:00|1.0|3\n",
     {},
     "holds no temperature or dew_point_temperature readings"},
    {"GhcnHourlyForcedOnAFileWithoutItsColumns",
     "date,tmax\n2015-01-01,5\n",
     {.Format = TReadingsFormat::GhcnHourly},
     "line 1: the header names no STATION and DATE columns, as GHCNh files do"},
    {"GhcnAccessHasItsOwnUnit",
     "STATION,DATE,LATITUDE,LONGITUDE,ELEVATION,NAME,TMAX,TMAX_ATTRIBUTES\n",
     {.Unit = TTemperatureUnit::Fahrenheit},
     "is a GHCN-Daily file, in tenths of °C: --unit applies only to files without a unit of "
     "their own"},
    {"GhcnAccessValueNotInTenths",
     "STATION,DATE,LATITUDE,LONGITUDE,ELEVATION,NAME,TMAX,TMAX_ATTRIBUTES\n"
     "A,2015-01-01,0,0,0,a,x,\",,W,\"\n",
     {},
     "line 2: column 'TMAX': 'x' is not a value in tenths of °C (a number such as 56)"},
    {"MeteostatPerYearDayThatDoesNotExist",
     "year,month,day,temp,temp_source\n2015,2,30,1.0,ghcnd\n",
     {},
     "line 2: the year, month and day '2015', '2', '30' are not a date"},
    {"MeteostatPerYearHourOutOfRange",
     "year,month,day,hour,temp,temp_source\n2015,2,3,24,1.0,metar\n",
     {},
     "line 2: '24' is not an hour from 0 to 23"},
    {"FirstRowOfNoLayoutKnown",
     "722020,12839,20150101,70.1\n",
     {},
     "line 1: expected a date and a temperature separated by ',', found 4 fields: the first row "
     "is of none of the layouts read, which are the program's own (an ISO 8601 date and a "
     "temperature per row), GHCN-Daily by-station CSV, NOAA Climate Data Online daily "
     "summaries, GHCN-Daily station CSV, Meteostat daily or hourly CSV, NOAA ISD-Lite hourly "
     "records, NOAA GHCNh hourly pipe-separated files, or any CSV whose first row names its "
     "columns and whose first column holds ISO 8601 dates"},
    {"AmountsAskedOfAFileWithoutThem",
     "date,tavg\n2015-01-01,0\n",
     {.Amounts = {"PRCP"}},
     "holds no daily PRCP amounts: --bars applies only to GHCN-Daily and NOAA daily files"},
    {"GhcnAmountWithoutReadings",
     "USW00024233,20150101,TMAX,56,,,W,\n",
     {.Amounts = {"SNOW"}},
     "holds no SNOW readings"},
    {"CdoAmountWithoutItsColumn",
     R"("STATION","NAME","DATE","TMAX"
"USC00042319","DEATH VALLEY, CA US","2015-01-01","65"
)",
     {.Amounts = {"PRCP"}},
     "has no column 'PRCP'"},
};

class ReadingsFileRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(ReadingsFileRefusalTest, RefusesWithLineAndReason) {
    const RefusalCase& c = GetParam();
    try {
        ParseReadingsText(c.text, c.options, "readings");
        ADD_FAILURE() << "no refusal";
    } catch (const ReadingsError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(ReadingsFile, ReadingsFileRefusalTest, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// Only a first row that no layout reads, or a header whose next row starts with no date, names
// the layouts: one of the program's own two columns keeps the reason its value is refused, a
// layout asked for keeps its own, and so do the later rows.
TEST(ReadingsFile, AFirstRowOfNoLayoutKnownNamesTheLayouts) {
    const std::string list =
        ": the first row is of none of the layouts read, which are " + KnownLayouts();
    const std::string header =
        ": the header is of none of the layouts read, which are " + KnownLayouts();
    const std::string notIso =
        "' is not an ISO 8601 date (YYYY-MM-DD, optionally with Thh:mm "
        "or Thh:mm:ss)";
    struct Row {
        const char* name;
        const char* text;
        TReadingOptions options;
        std::string message;
    } const rows[] = {
        {"a date of another form",
         "01.08.2015,7\n",
         {},
         "line 1: '01.08.2015' is not an ISO 8601 date (YYYY-MM-DD, optionally with Thh:mm or "
         "Thh:mm:ss)" +
             list},
        {"fixed-width columns",
         "722020 12839 20150101 70.1\n",
         {},
         "line 1: expected a date and a temperature separated by ',', found 1 fields" + list},
        {"a date and no number",
         "2015-01-01,warm\n",
         {},
         "line 1: 'warm' is not a temperature in °F (a number such as 71.5)"},
        {"the two columns asked for",
         "722020,12839,20150101,70.1\n",
         {.Format = TReadingsFormat::Readings},
         "line 1: expected a date and a temperature separated by ',', found 4 fields"},
        {"a later row",
         "2015-01-01,7\n722020,12839,20150101,70.1\n",
         {},
         "line 2: expected a date and a temperature separated by ',', found 4 fields"},
        {"a header of the date in parts",
         "YEAR,MONTH,DAY,TEMP\n2015,1,1,50\n",
         {},
         "line 2: '2015" + notIso + header},
        {"a header of the date in parts, a row cut short",
         "YEAR;MONTH;DAY;TEMP\n2015;1;1\n",
         {},
         "line 2: expected 4 fields separated by ';', found 3" + header},
        {"a header of two columns",
         "Datum,Temp\n01.08.2015,7\n",
         {},
         "line 2: '01.08.2015" + notIso + header},
        {"a header and a later row",
         "date,high,low\n2015-01-01,50,30\n1/2/2015,50,30\n",
         {},
         "line 3: '1/2/2015" + notIso},
        {"a header, its next row without a date",
         "date,high,low\n,50,30\n",
         {},
         "line 2: the date is missing"},
        {"a header of the named columns asked for",
         "YEAR,MONTH,DAY,TEMP\n2015,1,1,50\n",
         {.Format = TReadingsFormat::Csv},
         "line 2: '2015" + notIso},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            ParseReadingsText(row.text, row.options, "readings");
            ADD_FAILURE() << "no refusal";
        } catch (const ReadingsError& e) {
            EXPECT_EQ(e.what(), row.message);
        }
    }
}

TEST(ReadingsFile, TellsTheFormatFromTheFirstRow) {
    struct Row {
        const char* name;
        const char* text;
        bool columnsAsked;
        TReadingsFormat format;
    } const rows[] = {
        {"ghcn record", "USW00024233,20150101,TMAX,56,,,W,\n", false, TReadingsFormat::Ghcn},
        {"ghcn header", "ID,YYYYMMDD,ELEMENT,VALUE,M-FLAG,Q-FLAG,S-FLAG,OBS-TIME\n", false,
         TReadingsFormat::Ghcn},
        {"meteostat daily header", "date,tavg,tmin,tmax,prcp,snow,wdir,wspd,wpgt,pres,tsun\n",
         false, TReadingsFormat::Meteostat},
        {"meteostat hourly header", "time,temp,dwpt,rhum,prcp,snow,wdir,wspd,wpgt,pres,tsun,coco\n",
         false, TReadingsFormat::Meteostat},
        {"meteostat bulk", "\xEF\xBB\xBF\n2015-01-01,1,,,,,,,,,\n", false,
         TReadingsFormat::Meteostat},
        {"a header like Meteostat's but not it", "date,tmax,tmin\n", false, TReadingsFormat::Csv},
        {"meteostat per-year daily", "year,month,day,temp,temp_source,tmin,tmin_source\n", false,
         TReadingsFormat::Meteostat},
        {"meteostat per-year hourly", "year,month,day,hour,temp,temp_source\n", false,
         TReadingsFormat::Meteostat},
        {"the date in parts without sources", "year,month,day,temp\n", false, TReadingsFormat::Csv},
        {"a source that is another's", "year,month,day,temp,tmin_source\n", false,
         TReadingsFormat::Csv},
        {"two columns with a header", "date,tmax\n", false, TReadingsFormat::Readings},
        {"two columns with a header, a column asked", "date,tmax\n", true, TReadingsFormat::Csv},
        {"two columns", "2015-01-01,1\n", true, TReadingsFormat::Readings},
        {"nothing", "", false, TReadingsFormat::Readings},
        {"cdo daily summaries", "\"STATION\",\"NAME\",\"DATE\",\"PRCP\",\"TMAX\"\n", false,
         TReadingsFormat::Cdo},
        {"cdo daily summaries without names", "STATION,DATE,TMAX\n", false, TReadingsFormat::Cdo},
        {"ghcn access", "\"STATION\",\"DATE\",\"LATITUDE\",\"LONGITUDE\",\"ELEVATION\",\"NAME\"\n",
         false, TReadingsFormat::GhcnAccess},
        {"a station column but no dates", "STATION,DAY,TMAX\n", false, TReadingsFormat::Csv},
        {"isd-lite record", "2015 01 01 06   -78   -89 10200   270   159     8 -9999 -9999\n",
         false, TReadingsFormat::IsdLite},
        {"isd-lite-like but a field holds no number", "2015 01 01 06   -78    x8\n", false,
         TReadingsFormat::Readings},
        {"ghcnh", "STATION|Station_name|DATE|Year|Month|Day|Hour|Minute|temperature|\n", false,
         TReadingsFormat::GhcnHourly},
        {"ghcnh without names and times", "\xEF\xBB\xBFStation|DATE|temperature\r\n", false,
         TReadingsFormat::GhcnHourly},
        {"pipes but no temperature", "STATION|DATE|wind_speed\n", false, TReadingsFormat::Readings},
        {"a temperature but not STATION first", "DATE|STATION|temperature\n", false,
         TReadingsFormat::Readings},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DetectReadingsFormat(row.text, row.columnsAsked), row.format) << row.name;
}

TEST(ReadingsFile, NotesWhatItLeftOutInOneLine) {
    struct Row {
        std::int64_t missing;
        std::int64_t flagged;
        const char* note;
    } const rows[] = {
        {0, 0, ""},
        {1, 0, "left out 1 missing value"},
        {0, 1, "left out 1 value with a quality flag"},
        {3, 2, "left out 3 missing values and 2 values with a quality flag"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LeftOutNote({.MissingValues = row.missing, .FlaggedValues = row.flagged}),
                  row.note);
    }
}

TEST(ReadingsFile, SaysInOneLineWhatItRead) {
    struct Row {
        const char* name;
        const char* text;
        TReadingOptions options;
        const char* note;
    } const rows[] = {
        {"daily summaries of two stations, the unit told",
         "STATION,NAME,DATE,TMAX,TMIN\nA,Alpha,2015-01-02,1,\nB,Beta,2015-01-01,2,3\n",
         {},
         "NOAA daily summaries in °F (standard units; --unit C reads metric ones), stations Alpha, "
         "Beta: TMAX, TMIN from 2015-01-01 to 2015-01-02, 2 rows read; "
         "left out 1 missing value"},
        {"daily summaries in the unit asked",
         "STATION,NAME,DATE,TMAX\nA,Alpha,2015-01-02,1\n",
         {.Unit = TTemperatureUnit::Celsius},
         "NOAA daily summaries in °C, station Alpha: TMAX from 2015-01-02 to 2015-01-02, 1 row "
         "read"},
        {"access folder",
         "STATION,DATE,LATITUDE,LONGITUDE,ELEVATION,NAME,TMAX,TMAX_ATTRIBUTES\n"
         "A,2015-01-01,0,0,0,Alpha,10,\",I,W,\"\nA,2015-01-02,0,0,0,Alpha,10,\",,W,\"\n",
         {},
         "GHCN-Daily station CSV, station Alpha: TMAX from 2015-01-02 to 2015-01-02, 2 rows "
         "read; left out 1 value with a quality flag"},
        {"two columns",
         "2015-01-01,1\n",
         {.Unit = TTemperatureUnit::Kelvin},
         "dates and temperatures in K: readings from 2015-01-01 to 2015-01-01, 1 row read"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ReadNote(ParseReadingsText(row.text, row.options, "readings")), row.note)
            << row.name;
}

// A gzip member holding the text, `times` over.
std::string Gzipped(const std::string& text, int times = 1) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string out;
    std::string buffer(1 << 16, '\0');
    for (int i = 0; i <= times; ++i) {
        const bool end = i == times;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
        stream.avail_in = end ? 0 : static_cast<uInt>(text.size());
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
            stream.avail_out = static_cast<uInt>(buffer.size());
            deflate(&stream, end ? Z_FINISH : Z_NO_FLUSH);
            out.append(buffer.data(), buffer.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return out;
}

std::string Repeated(const std::string& bytes, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += bytes;
    return out;
}

TEST(ReadingsFile, DecompressesGzipOfOneMemberOrSeveralAndRefusesABrokenOne) {
    const std::string text = "date,outside\n2015-01-01,7\n";
    EXPECT_EQ(DecompressedText(text), text);
    EXPECT_EQ(DecompressedText(Gzipped(text)), text);
    EXPECT_EQ(DecompressedText(Gzipped("date,outside\n") + Gzipped("2015-01-01,7\n")), text);
    // Long enough to take more than one round of output.
    const std::string large(300000, 'x');
    EXPECT_EQ(DecompressedText(Gzipped(large)), large);

    const std::string whole = Gzipped(text);
    std::string damaged = whole;
    damaged[10] = '\xFF';
    struct Row {
        const char* name;
        std::string bytes;
        const char* message;
    } const rows[] = {
        {"cut", whole.substr(0, whole.size() - 4),
         "cannot be decompressed (the compressed data ends early)"},
        {"damaged", damaged, "cannot be decompressed (invalid block type)"},
        {"only the magic", "\x1F\x8B", "cannot be decompressed (the compressed data ends early)"},
        {"a second member broken", whole + "\x1F\x8B\x08\x00",
         "cannot be decompressed (the compressed data ends early)"},
        {"rubbish after the member", whole + "junk",
         "cannot be decompressed (incorrect header check)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            DecompressedText(row.bytes);
            ADD_FAILURE() << "no refusal";
        } catch (const ReadingsError& e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
}

// Deflate turns a mebibyte of zeros into about a kilobyte: such bombs stop at 64 MiB of text, or
// at a hundred times the compressed size when that is more.
TEST(ReadingsFile, RefusesGzipThatExpandsBeyondAnyReadingsFile) {
    const std::string zeros = Gzipped(std::string(1 << 20, '\0'));
    std::mt19937 random(21);
    std::string noise(700 << 10, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string noisy = Gzipped(noise);  // about as large as the noise
    std::string rows;
    while (rows.size() < (1 << 20))
        rows += "2015-01-01,45.0\n";
    constexpr std::size_t MiB = 1 << 20;
    struct Row {
        const char* name;
        std::string bytes;
        std::size_t text;  // 0: refused
    } const table[] = {
        {"64 MiB of zeros", Repeated(zeros, 64), 64 * MiB},
        {"a byte more", Repeated(zeros, 64) + Gzipped(std::string(1, '\0')), 0},
        {"a row repeated in one member", Gzipped(rows, 65), 0},
        {"up to a hundred times its size", noisy + Repeated(zeros, 66), noise.size() + 66 * MiB},
        {"more than a hundred times", noisy + Repeated(zeros, 80), 0},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        try {
            EXPECT_EQ(DecompressedText(row.bytes).size(), row.text);
        } catch (const ReadingsError& e) {
            EXPECT_EQ(row.text, 0u);
            EXPECT_STREQ(e.what(),
                         "cannot be decompressed (it expands to more than 100 times its size, as "
                         "no readings file does)");
        }
    }
}

// A band spans the two lines of each station over the dates of either; a day one line lacks is
// not a number there, which breaks the band.
TEST(ReadingsFile, BandsJoinTheTwoLinesOfEachStationByDate) {
    TReadingsFile file;
    file.Series = {
        {.Dates = {Jan1, Jan1 + 2}, .Temperatures = {30, 31}, .Name = "A TMIN", .Station = "A"},
        {.Dates = {Jan1, Jan1 + 1, Jan1 + 2},
         .Temperatures = {40, 41, 42},
         .Name = "A TMAX",
         .Station = "A"},
        {.Dates = {Jan1}, .Temperatures = {50}, .Name = "B TMAX", .Station = "B"}};
    const std::vector<TBandReadings> bands = BandsOf(file, {"tmin", "TMAX"});
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].Name, "A TMIN-TMAX");
    EXPECT_EQ(bands[0].Dates, (std::vector<double>{Jan1, Jan1 + 1, Jan1 + 2}));
    EXPECT_EQ(bands[0].Highs, (std::vector<double>{40, 41, 42}));
    EXPECT_EQ(bands[0].Lows[0], 30);
    EXPECT_TRUE(std::isnan(bands[0].Lows[1]));
    EXPECT_EQ(bands[0].Lows[2], 31);

    try {
        BandsOf(file, {"TMIN", "TAVG"});
        ADD_FAILURE() << "no refusal";
    } catch (const ReadingsError& e) {
        EXPECT_STREQ(e.what(), "holds no TAVG line for the band (its lines are TMIN, TMAX)");
    }
}

}  // namespace
}  // namespace twinscope
