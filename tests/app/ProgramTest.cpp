// The built program, run as a user runs it from a shell on a machine without a display.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

#include <gtest/gtest.h>

#include "twinscope/Version.h"

namespace twinscope {
namespace {

struct Outcome {
    int status = -1;
    QString out;
    QStringList errorLines;
};

Outcome RunProgram(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(TWINSCOPE_PROGRAM, arguments);
    if (!program.waitForFinished(120000)) return {};
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError()).split('\n', Qt::SkipEmptyParts)};
}

// The program's own lines on standard error (Qt may add warnings of its own).
QStringList ProgramErrors(const Outcome& o) {
    return o.errorLines.filter(QRegularExpression("^twinscope: "));
}

// Pixels of the series' red in the middle of the plot, away from the axes, the labels and the
// legend. With the grid on the °C scale nothing else there is red.
int SeriesPixels(const QImage& image) {
    int count = 0;
    for (int y = image.height() / 10; y < image.height() * 3 / 4; ++y) {
        for (int x = image.width() / 4; x < image.width() * 85 / 100; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100) ++count;
        }
    }
    return count;
}

TEST(Program, RendersAPngWithoutADisplay) {
    QTemporaryDir dir;
    const QString file = dir.filePath("chart.png");
    const Outcome shown = RunProgram({"--render", file, "--min", "300", "--max", "500", "--size",
                                      "800x450", "--grid-on-celsius"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(ProgramErrors(shown), QStringList());
    const QImage image(file);
    EXPECT_EQ(image.size(), QSize(800, 450));
    EXPECT_GT(SeriesPixels(image), 300);

    // The stored readings lie above 100 °F: the window's first plot shows none of them.
    const Outcome empty = RunProgram(
        {"--render", file, "--size", "800x450", "--grid-on-celsius", "--canvas", "TChartCanvas3D"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(SeriesPixels(QImage(file)), 0);
}

TEST(Program, RendersAnSvgWhoseSeriesIsOneLine) {
    QTemporaryDir dir;
    const QString file = dir.filePath("chart.svg");
    ASSERT_EQ(RunProgram({"--render", file, "--min", "300", "--max", "500", "--begin", "2024-07-20",
                          "--end", "2024-09-30"})
                  .status,
              0);
    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    EXPECT_TRUE(text.contains("viewBox=\"0 0 965 518\""));
    // The 25 stored points, all within the dates, are drawn as 24 segments in a row, each
    // starting where the one before ends.
    const QRegularExpression segment(
        R"(<polyline[^>]*points="([-\d.]+,[-\d.]+) ([-\d.]+,[-\d.]+) ")");
    int run = 0;
    int longest = 0;
    QString end;
    for (const auto& m : segment.globalMatch(text)) {
        run = m.captured(1) == end ? run + 1 : 1;
        end = m.captured(2);
        longest = std::max(longest, run);
    }
    EXPECT_EQ(longest, 24);
}

TEST(Program, RendersAYearOfRealDailyReadings) {
    // Seattle's highest temperature of each day of 2015 (NOAA), in °F.
    QTemporaryDir dir;
    const QString file = dir.filePath("year.png");
    const Outcome o = RunProgram({"--data", TWINSCOPE_SOURCE_DIR "/docs/seattle-2015.csv",
                                  "--render", file, "--min", "20", "--max", "100", "--begin",
                                  "2015-01-01", "--end", "2015-12-31", "--grid-on-celsius"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(ProgramErrors(o), QStringList());
    EXPECT_GT(SeriesPixels(QImage(file)), 2000);
}

struct RefusalCase {
    const char* name;
    QStringList arguments;  // "DIR": a fresh folder holding bad.csv and a folder taken.png
    int status;
    const char* message;  // "DIR" likewise
};

const RefusalCase kRefusals[] = {
    {"NotANumber",
     {"--render", "DIR/c.png", "--min", "abc"},
     1,
     "twinscope: 'abc' is not a valid floating point value"},
    {"EndNotAfterBegin",
     {"--render", "DIR/c.png", "--begin", "2024-09-01", "--end", "2024-09-01"},
     1,
     "twinscope: date range error"},
    {"DatesInTwoYears",
     {"--render", "DIR/c.svg", "--begin", "2024-09-01", "--end", "2025-01-10"},
     1,
     "twinscope: non-monotonic labels not implemented"},
    {"MissingFolder",
     {"--render", "DIR/missing/c.png"},
     1,
     "twinscope: Cannot save the chart as \"DIR/missing/c.png\": the folder \"DIR/missing\" "
     "does not exist"},
    {"TargetIsAFolder",
     {"--render", "DIR/taken.png"},
     1,
     "twinscope: Cannot save the chart as \"DIR/taken.png\": Filename refers to a directory"},
    {"BadCsvRow",
     {"--data", "DIR/bad.csv", "--render", "DIR/c.png"},
     1,
     "twinscope: DIR/bad.csv: line 3: 'warm' is not a temperature in °F (a number such as 71.5)"},
    {"MissingCsv",
     {"--data", "DIR/none.csv"},
     1,
     "twinscope: DIR/none.csv: cannot be read (No such file or directory)"},
    {"UnknownOption",
     {"--render", "DIR/c.png", "--colour", "red"},
     2,
     "twinscope: Unknown option 'colour'."},
};

class ProgramRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(ProgramRefusalTest, GivesItsMessageAndStatusAndWritesNoFile) {
    const RefusalCase& c = GetParam();
    QTemporaryDir dir;
    QFile csv(dir.filePath("bad.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("date;°F\n2024-08-01;71,5\n2024-08-02;warm\n");
    csv.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    QStringList arguments = c.arguments;
    arguments.replaceInStrings("DIR", dir.path());
    const Outcome o = RunProgram(arguments);
    EXPECT_EQ(o.status, c.status);
    EXPECT_EQ(ProgramErrors(o),
              QStringList{QString::fromUtf8(c.message).replace("DIR", dir.path())});
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"bad.csv"});
}

INSTANTIATE_TEST_SUITE_P(Program, ProgramRefusalTest, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Program, PrintsItsVersionWithoutADisplay) {
    const Outcome o = RunProgram({"--version"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "twinscope " TWINSCOPE_VERSION_STRING "\n");
}

}  // namespace
}  // namespace twinscope
