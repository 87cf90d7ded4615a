// Readings that do not fit into memory: the window keeps the lines it showed, and no picture of
// them is written.

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ChartRender.h"
#include "app/TwinscopeMain.h"
#include "tests/support/AddressSpace.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

// Daily readings from 1 January 2015 on.
TReadings Readings(const char* name, std::size_t days, double temperature) {
    TReadings r{.Name = name};
    r.Dates.resize(days);
    r.Temperatures.assign(days, temperature);
    for (std::size_t i = 0; i < days; ++i)
        r.Dates[i] = 42005.0 + static_cast<double>(i);
    return r;
}

// Titles and point counts of the lines in the legend.
std::vector<std::pair<std::string, std::int32_t>> Lines(const TfmTwinscope& window) {
    std::vector<std::pair<std::string, std::int32_t>> lines;
    for (const TChartSeries* s : window.Chart().SeriesList())
        if (s->ShowInLegend()) lines.emplace_back(s->Title(), s->PointCount());
    return lines;
}

// The steps of a death test's child: 0 when all went as expected, else the failing step's code.
// The child ends with std::_Exit: the application object outlives Qt's own at a normal exit.
int ReadingsThatDoNotFitLeaveTheLinesShown() {
    TfmTwinscope window;
    window.ReplaceReadings({.Series = {Readings("high", 100, 50), Readings("low", 90, 30)}});
    const decltype(Lines(window)) shown = {{"high", 100}, {"low", 90}};
    // The first line fits, the second (64 MB) does not.
    const TReadingsFile large{.Series = {Readings("few", 10, 40), Readings("many", 4'000'000, 40)}};
    testing::LimitAddressSpace(16 << 20);
    try {
        window.ReplaceReadings(large);
        return 2;
    } catch (const OutOfMemoryError& e) {
        if (std::string(e.what()) != "not enough memory for 4000000 points") return 3;
    }
    if (Lines(window) != shown) return 4;
    return window.seriesActualData->YValues().Value(0) == 50 ? 0 : 5;
}

int APictureOfReadingsThatDoNotFitIsNotWritten() {
    QTemporaryDir dir;
    const std::optional<TReadingsFile> large =
        TReadingsFile{.Series = {Readings("many", 8'000'000, 40)}};
    // Room for the window, not for the 128 MB of points.
    testing::LimitAddressSpace(64 << 20);
    try {
        RenderChart({.FileName = dir.filePath("c.png")}, large);
        return 1;
    } catch (const OutOfMemoryError& e) {
        if (std::string(e.what()) != "not enough memory for 8000000 points") return 2;
    }
    return QDir(dir.path()).entryList(QDir::Files).isEmpty() ? 0 : 3;
}

TEST(ReadingsMemory, ReadingsThatDoNotFitLeaveTheLinesShown) {
    SKIP_WHERE_ADDRESS_SPACE_IS_THE_SANITIZERS();
    EXPECT_EXIT(std::_Exit(ReadingsThatDoNotFitLeaveTheLinesShown()), ::testing::ExitedWithCode(0),
                "");
}

TEST(ReadingsMemory, APictureOfReadingsThatDoNotFitIsNotWritten) {
    SKIP_WHERE_ADDRESS_SPACE_IS_THE_SANITIZERS();
    EXPECT_EXIT(std::_Exit(APictureOfReadingsThatDoNotFitIsNotWritten()),
                ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace twinscope
