#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesDataStream.h"
#include "twinscope/runtime/Exceptions.h"
#include "tests/series/WindowSeriesData.h"
#include "tests/support/Expect.h"

namespace twinscope {
namespace {

using testing::FromHex;
using testing::WindowSeriesDataHex;
using testing::WindowSeriesPoints;

// Builds an expected payload field by field.
struct Payload {
    std::vector<std::uint8_t> bytes;

    Payload& U8(std::uint8_t b) {
        bytes.push_back(b);
        return *this;
    }
    Payload& U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            U8(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Payload& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    Payload& F64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            U8(static_cast<std::uint8_t>(bits >> (8 * i)));
        return *this;
    }
    Payload& Text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Payload& Repeat(std::size_t n, std::uint8_t b) {
        bytes.insert(bytes.end(), n, b);
        return *this;
    }
};

struct Point {
    double x;
    double y;
    std::string label;
    TColor colour = clDefault;
    friend bool operator==(const Point&, const Point&) = default;
    friend void PrintTo(const Point& p, std::ostream* os) {
        *os << "(" << p.x << ", " << p.y << ", \"" << p.label << "\", 0x" << std::hex << p.colour
            << std::dec << ")";
    }
};

std::vector<Point> PointsOf(const TChartSeries& s) {
    std::vector<Point> points;
    for (std::int32_t i = 0; i < s.PointCount(); ++i)
        points.push_back({s.XValues()[i], s.YValues()[i], s.Label(i), s.StoredColor(i)});
    return points;
}

// A series with a third value list, as some series kinds have.
class ThreeListSeries : public TLineSeries {
public:
    TChartValueList& ZValues() { return z_; }

private:
    TChartValueList z_{this, "Z"};
};

// The series loading its stored bytes starts with a point of its own, which must go.
void AddStalePoint(TChartSeries& series) {
    series.AddPoint(100, 1, "stale", clBlue);
}

TEST(SeriesDataStreamTest, WindowSeriesIsWrittenAsItsStoredBytes) {
    TLineSeries series;
    series.XValues().SetDateTime(true);
    for (const auto& p : WindowSeriesPoints)
        series.AddPoint(p.X, p.Y);

    const std::vector<std::uint8_t> bytes = WriteSeriesData(series);
    ASSERT_EQ(bytes.size(), 405u);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 21);
    EXPECT_EQ(head, FromHex("0119000000"
                            "00000000c036e640"
                            "8295438b2cec7840"));
    EXPECT_EQ(bytes, FromHex(WindowSeriesDataHex));
}

TEST(SeriesDataStreamTest, WindowSeriesReadsItsStoredPoints) {
    TLineSeries series;
    series.XValues().SetDateTime(true);
    AddStalePoint(series);
    ReadSeriesData(series, FromHex(WindowSeriesDataHex));

    ASSERT_EQ(series.PointCount(), 25);
    for (std::int32_t i = 0; i < 25; ++i) {
        EXPECT_EQ(series.XValues()[i], WindowSeriesPoints[i].X) << "point " << i;
        EXPECT_EQ(series.YValues()[i], WindowSeriesPoints[i].Y) << "point " << i;
    }
    EXPECT_EQ(series.XValues().Lowest(), 45494);
    EXPECT_EQ(series.XValues().Highest(), 45562);
    EXPECT_EQ(series.YValues().Lowest(), 346.77153125000007);
    EXPECT_EQ(series.YValues().Highest(), 486.14721875000004);
    EXPECT_FALSE(series.HasPointColors());
    EXPECT_TRUE(series.Labels().empty());
    EXPECT_TRUE(series.XValues().DateTime());
    EXPECT_TRUE(series.LoadedFromStream());
    EXPECT_EQ(series.BatchDepth(), 0);
}

struct WriteCase {
    const char* name;
    std::function<void(TChartSeries&)> fill;
    Payload expected;
};

TEST(SeriesDataStreamTest, WriterLayout) {
    const std::string label254(254, 'a');
    const std::string label255(255, 'b');
    const std::string label300(300, 'c');
    Payload lateLabel = Payload().U8(sdLabels).I32(102);
    for (int i = 0; i < 102; ++i)
        lateLabel.F64(i).U8(i == 101 ? 4 : 0).Text(i == 101 ? "late" : "");

    const WriteCase cases[] = {
        {"no points", [](TChartSeries&) {}, Payload().U8(0).I32(0)},
        {"X equal to the indexes are left out",
         [](TChartSeries& s) {
             for (double y : {5, 6, 7})
                 s.AddValue(y);
         },
         Payload().U8(0).I32(3).F64(5).F64(6).F64(7)},
        {"X other than the indexes are stored",
         [](TChartSeries& s) {
             s.AddPoint(0, 5);
             s.AddPoint(1, 6);
             s.AddPoint(3, 7);
         },
         Payload().U8(sdOrderValues).I32(3).F64(0).F64(5).F64(1).F64(6).F64(3).F64(7)},
        {"X are not stored when the series says so",
         [](TChartSeries& s) {
             s.SetStoreXValues(false);
             s.AddPoint(10, 5);
         },
         Payload().U8(0).I32(1).F64(5)},
        {"a 254-byte label keeps a single length byte",
         [&](TChartSeries& s) { s.AddValue(1, label254); },
         Payload().U8(sdLabels).I32(1).F64(1).U8(254).Text(label254)},
        {"a 255-byte label takes 0xFF and an int32 length",
         [&](TChartSeries& s) { s.AddValue(1, label255); },
         Payload().U8(sdLabels).I32(1).F64(1).U8(0xFF).I32(255).Text(label255)},
        {"a 300-byte label takes 0xFF and an int32 length",
         [&](TChartSeries& s) { s.AddValue(1, label300); },
         Payload().U8(sdLabels).I32(1).F64(1).U8(0xFF).I32(300).Text(label300)},
        {"labels that are all empty are left out",
         [](TChartSeries& s) {
             s.AddValue(1);
             s.AddValue(2, "x");
             s.RemovePoint(1);
         },
         Payload().U8(0).I32(1).F64(1)},
        {"a label after the first 101 points is still stored",
         [](TChartSeries& s) {
             for (int i = 0; i < 102; ++i)
                 s.AddValue(i, i == 101 ? "late" : "");
         },
         lateLabel},
        {"own colours and gaps are stored, points without one as clDefault",
         [](TChartSeries& s) {
             s.SetSeriesColor(clRed);
             s.AddValue(1);
             s.AddValue(2, "", clNone);
             s.AddValue(3, "", clRed);
         },
         Payload().U8(sdColors).I32(3).F64(1).U32(clDefault).F64(2).U32(clNone).F64(3).U32(clRed)},
        {"colours equal to the series colour alone are left out",
         [](TChartSeries& s) {
             s.SetSeriesColor(clRed);
             s.AddValue(1, "", clRed);
         },
         Payload().U8(0).I32(1).F64(1)},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        TLineSeries series;
        c.fill(series);
        EXPECT_EQ(WriteSeriesData(series), c.expected.bytes);
    }
}

struct ReadCase {
    const char* name;
    Payload payload;
    std::vector<Point> expected;
};

TEST(SeriesDataStreamTest, ReaderReplacesThePoints) {
    const ReadCase cases[] = {
        {"no flags: the indexes become X",
         Payload().U8(0).I32(3).F64(5).F64(6).F64(7),
         {{0, 5, ""}, {1, 6, ""}, {2, 7, ""}}},
        {"records out of X order are sorted",
         Payload().U8(sdOrderValues).I32(3).F64(3).F64(30).F64(1).F64(10).F64(2).F64(20),
         {{1, 10, ""}, {2, 20, ""}, {3, 30, ""}}},
        {"colours and labels, short and long, as 8-bit text",
         Payload()
             .U8(sdColors | sdLabels)
             .I32(2)
             .F64(1)
             .U32(clNone)
             .U8(2)
             .Text("\xE9t")
             .F64(2)
             .U32(clRed)
             .U8(0xFF)
             .I32(3)
             .Text("xyz"),
         {{0, 1, "\xE9t", clNone}, {1, 2, "xyz", clRed}}},
        {"mark positions are passed over",
         Payload()
             .U8(sdMarkPositions)
             .I32(2)
             .F64(1)
             .Repeat(SeriesMarkPositionSize, 0xAB)
             .F64(2)
             .Repeat(SeriesMarkPositionSize, 0xCD),
         {{0, 1, ""}, {1, 2, ""}}},
        {"records without a picture",
         Payload().U8(sdPictures).I32(2).F64(1).U8(0).F64(2).U8(0),
         {{0, 1, ""}, {1, 2, ""}}},
        {"no points", Payload().U8(sdOrderValues).I32(0), {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TLineSeries series;
        AddStalePoint(series);
        ReadSeriesData(series, c.payload.bytes);
        EXPECT_EQ(PointsOf(series), c.expected);
        EXPECT_TRUE(series.LoadedFromStream());
        EXPECT_EQ(series.BatchDepth(), 0);
    }
}

TEST(SeriesDataStreamTest, FurtherValueListsAddADoublePerRecord) {
    ThreeListSeries series;
    series.ZValues().SetStagedValue(7);
    series.AddPoint(5, 50);
    series.ZValues().SetStagedValue(8);
    series.AddPoint(2, 20);
    const Payload expected =
        Payload().U8(sdOrderValues).I32(2).F64(2).F64(20).F64(8).F64(5).F64(50).F64(7);
    ASSERT_EQ(WriteSeriesData(series), expected.bytes);

    ThreeListSeries read;
    ReadSeriesData(read, expected.bytes);
    ASSERT_EQ(read.PointCount(), 2);
    EXPECT_EQ(read.ZValues()[0], 8);
    EXPECT_EQ(read.ZValues()[1], 7);
}

struct RefusedCase {
    const char* name;
    Payload payload;
    const char* message;
    std::vector<Point> kept;
};

TEST(SeriesDataStreamTest, BadPayloadIsRefusedKeepingTheCompleteRecords) {
    const RefusedCase cases[] = {
        {"empty", Payload(), "Series data too short: 0 bytes, the header alone takes 5", {}},
        {"shorter than the header",
         Payload().U8(1).U8(0).U8(0).U8(0),
         "Series data too short: 4 bytes, the header alone takes 5",
         {}},
        {"negative count",
         Payload().U8(sdOrderValues).I32(-1),
         "Series data announces a negative point count (-1)",
         {}},
        {"more points than bytes",
         Payload().U8(sdOrderValues).I32(3).F64(1).F64(10).F64(2).F64(20),
         "Series data announces 3 points, which need at least 48 bytes; only 32 follow the "
         "header",
         {}},
        {"unknown flags", Payload().U8(0x21).I32(0), "Series data has unknown flags 0x21", {}},
        {"a picture",
         Payload().U8(sdPictures).I32(2).F64(1).U8(0).F64(2).U8(1),
         "Series data holds a picture for point 1; pictures cannot be read",
         {{0, 1, ""}}},
        {"negative label length",
         Payload().U8(sdLabels).I32(2).F64(1).U8(0).F64(2).U8(0xFF).I32(-5),
         "Series data has a negative label length (-5) in point 1",
         {{0, 1, ""}}},
        {"label running past the end",
         Payload().U8(sdLabels).I32(2).F64(1).U8(1).Text("a").F64(2).U8(200).Text("abc"),
         "Series data ends inside point 1",
         {{0, 1, "a"}}},
        {"bytes after the last point",
         Payload().U8(0).I32(1).F64(1).U8(0),
         "Series data has extra bytes after its last point (1)",
         {{0, 1, ""}}},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        TLineSeries series;
        AddStalePoint(series);
        series.SetLoadedFromStream(true);
        EXPECT_THROW_MSG(ReadSeriesData(series, c.payload.bytes), StreamReadError, c.message);
        EXPECT_EQ(PointsOf(series), c.kept);
        EXPECT_FALSE(series.LoadedFromStream());
        EXPECT_EQ(series.BatchDepth(), 0);
    }
}

TEST(SeriesDataStreamTest, HugeCountIsRefusedBeforeAnythingIsAllocated) {
    TLineSeries series;
    const Payload payload = Payload().U8(sdOrderValues).I32(0x7FFFFFFF).Repeat(5, 0);
    ASSERT_EQ(payload.bytes.size(), 10u);
    EXPECT_THROW_MSG(ReadSeriesData(series, payload.bytes), StreamReadError,
                     "Series data announces 2147483647 points, which need at least "
                     "34359738352 bytes; only 5 follow the header");
    EXPECT_EQ(series.XValues().Capacity(), 0u);
    EXPECT_EQ(series.YValues().Capacity(), 0u);
}

// Cutting a payload anywhere is refused; the points that stay are the complete records
// before the cut, in order.
TEST(SeriesDataStreamTest, TruncatedPayloadIsRefusedAtEveryLength) {
    TLineSeries labelled;
    for (int i = 0; i < 12; ++i)
        labelled.AddPoint(i * 1.5, i, std::string(static_cast<std::size_t>(i * 3), 'q'),
                          i % 4 == 1 ? clNone : clDefault);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> payload;
        std::size_t mostKept;
    };
    // Fixed-size records are all refused by the size check; labelled ones are read up to the
    // record the cut falls into.
    const Case cases[] = {
        {"window series", FromHex(WindowSeriesDataHex), 0},
        {"labelled series", WriteSeriesData(labelled), 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLineSeries whole;
        ReadSeriesData(whole, c.payload);
        const std::vector<Point> all = PointsOf(whole);
        std::size_t mostKept = 0;
        for (std::size_t length = 0; length < c.payload.size(); ++length) {
            SCOPED_TRACE("cut at " + std::to_string(length));
            TLineSeries series;
            EXPECT_THROW(ReadSeriesData(series, std::span(c.payload).first(length)),
                         StreamReadError);
            const std::vector<Point> kept = PointsOf(series);
            ASSERT_LT(kept.size(), all.size());
            EXPECT_EQ(kept, std::vector<Point>(all.begin(), all.begin() + kept.size()));
            EXPECT_EQ(series.BatchDepth(), 0);
            mostKept = std::max(mostKept, kept.size());
        }
        EXPECT_EQ(mostKept, c.mostKept);
    }
}

// Random series written and read back come back the same, and write the same bytes again.
TEST(SeriesDataStreamTest, RandomSeriesSurviveARoundTrip) {
    std::mt19937 random(20240721);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
    const TColor colours[] = {clDefault, clDefault, clNone, clRed, clBlue, 0x00123456};

    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ThreeListSeries series;
        series.SetSeriesColor(round % 2 ? clRed : clGreen);
        const int count = round % 25 == 0 ? uniform(10100, 10300) : uniform(0, 120);
        const int xKind = uniform(0, 2);  // indexes, ascending with repeats, shuffled
        const bool withColours = uniform(0, 1);
        const bool withLabels = uniform(0, 1);
        for (int i = 0; i < count; ++i) {
            const double x = xKind == 0   ? i
                             : xKind == 1 ? i / 3 * 0.25
                                          : std::uniform_real_distribution(-1e6, 1e6)(random);
            const TColor colour = withColours ? colours[uniform(0, 5)] : clDefault;
            std::string label;
            if (withLabels && uniform(0, 3) == 0) {
                label.resize(static_cast<std::size_t>(uniform(0, 300)));
                for (char& ch : label)
                    ch = static_cast<char>(uniform(0, 255));
            }
            series.ZValues().SetStagedValue(uniform(-5, 5));
            series.AddPoint(x, std::normal_distribution(0.0, 100.0)(random), label, colour);
        }

        const std::vector<std::uint8_t> bytes = WriteSeriesData(series);
        ThreeListSeries read;
        read.SetSeriesColor(series.SeriesColor());
        ReadSeriesData(read, bytes);
        ASSERT_EQ(read.PointCount(), series.PointCount());
        for (std::int32_t i = 0; i < count; ++i) {
            ASSERT_EQ(read.XValues()[i], series.XValues()[i]) << "point " << i;
            ASSERT_EQ(read.YValues()[i], series.YValues()[i]) << "point " << i;
            ASSERT_EQ(read.ZValues()[i], series.ZValues()[i]) << "point " << i;
            ASSERT_EQ(read.Label(i), series.Label(i)) << "point " << i;
            ASSERT_EQ(read.PointColor(i), series.PointColor(i)) << "point " << i;
        }
        EXPECT_EQ(WriteSeriesData(read), bytes);
    }
}

// Points stored in any order read back as adding them one by one would leave them, for each
// order the X list keeps: equal X in the order they arrived, and a value that is not a number
// where it arrived, with nothing after it moved before it. A payload cut short keeps its whole
// records, placed the same way.
TEST(SeriesDataStreamTest, PointsStoredOutOfOrderReadAsAddingThemOneByOne) {
    const double nan = std::nan("");
    const std::vector<std::pair<const char*, std::vector<double>>> rows{
        {"descending", {9, 8, 7, 7, 5, 3, 3, 1}},
        {"shuffled with repeats", {4, 1, 4, 9, 1, 0, 4, 2}},
        {"not a number inside", {5, 2, nan, 7, 1, 6, nan, 3}},
    };
    auto fill = [](ThreeListSeries& series, const std::vector<double>& xs, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            series.ZValues().SetStagedValue(-double(i));
            series.AddPoint(xs[i], double(i), i % 3 == 1 ? "p" + std::to_string(i) : "",
                            i == 4 ? clBlue : clDefault);
        }
    };
    for (const auto& [name, xs] : rows) {
        for (TChartListOrder order : {loAscending, loDescending, loNone}) {
            for (const bool cut : {false, true}) {
                SCOPED_TRACE(std::string(name) + ", order " +
                             std::to_string(static_cast<int>(order)) + (cut ? ", cut" : ""));
                ThreeListSeries stored;
                stored.XValues().SetOrder(loNone);
                fill(stored, xs, xs.size());
                std::vector<std::uint8_t> payload = WriteSeriesData(stored);
                ThreeListSeries added;
                added.XValues().SetOrder(order);
                fill(added, xs, cut ? xs.size() - 1 : xs.size());
                ThreeListSeries read;
                read.XValues().SetOrder(order);
                if (cut) {
                    payload.pop_back();
                    EXPECT_THROW(ReadSeriesData(read, payload), StreamReadError);
                } else {
                    ReadSeriesData(read, payload);
                }
                ASSERT_EQ(read.PointCount(), added.PointCount());
                for (std::int32_t i = 0; i < added.PointCount(); ++i) {
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(read.XValues()[i]),
                              std::bit_cast<std::uint64_t>(added.XValues()[i]))
                        << "point " << i;
                    EXPECT_EQ(read.YValues()[i], added.YValues()[i]) << "point " << i;
                    EXPECT_EQ(read.ZValues()[i], added.ZValues()[i]) << "point " << i;
                    EXPECT_EQ(read.Label(i), added.Label(i)) << "point " << i;
                    EXPECT_EQ(read.StoredColor(i), added.StoredColor(i)) << "point " << i;
                }
            }
        }
    }
}

TEST(SeriesDataStreamTest, WhenTheDataIsStored) {
    struct Case {
        const char* name;
        bool force, loaded, never, stored;
    };
    const Case cases[] = {
        {"fresh series", false, false, false, false},
        {"forced", true, false, false, true},
        {"read from the window", false, true, false, true},
        {"read, but never stored", false, true, true, false},
        {"forcing wins over never", true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLineSeries series;
        series.SetForceStoreData(c.force);
        series.SetLoadedFromStream(c.loaded);
        series.SetNeverStoreData(c.never);
        EXPECT_EQ(ShouldWriteData(series), c.stored);
    }
}

TEST(SeriesDataStreamTest, InheritedWindowStoresOnlyDataThatDiffersFromTheAncestor) {
    TLineSeries ancestor;
    TLineSeries series;
    for (TLineSeries* s : {&ancestor, &series}) {
        s->AddPoint(1, 10);
        s->AddPoint(2, 20);
    }
    series.SetForceStoreData(true);
    EXPECT_TRUE(SameSeriesData(series, ancestor));
    EXPECT_FALSE(ShouldWriteData(series, &ancestor));
    series.AddPoint(3, 30);
    EXPECT_FALSE(SameSeriesData(series, ancestor));
    EXPECT_TRUE(ShouldWriteData(series, &ancestor));
}

}  // namespace
}  // namespace twinscope
