// Column files: written as the points come, mapped and shown in place, refused when they are
// not whole, and lost without a crash when another program shortens one while it is shown.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "tests/platform/ChartPicture.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ColumnFileWriter.h"
#include "twinscope/platform/MappedColumnFile.h"

namespace twinscope {
namespace {

namespace fs = std::filesystem;

struct TPoints {
    std::vector<double> xs;
    std::vector<double> ys;
};

// A random walk over ascending dates, with a value that is not a number now and then.
TPoints WalkOf(std::size_t n) {
    std::mt19937_64 random(n);
    std::normal_distribution<double> step(0, 1);
    TPoints p;
    double walk = 0;
    for (std::size_t i = 0; i < n; ++i) {
        walk += step(random);
        p.xs.push_back(45000 + static_cast<double>(i) * 0.001);
        p.ys.push_back(i % 7919 == 5 ? std::nan("") : walk);
    }
    return p;
}

class ColumnFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("twinscope-columns-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        path = (folder / "walk.columns").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    // Writes the points in batches of uneven sizes, as a reader hands them on.
    void Write(const TPoints& p, const std::string& to, const std::string& name = "walk") {
        TColumnFileWriter writer(to, name, true);
        for (std::size_t at = 0, batch = 1; at < p.xs.size(); at += batch, batch = batch * 3 + 1) {
            const std::size_t n = std::min(batch, p.xs.size() - at);
            writer.Add(std::span(p.xs).subspan(at, n), std::span(p.ys).subspan(at, n));
        }
        writer.Finish();
    }

    static QImage Paint(TChart& chart, const char* canvasClass, double from, double to) {
        return ChartPicture(chart, canvasClass, from, to);
    }

    fs::path folder;
    std::string path;
};

TEST_F(ColumnFileTest, AMappedFileShowsThePictureOfThePointsInMemory) {
    const TPoints p = WalkOf(600'000);
    Write(p, path);
    const auto file = TMappedColumnFile::Open(path);
    EXPECT_EQ(file->Layout().PointCount, p.xs.size());
    EXPECT_EQ(file->Layout().Name, "walk");
    EXPECT_TRUE(file->Layout().XDateTime);
    EXPECT_EQ(fs::file_size(path), file->Layout().FileBytes());

    TChart inMemory;
    TLineSeries& own = inMemory.CreateSeries<TLineSeries>();
    own.SetParentChart(&inMemory);
    own.AppendPoints(p.xs, p.ys);
    TChart mapped;
    TLineSeries& shown = mapped.CreateSeries<TLineSeries>();
    shown.SetParentChart(&mapped);
    shown.ShowBorrowedPoints(file->Points());
    EXPECT_DOUBLE_EQ(shown.YValues().Highest(), own.YValues().Highest());
    EXPECT_DOUBLE_EQ(shown.YValues().Lowest(), own.YValues().Lowest());
    EXPECT_DOUBLE_EQ(shown.XValues().Lowest(), 45000);

    struct TView {
        const char* name;
        double from, to;
    };
    const double last = p.xs.back();
    for (const TView view : {TView{"full", 44999, last + 1}, TView{"zoomed", 45100.3, 45101.7},
                             TView{"past the end", 45500, last + 100}}) {
        for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
            const QImage a = Paint(inMemory, canvasClass, view.from, view.to);
            const QImage b = Paint(mapped, canvasClass, view.from, view.to);
            EXPECT_TRUE(a == b) << view.name << " on " << canvasClass;
        }
    }
    // Drawing read the file in place: nothing was copied in.
    EXPECT_TRUE(shown.BorrowedPointsShown());
}

// A file as version 1 wrote it: the same parts without the first X of each block.
void MakeVersion1(const std::string& path) {
    TColumnFileLayout layout = TMappedColumnFile::Open(path)->Layout();
    layout.FileVersion = 1;
    const auto header = layout.Header();
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.write(reinterpret_cast<const char*>(header.data()), header.size());
    file.close();
    fs::resize_file(path, layout.FileBytes());
}

TEST_F(ColumnFileTest, EachBlockOfXValuesStartsWithTheXTheFileListsForIt) {
    for (const std::size_t n : {0, 1, 511, 512, 513, 5000}) {
        const TPoints p = WalkOf(n);
        Write(p, path);
        const TBorrowedPoints points = TMappedColumnFile::Open(path)->Points();
        ASSERT_EQ(points.XBlockFirsts.size(), (n + 511) / 512) << n;
        EXPECT_EQ(points.XBlockValues, 512u);
        for (std::size_t j = 0; j < points.XBlockFirsts.size(); ++j)
            EXPECT_EQ(points.XBlockFirsts[j], p.xs[512 * j]) << n << " block " << j;
    }
}

TEST_F(ColumnFileTest, AVersion1FileShowsTheSamePicture) {
    const TPoints p = WalkOf(300'000);
    Write(p, path);
    const std::string old = (folder / "old.columns").string();
    Write(p, old);
    MakeVersion1(old);
    const auto file = TMappedColumnFile::Open(old);
    EXPECT_EQ(file->Layout().FileVersion, 1u);
    EXPECT_EQ(fs::file_size(old), file->Layout().FileBytes());
    EXPECT_TRUE(file->Points().XBlockFirsts.empty());

    TChart current;
    TLineSeries& shown = current.CreateSeries<TLineSeries>();
    shown.SetParentChart(&current);
    shown.ShowBorrowedPoints(TMappedColumnFile::Open(path)->Points());
    TChart version1;
    TLineSeries& oldShown = version1.CreateSeries<TLineSeries>();
    oldShown.SetParentChart(&version1);
    oldShown.ShowBorrowedPoints(file->Points());
    for (const double from : {44999.0, 45100.3, 45299.9}) {
        EXPECT_TRUE(Paint(current, "TChartCanvas3D", from, from + 1.4) ==
                    Paint(version1, "TChartCanvas3D", from, from + 1.4))
            << from;
    }
}

// Lends points in memory and hears what each frame drew of them.
class TListeningLender final : public TPointLender {
public:
    bool ReadyToDraw() override { return true; }
    void WillDraw(std::int32_t, std::int32_t) override {}
    void DidDraw(std::int32_t first, std::int32_t last,
                 std::span<const std::int32_t> columnStarts) override {
        drawn = {first, last};
        columns.assign(columnStarts.begin(), columnStarts.end());
    }
    std::pair<std::int32_t, std::int32_t> drawn{-1, -1};
    std::vector<std::int32_t> columns;
};

TEST_F(ColumnFileTest, TheLenderHearsThePixelColumnsAFrameDrewFrom) {
    const TPoints p = WalkOf(200'000);
    const auto lender = std::make_shared<TListeningLender>();
    TChart chart;
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.ShowBorrowedPoints(
        {p.xs, p.ys, {p.xs.front(), p.xs.back(), false}, {-1000, 1000, false}, {}, lender});
    struct TView {
        const char* name;
        double from, to;
        // Points a column at least and at most.
        double fewest, most;
    };
    for (const TView view : {TView{"hundreds of points a column", 44999, 45201, 300, 1000},
                             TView{"a point or two a column", 45100.3, 45100.9, 1, 3}}) {
        for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
            Paint(chart, canvasClass, view.from, view.to);
            const std::int32_t first = series.FirstShownIndex();
            const std::int32_t last = series.LastShownIndex();
            EXPECT_EQ(lender->drawn, std::make_pair(first, last)) << view.name;
            const std::vector<std::int32_t>& columns = lender->columns;
            ASSERT_GE(columns.size(), 2u) << view.name << " on " << canvasClass;
            EXPECT_EQ(columns.front(), first) << view.name;
            EXPECT_EQ(columns.back(), last + 1) << view.name << ": the last column's end";
            EXPECT_TRUE(std::adjacent_find(columns.begin(), columns.end(),
                                           std::greater_equal<>()) == columns.end())
                << view.name << ": each column after the one before";
            const double perColumn =
                static_cast<double>(last + 1 - first) / static_cast<double>(columns.size() - 1);
            EXPECT_GE(perColumn, view.fewest) << view.name;
            EXPECT_LE(perColumn, view.most) << view.name;
        }
    }
}

TEST_F(ColumnFileTest, ChangingAShownFileCopiesItInAndLeavesTheFile) {
    const TPoints p = WalkOf(5000);
    Write(p, path);
    const auto before = fs::file_size(path);
    TLineSeries series;
    series.ShowBorrowedPoints(TMappedColumnFile::Open(path)->Points());
    series.AddPoint(p.xs.back() + 1, 123.5);
    EXPECT_FALSE(series.BorrowedPointsShown());
    EXPECT_EQ(series.PointCount(), 5001);
    EXPECT_EQ(series.YValues().Last(), 123.5);
    EXPECT_EQ(series.YValues().Highest(), std::max(123.5, series.YValues().Highest()));
    EXPECT_EQ(fs::file_size(path), before);
    EXPECT_EQ(TMappedColumnFile::Open(path)->Layout().PointCount, 5000u);
}

// Byte surgery on a good file, one row per way of being refused.
struct RefusalCase {
    const char* name;
    void (*spoil)(std::string& bytes);
    const char* reason;
};

void PutAt(std::string& bytes, std::size_t at, std::uint32_t v) {
    std::memcpy(bytes.data() + at, &v, sizeof v);
}

// The header's checksum made right again after a change.
void Reseal(std::string& bytes) {
    const std::uint64_t sum = Fnv1a64(
        std::as_bytes(std::span(bytes.data(), TColumnFileLayout::HeaderBytes - 8)));
    std::memcpy(bytes.data() + TColumnFileLayout::HeaderBytes - 8, &sum, sizeof sum);
}

class ColumnFileRefusalTest : public ColumnFileTest,
                              public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ColumnFileRefusalTest, IsRefusedAtOpenWithItsReason) {
    Write(WalkOf(3000), path);
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    GetParam().spoil(bytes);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(),
                                                                  static_cast<long>(bytes.size()));
    try {
        TMappedColumnFile::Open(path);
        FAIL() << "opened";
    } catch (const ColumnFileError& e) {
        EXPECT_STREQ(e.what(), GetParam().reason);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColumnFileRefusalTest,
    ::testing::Values(
        RefusalCase{"Empty", [](std::string& b) { b.clear(); },
                    "truncated: 0 bytes, shorter than the header's 4096"},
        RefusalCase{"CutInTheHeader", [](std::string& b) { b.resize(100); },
                    "truncated: 100 bytes, shorter than the header's 4096"},
        RefusalCase{"CutInTheXBlocks", [](std::string& b) { b.resize(b.size() - 1); },
                    "truncated: 56495 of 56496 bytes"},
        // 3000 X values start 6 blocks, after the index's last level.
        RefusalCase{"CutBeforeTheXBlocks", [](std::string& b) { b.resize(b.size() - 6 * 8); },
                    "truncated: 56448 of 56496 bytes"},
        RefusalCase{"CutAfterTheHeader", [](std::string& b) { b.resize(4096); },
                    "truncated: 4096 of 56496 bytes"},
        RefusalCase{"NotAColumnFile", [](std::string& b) { b[0] = 'X'; }, "not a column file"},
        RefusalCase{"LaterVersion", [](std::string& b) { PutAt(b, 8, 3); },
                    "column file version 3, this program reads versions 1 to 2"},
        RefusalCase{"VersionZero", [](std::string& b) { PutAt(b, 8, 0); },
                    "column file version 0, this program reads versions 1 to 2"},
        RefusalCase{"XBlocksElsewhere",
                    [](std::string& b) {
                        PutAt(b, 420, 4096);
                        Reseal(b);
                    },
                    "the header's parts are not where its count puts them"},
        RefusalCase{"XBlocksOfAnotherSize",
                    [](std::string& b) {
                        PutAt(b, 428, 256);
                        Reseal(b);
                    },
                    "the header's parts are not where its count puts them"},
        RefusalCase{"ChangedCount", [](std::string& b) { PutAt(b, 16, 2999); },
                    "the header fails its checksum"},
        RefusalCase{"ChangedName", [](std::string& b) { b[176] ^= 1; },
                    "the header fails its checksum"},
        RefusalCase{"SpoiledChecksum", [](std::string& b) { b[4095] ^= 0x40; },
                    "the header fails its checksum"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColumnFileTest, OpeningAMissingFileSaysWhy) {
    EXPECT_THROW(
        {
            try {
                TMappedColumnFile::Open(path + ".absent");
            } catch (const ColumnFileError& e) {
                EXPECT_STREQ(e.what(), "No such file or directory");
                throw;
            }
        },
        ColumnFileError);
}

// Another program cuts the file while it is shown: the next paint finds it out before it
// reads, and a read that meets a cut page before any look reads zeros instead of crashing.
TEST_F(ColumnFileTest, AFileShortenedWhileShownIsLostWithoutACrash) {
    const TPoints p = WalkOf(200'000);
    Write(p, path);
    const auto file = TMappedColumnFile::Open(path);
    std::vector<std::string> heard;
    file->OnLost = [&](const std::string& reason) { heard.push_back(reason); };
    const TBorrowedPoints points = file->Points();
    const std::uint64_t whole = file->Layout().FileBytes();
    ASSERT_EQ(truncate(path.c_str(), 8192), 0);

    // Past the new end, straight from the mapping: the page is gone.
    volatile double cut = points.Ys[points.Ys.size() - 1];
    EXPECT_EQ(cut, 0.0);
    volatile double kept = points.Xs[0];
    EXPECT_EQ(kept, 45000.0);

    TChart chart;
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.ShowBorrowedPoints(points);
    const QImage picture = Paint(chart, "TChartCanvas3D", 44999, p.xs.back() + 1);
    EXPECT_EQ(series.FirstShownIndex(), -1) << "nothing was drawn";
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], "shortened to 8192 of " + std::to_string(whole) + " bytes while shown");
    EXPECT_EQ(file->Lost(), heard[0]);
    Paint(chart, "TChartCanvas3D", 44999, p.xs.back() + 1);
    EXPECT_EQ(heard.size(), 1u) << "said once";
}

TEST_F(ColumnFileTest, APageFoundCutWhileDrawingLosesTheFileAtTheNextLook) {
    Write(WalkOf(100'000), path);
    const auto file = TMappedColumnFile::Open(path);
    const TBorrowedPoints points = file->Points();
    ASSERT_TRUE(file->ReadyToDraw());
    ASSERT_EQ(truncate(path.c_str(), 8192), 0);
    volatile double cut = points.Ys[points.Ys.size() - 1];
    (void)cut;
    // The file grows back to its size, but what was read there were zeros.
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(file->Layout().FileBytes())), 0);
    EXPECT_FALSE(file->ReadyToDraw());
    EXPECT_EQ(file->Lost(), "a page could not be read while shown");
}

struct WriterRefusalCase {
    const char* name;
    TPoints points;
    const char* reason;
};

class ColumnFileWriterTest : public ColumnFileTest,
                             public ::testing::WithParamInterface<WriterRefusalCase> {};

TEST_P(ColumnFileWriterTest, RefusesAndLeavesNoFileBehind) {
    const WriterRefusalCase& c = GetParam();
    try {
        TColumnFileWriter writer(path, "bad", false);
        writer.Add(c.points.xs, c.points.ys);
        writer.Finish();
        FAIL() << "written";
    } catch (const ColumnFileError& e) {
        EXPECT_STREQ(e.what(), c.reason);
    }
    EXPECT_TRUE(fs::is_empty(folder)) << "no target, no temporary file";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColumnFileWriterTest,
    ::testing::Values(
        WriterRefusalCase{"XGoesBack", {{1, 2, 1.5}, {0, 0, 0}}, "point 3: X values must ascend"},
        WriterRefusalCase{"XNotANumber", {{1, std::nan("")}, {0, 0}},
                          "point 2: X values must ascend"},
        WriterRefusalCase{"LengthsDiffer", {{1, 2}, {0}}, "2 X values for 1 Y values"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColumnFileTest, AFinishedFileReplacesTheOldOneWhole) {
    Write(WalkOf(1000), path, "old");
    {
        TColumnFileWriter writer(path, "unfinished", false);
        writer.Add(WalkOf(2000).xs, WalkOf(2000).ys);
    }
    EXPECT_EQ(TMappedColumnFile::Open(path)->Layout().Name, "old");
    Write(WalkOf(2000), path, "new");
    EXPECT_EQ(TMappedColumnFile::Open(path)->Layout().Name, "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace twinscope
