#include <map>
#include <optional>
#include <string>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesDataStream.h"
#include "twinscope/chart/series/SeriesStoredProperties.h"
#include "twinscope/runtime/Exceptions.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"

namespace twinscope {
namespace {

using testing::ChartFixture;
using StoredPropertiesTest = ChartFixture;

TEST_F(StoredPropertiesTest, PlainSeriesStoresNothingOfItsOwn) {
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.AddPoint(1, 2);
    EXPECT_EQ(WriteStoredProperties(series), TSeriesStoredProperties{});
}

TEST_F(StoredPropertiesTest, WrittenPropertiesAndWhenEachIsPresent) {
    chart.CustomAxes().Add();
    TChartAxis& vertical = chart.CustomAxes().Add();
    TChartAxis& horizontal = chart.CustomAxes().Add();
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.SetIdentifier("temperatures");
    series.SetStyle(0x7F);
    series.BindCustomHorizAxis(&horizontal);
    series.BindCustomVertAxis(&vertical);
    series.AddDataSource({"seriesSource", true});
    series.AddDataSource({"table", false});
    series.AddPoint(3, 4);
    series.SetLoadedFromStream(true);

    const TSeriesStoredProperties p = WriteStoredProperties(series);
    EXPECT_EQ(p.Identifier, "temperatures");
    EXPECT_EQ(p.Style, 0x3F);
    EXPECT_EQ(p.DataSources, (std::vector<std::string>{"seriesSource", "table"}));
    EXPECT_EQ(p.CustomHorizAxis, 2);
    EXPECT_EQ(p.CustomVertAxis, 1);
    EXPECT_EQ(p.Data, WriteSeriesData(series));
}

TEST(StoredDataSourcesTest, ASingleSourceThatIsNotASeriesIsNotStoredHere) {
    struct Case {
        const char* name;
        std::vector<TSeriesDataSource> sources;
        std::optional<std::vector<std::string>> stored;
    };
    const Case cases[] = {
        {"none", {}, std::nullopt},
        {"one that is not a series", {{"table", false}}, std::nullopt},
        {"one series", {{"other", true}}, std::vector<std::string>{"other"}},
        {"two that are not series",
         {{"a", false}, {"b", false}},
         std::vector<std::string>{"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLineSeries series;
        for (const TSeriesDataSource& source : c.sources)
            series.AddDataSource(source);
        EXPECT_EQ(WriteStoredProperties(series).DataSources, c.stored);
    }
}

TEST_F(StoredPropertiesTest, AxisOutsideTheCustomAxesHasNoIndexToStore) {
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.BindCustomVertAxis(&chart.RightAxis());
    EXPECT_EQ(WriteStoredProperties(series).CustomVertAxis, std::nullopt);
}

TEST_F(StoredPropertiesTest, ReadingAppliesEachProperty) {
    chart.CustomAxes().Add();
    TChartAxis& second = chart.CustomAxes().Add();
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.SetLoadingFromStream(true);

    TSeriesStoredProperties p;
    p.Identifier = "id";
    p.Style = 0xC5;
    p.DataSources = std::vector<std::string>{"ignored while loading"};
    p.CustomHorizAxis = 1;
    p.CustomVertAxis = 0;
    p.Data = std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x14, 0x40};
    ReadStoredProperties(series, chart, p);

    EXPECT_EQ(series.Identifier(), "id");
    EXPECT_EQ(series.Style(), 0x05);
    EXPECT_EQ(series.HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(series.ResolvedHorizAxis(), &second);
    EXPECT_EQ(series.ResolvedVertAxis(), &chart.CustomAxes()[0]);
    ASSERT_EQ(series.PointCount(), 1);
    EXPECT_EQ(series.YValues()[0], 5.0);
    EXPECT_TRUE(series.LoadedFromStream());
    EXPECT_TRUE(series.DataSources().empty());
}

TEST_F(StoredPropertiesTest, AxisIndexBeyondTheCustomAxesEndsLoading) {
    chart.CustomAxes().Add();
    auto& series = chart.CreateSeries<TLineSeries>();
    struct Case {
        const char* name;
        std::optional<std::int32_t> horizontal, vertical;
        const char* message;
    };
    const Case cases[] = {
        {"horizontal one past the end", 1, std::nullopt, "List index out of bounds (1)"},
        {"vertical far beyond", std::nullopt, 7, "List index out of bounds (7)"},
        {"negative", -1, std::nullopt, "List index out of bounds (-1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSeriesStoredProperties p;
        p.CustomHorizAxis = c.horizontal;
        p.CustomVertAxis = c.vertical;
        EXPECT_THROW_MSG(ReadStoredProperties(series, chart, p), ListIndexError, c.message);
        EXPECT_EQ(series.CustomHorizAxis(), nullptr);
        EXPECT_EQ(series.CustomVertAxis(), nullptr);
    }
}

TEST_F(StoredPropertiesTest, WrittenPropertiesReadBackIntoAnotherSeries) {
    chart.CustomAxes().Add();
    TChartAxis& axis = chart.CustomAxes().Add();
    auto& original = chart.CreateSeries<TLineSeries>();
    original.SetParentChart(&chart);
    original.SetIdentifier("x");
    original.SetStyle(3);
    original.BindCustomVertAxis(&axis);
    original.AddPoint(2, 1, "two");
    original.AddPoint(1, 5, "", clBlue);
    original.SetForceStoreData(true);
    const TSeriesStoredProperties written = WriteStoredProperties(original);

    auto& copy = chart.CreateSeries<TLineSeries>();
    copy.SetParentChart(&chart);
    ReadStoredProperties(copy, chart, written);
    copy.SetForceStoreData(true);
    EXPECT_EQ(WriteStoredProperties(copy), written);
}

TEST(StoredDataSourcesTest, NamesAreResolvedThroughTheLookupAfterLoading) {
    const std::map<std::string, TSeriesDataSource> components = {
        {"seriesA", {"seriesA", true}},
        {"table", {"table", false}},
    };
    const DataSourceLookup lookup = [&](const std::string& name) {
        const auto it = components.find(name);
        return it == components.end() ? std::nullopt : std::optional<TSeriesDataSource>(it->second);
    };
    TLineSeries series;
    ResolveDataSources(series, {"table", "missing", "seriesA"}, lookup);
    EXPECT_EQ(series.DataSources(),
              (std::vector<TSeriesDataSource>{{"table", false}, {"seriesA", true}}));
}

}  // namespace
}  // namespace twinscope
