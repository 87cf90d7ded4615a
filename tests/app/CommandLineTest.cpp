#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "app/ProgramIdentity.h"
#include "twinscope/Version.h"

namespace twinscope {
namespace {

std::variant<TProgramOptions, TCommandLineExit> Parse(QStringList arguments) {
    SetProgramIdentity();
    arguments.prepend("twinscope");
    return ParseCommandLine(arguments);
}

struct UsageErrorCase {
    const char* name;
    QStringList arguments;
    const char* message;  // the first line; a hint to --help follows
};

const UsageErrorCase kUsageErrors[] = {
    {"UnknownOption", {"--frobnicate"}, "twinscope: Unknown option 'frobnicate'."},
    {"QtsOwnOptionsAreNotTaken", {"--help-all"}, "twinscope: Unknown option 'help-all'."},
    {"MissingValue", {"--render"}, "twinscope: Missing value after '--render'."},
    {"Positional", {"readings.csv"}, "twinscope: unexpected argument 'readings.csv'"},
    {"RenderOptionWithoutRender", {"--min", "300"}, "twinscope: --min applies only with --render"},
    {"UnknownExtension",
     {"--render", "chart.jpg"},
     "twinscope: --render: 'chart.jpg' does not end in .png, .svg or .pdf"},
    {"SizeWithoutHeight",
     {"--render", "c.png", "--size", "800"},
     "twinscope: --size: '800' is not a size WIDTHxHEIGHT in pixels, each from 1 to 10000 (for "
     "example 965x518)"},
    {"SizeTooLarge",
     {"--render", "c.png", "--size", "800x10001"},
     "twinscope: --size: '800x10001' is not a size WIDTHxHEIGHT in pixels, each from 1 to 10000 "
     "(for example 965x518)"},
    {"BeginNotIso",
     {"--render", "c.png", "--begin", "08/01/2024"},
     "twinscope: --begin: '08/01/2024' is not an ISO 8601 date (YYYY-MM-DD, optionally with "
     "Thh:mm or Thh:mm:ss)"},
    {"UnknownCanvas",
     {"--render", "c.png", "--canvas", "gdi"},
     "twinscope: --canvas: 'gdi' is not a canvas; the canvases are TGDIPlusCanvas (anti-aliased) "
     "and TChartCanvas3D (aliased)"},
    {"ReadingOptionWithoutData", {"--unit", "C"}, "twinscope: --unit applies only with --data"},
    {"ColumnWithoutData",
     {"--render", "c.png", "--column", "tmax"},
     "twinscope: --column applies only with --data"},
    {"UnknownDataFormat",
     {"--data", "a.csv", "--data-format", "xlsx"},
     "twinscope: --data-format: 'xlsx' is not a readings format (readings, ghcn, meteostat, "
     "csv, cdo, ghcn-access, isd-lite, ghcnh)"},
    {"UnknownUnit", {"--data", "a.csv", "--unit", "R"}, "twinscope: --unit: 'R' is not F, C or K"},
    {"StandardOutputWithoutFormat",
     {"--render", "-"},
     "twinscope: --render -: standard output needs --format png, svg or pdf"},
    {"FormatWithAFile",
     {"--render", "c.png", "--format", "svg"},
     "twinscope: --format applies only with --render - (a file's name chooses its format)"},
    {"UnknownPictureFormat",
     {"--render", "-", "--format", "jpg"},
     "twinscope: --format: 'jpg' is not a picture format (png, svg or pdf)"},
    {"ScaleNotANumber",
     {"--render", "c.png", "--scale", "2x"},
     "twinscope: --scale: '2x' is not a device pixel ratio from 0.1 to 10"},
    {"ScaleTooSmall",
     {"--render", "c.png", "--scale", "0.05"},
     "twinscope: --scale: '0.05' is not a device pixel ratio from 0.1 to 10"},
    {"ScaleTooLarge",
     {"--render", "c.png", "--scale", "10.5"},
     "twinscope: --scale: '10.5' is not a device pixel ratio from 0.1 to 10"},
    {"ScaledSizeTooLarge",
     {"--render", "c.png", "--size", "2000x1000", "--scale", "5.5"},
     "twinscope: --scale: 5.5 times 2000x1000 is 11000 pixels a side, more than 10000"},
    {"TitleWithoutRender", {"--title", "Seattle"}, "twinscope: --title applies only with --render"},
    {"UnknownLegend",
     {"--render", "c.png", "--legend", "points"},
     "twinscope: --legend: 'points' is not values, series or none"},
    {"CursorWithoutRender",
     {"--cursor", "2024-08-15"},
     "twinscope: --cursor applies only with --render"},
    {"CursorNotADate",
     {"--render", "c.png", "--cursor", "15.8.2024"},
     "twinscope: --cursor: '15.8.2024' is not an ISO 8601 date (YYYY-MM-DD, optionally with "
     "Thh:mm or Thh:mm:ss)"},
    {"BandWithoutData", {"--band", "TMIN,TMAX"}, "twinscope: --band applies only with --data"},
    {"BandOfOneLine",
     {"--data", "a.csv", "--band", "TMIN"},
     "twinscope: --band: 'TMIN' is not two lines LOW,HIGH (for example TMIN,TMAX)"},
    {"BandOfTheSameLineTwice",
     {"--data", "a.csv", "--band", "tmax,TMAX"},
     "twinscope: --band: 'tmax,TMAX' is not two lines LOW,HIGH (for example TMIN,TMAX)"},
    {"BarsOfATemperature",
     {"--data", "a.csv", "--bars", "TMAX"},
     "twinscope: --bars: 'TMAX' is not PRCP or SNOW"},
    {"CursorValueNotANumber",
     {"--render", "c.png", "--cursor", "2024-08-15,warm"},
     "twinscope: --cursor: 'warm' is not a number"},
    {"UnknownLeapDay",
     {"--data", "a.csv", "--overlay-years", "--leap-day", "drop"},
     "twinscope: --leap-day: 'drop' is not show, merge or skip"},
    {"OverlayWithoutData",
     {"--overlay-years"},
     "twinscope: --overlay-years applies only with --data"},
    {"OverlayWithDates",
     {"--data", "a.csv", "--overlay-years", "--render", "c.png", "--end", "2015-03-01"},
     "twinscope: --end does not apply with --overlay-years, which shows the whole year"},
    {"BandWithOverlay",
     {"--data", "a.csv", "--overlay-years", "--band", "TMIN,TMAX"},
     "twinscope: --band does not apply with --overlay-years, which draws the years of one line"},
};

class CommandLineUsageTest : public testing::TestWithParam<UsageErrorCase> {};

TEST_P(CommandLineUsageTest, RefusesWithStatus2AndAHint) {
    const UsageErrorCase& c = GetParam();
    const auto parsed = Parse(c.arguments);
    ASSERT_TRUE(std::holds_alternative<TCommandLineExit>(parsed));
    const TCommandLineExit& exit = std::get<TCommandLineExit>(parsed);
    EXPECT_EQ(exit.Status, 2);
    EXPECT_EQ(exit.Text, QString("%1\nTry 'twinscope --help' for more information.\n")
                             .arg(QString::fromUtf8(c.message)));
}

INSTANTIATE_TEST_SUITE_P(CommandLine, CommandLineUsageTest, testing::ValuesIn(kUsageErrors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, HelpListsEveryOptionAndVersionPrintsTheProjectVersion) {
    const auto help = std::get<TCommandLineExit>(Parse({"--help"}));
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Text.startsWith("Usage: twinscope [options]\n")) << help.Text.toStdString();
    for (const char* option :
         {"-h, --help", "-v, --version", "--data <file>", "--data-format <name>", "--column <name>",
          "--unit <unit>", "--render <file>", "--format <name>", "--size <WxH>", "--scale <N>",
          "--min <F>", "--max <F>", "--begin <date>", "--end <date>", "--grid-on-celsius",
          "--canvas <name>", "--title <text>", "--legend <what>", "--cursor <date[,value]>",
          "--wheel-zoom", "--overlay-years", "--leap-day <mode>", "--band <low,high>",
          "--bars <element>"}) {
        EXPECT_TRUE(help.Text.contains(option)) << option;
    }
    const auto version = std::get<TCommandLineExit>(Parse({"-v"}));
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Text, "twinscope " TWINSCOPE_VERSION_STRING "\n");
}

TEST(CommandLine, ReadsTheRenderRequest) {
    const auto parsed =
        Parse({"--data", "year.csv", "--render", "out.SVG", "--size", "800x600", "--min", "-5,5",
               "--max=500", "--begin", "2024-01-01", "--end", "2024-12-31T23:00",
               "--grid-on-celsius", "--canvas", "TChartCanvas3D"});
    ASSERT_TRUE(std::holds_alternative<TProgramOptions>(parsed));
    const TProgramOptions& options = std::get<TProgramOptions>(parsed);
    EXPECT_EQ(options.DataFiles, QStringList{"year.csv"});
    ASSERT_TRUE(options.RenderTo);
    const TRenderOptions& r = *options.RenderTo;
    EXPECT_EQ(r.FileName, "out.SVG");
    EXPECT_EQ(r.Size, QSize(800, 600));
    // The limits stay text: the plot reads them as it reads the edit boxes.
    EXPECT_EQ(r.Inputs.Minimum, "-5,5");
    EXPECT_EQ(r.Inputs.Maximum, "500");
    EXPECT_EQ(r.Inputs.Begin, 45292.0);
    EXPECT_EQ(r.Inputs.End, 45657.0 + 23.0 / 24);
    EXPECT_TRUE(r.GridOnCelsius);
    EXPECT_EQ(r.Canvas, "TChartCanvas3D");

    EXPECT_EQ(r.Scale, 1);
    EXPECT_FALSE(r.Format);
    EXPECT_FALSE(r.Title);
    EXPECT_FALSE(r.Legend);
    EXPECT_FALSE(r.Cursor);

    const auto window = std::get<TProgramOptions>(Parse({}));
    EXPECT_TRUE(window.DataFiles.isEmpty());
    EXPECT_FALSE(window.RenderTo);
}

TEST(CommandLine, ReadsHowToReadTheDataAndWhereAndHowToDrawIt) {
    const auto parsed = Parse({"--data",  "-",        "--data",  "b.csv",        "--data-format",
                               "csv",     "--column", "High",    "--column=Low", "--unit",
                               "k",       "--render", "-",       "--format",     "pdf",
                               "--scale", "2.5",      "--title", "Garden, 2015", "--legend",
                               "none"});
    ASSERT_TRUE(std::holds_alternative<TProgramOptions>(parsed));
    const TProgramOptions& options = std::get<TProgramOptions>(parsed);
    EXPECT_EQ(options.DataFiles, (QStringList{"-", "b.csv"}));
    EXPECT_EQ(options.Reading.Format, TReadingsFormat::Csv);
    EXPECT_EQ(options.Reading.Columns, (std::vector<std::string>{"High", "Low"}));
    EXPECT_EQ(options.Reading.Unit, TTemperatureUnit::Kelvin);
    ASSERT_TRUE(options.RenderTo);
    const TRenderOptions& r = *options.RenderTo;
    EXPECT_EQ(r.FileName, "-");
    EXPECT_EQ(r.Format, TPictureFormat::Pdf);
    EXPECT_EQ(r.Scale, 2.5);
    EXPECT_EQ(r.Title, "Garden, 2015");
    EXPECT_EQ(r.Legend, TLegendShown::None);

    const auto at = [](const char* cursor) {
        return std::get<TProgramOptions>(Parse({"--render", "c.png", "--cursor", cursor}))
            .RenderTo->Cursor;
    };
    EXPECT_EQ(at("2024-08-15"), (TRenderCursor{.Date = 45519}));
    EXPECT_EQ(at("2024-08-15T12:00,72.5"), (TRenderCursor{.Date = 45519.5, .Value = 72.5}));
    EXPECT_EQ(at("2024-08-15,-40"), (TRenderCursor{.Date = 45519, .Value = -40}));

    // The largest ratio for the stored size, 965 x 518, keeps to 10000 pixels a side.
    EXPECT_EQ(
        std::get<TProgramOptions>(Parse({"--render", "c.pdf", "--scale", "10"})).RenderTo->Scale,
        10);
    const auto plain = std::get<TProgramOptions>(Parse({"--data", "a.csv"}));
    EXPECT_FALSE(plain.Reading.Format);
    EXPECT_TRUE(plain.Reading.Columns.empty());
    EXPECT_FALSE(plain.Reading.Unit);
    EXPECT_FALSE(plain.OverlayYears);
    EXPECT_EQ(plain.LeapDay, TLeapDay::Show);
    const auto overlay =
        std::get<TProgramOptions>(Parse({"--data", "a.csv", "--overlay-years", "--leap-day=skip"}));
    EXPECT_TRUE(overlay.OverlayYears);
    EXPECT_EQ(overlay.LeapDay, TLeapDay::Skip);
    EXPECT_FALSE(plain.Reading.Band);
    EXPECT_TRUE(plain.Reading.Amounts.empty());

    const auto filled = std::get<TProgramOptions>(
        Parse({"--data", "a.csv", "--band", " TMIN,TMAX", "--bars", "prcp"}));
    EXPECT_EQ(filled.Reading.Band, (TBandElements{"TMIN", "TMAX"}));
    EXPECT_EQ(filled.Reading.Amounts, (std::vector<std::string>{"PRCP"}));
}

}  // namespace
}  // namespace twinscope
