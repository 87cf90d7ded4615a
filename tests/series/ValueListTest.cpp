#include <string>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/ValueStorage.h"
#include "tests/support/ChartFixture.h"

namespace twinscope {
namespace {

std::vector<double> ValuesOf(const TChartValueList& list) {
    return {list.Values().begin(), list.Values().end()};
}

struct OrderCase {
    const char* name;
    TChartListOrder order;
    std::vector<double> xs;
    std::vector<double> expectedX;
    std::vector<double> expectedY;  // Y was the add position: 0, 1, 2, ...
};

class OrderedInsertTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderedInsertTest, PointsLandWhereTheOrderPutsThem) {
    const OrderCase& c = GetParam();
    TLineSeries series;
    series.XValues().SetOrder(c.order);
    for (std::size_t i = 0; i < c.xs.size(); ++i)
        series.AddPoint(c.xs[i], double(i));
    EXPECT_EQ(ValuesOf(series.XValues()), c.expectedX);
    EXPECT_EQ(ValuesOf(series.YValues()), c.expectedY);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OrderedInsertTest,
    ::testing::Values(
        OrderCase{"AscendingSortsOutOfOrderX", loAscending, {5, 3, 4}, {3, 4, 5}, {1, 2, 0}},
        OrderCase{"AscendingEqualGoesAfterExisting",
                  loAscending,
                  {5, 3, 4, 4},
                  {3, 4, 4, 5},
                  {1, 2, 3, 0}},
        OrderCase{"AscendingSmallestGoesFirst", loAscending, {2, 3, 1}, {1, 2, 3}, {2, 0, 1}},
        OrderCase{"DescendingPutsLargerFirst", loDescending, {5, 7}, {7, 5}, {1, 0}},
        OrderCase{
            "DescendingEqualGoesAfterExisting", loDescending, {7, 5, 7}, {7, 7, 5}, {0, 2, 1}},
        OrderCase{"NoneKeepsAddOrder", loNone, {5, 3, 4}, {5, 3, 4}, {0, 1, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueListTest, StorageGrowsInStepsOfAThousandAndIsReleasedOnClear) {
    TLineSeries series;
    EXPECT_EQ(series.XValues().Capacity(), 0u);
    series.AddPoint(0, 0);
    EXPECT_EQ(series.XValues().Capacity(), 1000u);
    for (int i = 1; i < 1000; ++i)
        series.AddPoint(i, i);
    EXPECT_EQ(series.YValues().Capacity(), 1000u);
    series.AddPoint(1000, 0);
    EXPECT_EQ(series.XValues().Capacity(), 2000u);
    series.ClearPoints();
    EXPECT_EQ(series.XValues().Capacity(), 0u);
    EXPECT_EQ(series.PointCount(), 0);
}

TEST(ValueListTest, StorageUnderneathGrowsByAShareOfItselfWithLittleSlack) {
    ValueStorage storage;
    std::size_t moves = 0;
    for (std::size_t capacity = 1000; capacity <= 2'000'000; capacity += 1000) {
        const std::size_t before = storage.Allocated();
        storage.SetCapacity(capacity);
        moves += storage.Allocated() != before;
        ASSERT_EQ(storage.Capacity(), capacity);
        ASSERT_GE(storage.Allocated(), capacity);
        ASSERT_LE(storage.Allocated(), capacity + capacity / 32 + 1000);
    }
    // A reallocation per 1000-value step would make 2000, each possibly copying everything.
    EXPECT_LT(moves, 200u);
    storage.SetCapacity(500);
    EXPECT_EQ(storage.Allocated(), 500u);
    storage.Release();
    EXPECT_EQ(storage.Allocated(), 0u);
    EXPECT_EQ(storage.Data(), nullptr);
}

TEST(ValueListTest, StatisticsAreRecomputedAfterEveryChange) {
    TLineSeries series;
    TChartValueList& y = series.YValues();
    EXPECT_EQ(y.Highest(), 0);
    EXPECT_EQ(y.Lowest(), 0);
    EXPECT_EQ(y.Total(), 0);
    series.AddValue(3);
    series.AddValue(-5);
    series.AddValue(4);
    EXPECT_EQ(y.Highest(), 4);
    EXPECT_EQ(y.Lowest(), -5);
    EXPECT_EQ(y.Total(), 2);
    EXPECT_EQ(y.AbsTotal(), 12);
    EXPECT_EQ(y.Spread(), 9);
    series.RemovePoint(2);
    EXPECT_EQ(y.Highest(), 3);
    y.SetValueAt(0, 10);
    EXPECT_EQ(y.Highest(), 10);
}

TEST(ValueListTest, FindEqualLooksForExactValuesInARange) {
    TLineSeries series;
    for (double v : {1.0, 2.0, 3.0, 2.0})
        series.AddValue(v);
    const TChartValueList& y = series.YValues();
    EXPECT_EQ(y.FindEqual(2), 1);
    EXPECT_EQ(y.FindEqual(2, 2), 3);
    EXPECT_EQ(y.FindEqual(2, 2, 2), -1);
    EXPECT_EQ(y.FindEqual(2.0000001), -1);
}

TEST(ValueListTest, FillExchangeAndRotate) {
    TLineSeries series;
    for (double v : {7.0, 8.0, 9.0})
        series.AddValue(v);
    TChartValueList& y = series.YValues();
    y.Exchange(0, 2);
    EXPECT_EQ(ValuesOf(y), (std::vector<double>{9, 8, 7}));
    y.Rotate();
    EXPECT_EQ(ValuesOf(y), (std::vector<double>{8, 7, 9}));
    y.FillWithIndexes();
    EXPECT_EQ(ValuesOf(y), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(y.Highest(), 2);
}

TEST(ValueListTest, SortValuesMovesWholePointsAndKeepsEqualOnesInOrder) {
    TLineSeries series;
    series.XValues().SetOrder(loNone);
    series.AddPoint(3, 30, "c");
    series.AddPoint(1, 10, "a", clRed);
    series.AddPoint(3, 31, "c2");
    series.AddPoint(2, 20, "b");
    series.XValues().SetOrder(loAscending);
    series.XValues().SortValues();
    EXPECT_EQ(ValuesOf(series.XValues()), (std::vector<double>{1, 2, 3, 3}));
    EXPECT_EQ(ValuesOf(series.YValues()), (std::vector<double>{10, 20, 30, 31}));
    EXPECT_EQ(series.Labels(), (std::vector<std::string>{"a", "b", "c", "c2"}));
    EXPECT_EQ(series.StoredColor(0), clRed);
    EXPECT_EQ(series.StoredColor(3), clDefault);

    series.XValues().SetOrder(loDescending);
    series.XValues().SortValues();
    EXPECT_EQ(ValuesOf(series.YValues()), (std::vector<double>{30, 31, 20, 10}));
}

TEST(ValueListTest, DateTimeIsStoredOnlyWhenItDiffersFromTheDefault) {
    TLineSeries series;
    EXPECT_FALSE(series.XValues().IsDateTimeStored());
    series.XValues().SetDateTime(true);
    EXPECT_TRUE(series.XValues().IsDateTimeStored());
    TLineSeries other;
    other.XValues().Assign(series.XValues());
    EXPECT_TRUE(other.XValues().DateTime());
    EXPECT_EQ(other.XValues().Name(), "X");
    EXPECT_EQ(other.XValues().Count(), 0);
}

}  // namespace
}  // namespace twinscope
