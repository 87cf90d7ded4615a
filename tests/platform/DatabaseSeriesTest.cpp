// Series drawn from a table: the picture of the rows a frame asks for is the picture of all
// rows, the queries run off the thread that paints, and names and failures are refused and
// told.

#include <unistd.h>

#include <cmath>
#include <cstdlib>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include "tests/platform/ChartPicture.h"
#include "tests/platform/TestServer.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/DatabaseSeries.h"

namespace twinscope {
namespace {

namespace fs = std::filesystem;

struct TRows {
    std::vector<double> xs;
    std::vector<double> ys;
};

// A random walk of stretches of a few rows per pixel column and bursts of thousands, the last
// one up to the end.
TRows WalkOf(std::size_t n) {
    std::mt19937_64 random(n);
    std::normal_distribution<double> step(0, 1);
    TRows rows;
    double x = 45000;
    double walk = 0;
    for (std::size_t i = 0; i < n; ++i) {
        x += (i / 20000) % 2 == 1 ? 0.0005 : 0.05;
        walk += step(random);
        rows.xs.push_back(x);
        rows.ys.push_back(walk);
    }
    // The last pixel column ends on its highest value, reached once before and left for a
    // lower one in between: the line into the last row stops short of it, the column's span
    // reaches it.
    for (int j = 0; j < 100; ++j) {
        x += 1e-6;
        rows.xs.push_back(x);
        rows.ys.push_back(j == 97 || j == 99      ? walk + 10
                          : j % 2 == 0 || j == 98 ? walk
                                                  : walk - 10);
    }
    return rows;
}

QImage Paint(TChart& chart, const char* canvasClass, double from, double to) {
    // The legend lists the first points shown, which differ.
    chart.Legend().SetVisible(false);
    return ChartPicture(chart, canvasClass, from, to);
}

class DatabaseSeriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("twinscope-database-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        path = (folder / "readings.db").string();
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "writer");
        db.setDatabaseName(QString::fromStdString(path));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("CREATE TABLE readings (ts REAL, temp REAL, station TEXT)"));
        ASSERT_TRUE(query.exec("CREATE INDEX readings_ts ON readings (ts)"));
    }
    void TearDown() override {
        QSqlDatabase::removeDatabase("writer");
        fs::remove_all(folder);
    }

    void Insert(const TRows& rows) {
        QSqlDatabase db = QSqlDatabase::database("writer");
        db.transaction();
        QSqlQuery query(db);
        query.prepare("INSERT INTO readings (ts, temp, station) VALUES (?, ?, 'USW00094728')");
        for (std::size_t i = 0; i < rows.xs.size(); ++i) {
            query.bindValue(0, rows.xs[i]);
            query.bindValue(1, rows.ys[i]);
            query.exec();
        }
        // A row without a value is left out by both.
        query.exec("INSERT INTO readings (ts, temp) VALUES (45000.1, NULL)");
        db.commit();
    }

    TDatabaseSource Source() const {
        return {.Driver = "QSQLITE", .Database = path, .Table = "readings", .X = "ts", .Y = "temp"};
    }

    fs::path folder;
    std::string path;
};

struct TView {
    const char* name;
    double from, to;
    // The bottom axis runs from its maximum on the left.
    bool inverted = false;
};

// Draws the rows in memory and from the source over each view, on both canvases, and expects
// the same pixels from a few rows per pixel column.
void ExpectThePictureOfAllRows(const TRows& rows, const TDatabaseSource& source,
                               std::initializer_list<TView> views) {
    TChart inMemory;
    TLineSeries& own = inMemory.CreateSeries<TLineSeries>();
    own.SetParentChart(&inMemory);
    own.AppendPoints(rows.xs, rows.ys);
    TChart drawn;
    TLineSeries& shown = drawn.CreateSeries<TLineSeries>();
    shown.SetParentChart(&drawn);
    const auto database = TDatabaseSeries::Show(shown, source);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !database->Waiting(); }, 60000));
    ASSERT_FALSE(database->Failure()) << *database->Failure();
    // Automatic ranges are the table's.
    EXPECT_DOUBLE_EQ(shown.YValues().Highest(), own.YValues().Highest());
    EXPECT_DOUBLE_EQ(shown.XValues().Lowest(), rows.xs.front());
    EXPECT_DOUBLE_EQ(shown.XValues().Highest(), rows.xs.back());

    for (const TView view : views) {
        inMemory.BottomAxis().SetInverted(view.inverted);
        drawn.BottomAxis().SetInverted(view.inverted);
        for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
            // A view moved past before its answer came: only the last one is drawn.
            Paint(drawn, canvasClass, view.from - 50, view.to + 50);
            Paint(drawn, canvasClass, view.from, view.to);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !database->Waiting(); }, 60000));
            const QImage a = Paint(inMemory, canvasClass, view.from, view.to);
            const QImage b = Paint(drawn, canvasClass, view.from, view.to);
            EXPECT_TRUE(a == b) << view.name << " on " << canvasClass;
            // The frame asked for a few rows per pixel column, not for all.
            EXPECT_LT(shown.PointCount(), 5 * 420 + 8) << view.name;
            EXPECT_FALSE(database->Waiting());
        }
    }
}

// Builds the summary of the source's table, which its frames then read.
void BuildSummary(const TDatabaseSource& source) {
    EXPECT_GT(TDatabaseQueries(source, true).BuildSummary(), 0);
    EXPECT_TRUE(TDatabaseQueries(source).UsesSummary());
}

TEST_F(DatabaseSeriesTest, TheRowsAFrameAsksForDrawThePictureOfAllRows) {
    const TRows rows = WalkOf(200'000);
    Insert(rows);
    const double last = rows.xs.back();
    const std::initializer_list<TView> views{
        TView{"full", 44999, last + 1}, TView{"zoomed", 45020.3, 45021.7},
        TView{"sparse", 45500, 45700}, TView{"past the end", last - 7, last + 3}};
    ExpectThePictureOfAllRows(rows, Source(), views);
    BuildSummary(Source());
    ExpectThePictureOfAllRows(rows, Source(), views);

    // A row added past the summary's last one leaves the summary behind: the rows draw.
    QSqlQuery add(QSqlDatabase::database("writer"));
    ASSERT_TRUE(add.exec(
        QString("INSERT INTO readings (ts, temp) VALUES (%1, 3)").arg(last + 1, 0, 'f', 6)));
    EXPECT_FALSE(TDatabaseQueries(Source()).UsesSummary());
}

// Blocks that cross a column's edge are passed over only when they cannot change its extremes:
// a spike or dip in one, or a value equal to the column's extreme at an earlier X, draws.
TEST_F(DatabaseSeriesTest, TheSummaryDrawsTheExtremesOfBlocksAtAColumnsEdge) {
    struct TCase {
        const char* name;
        double (*value)(std::size_t i);
    };
    for (const TCase& row : {
             // A block's highest row lies in one column, the highest row of its part in the
             // next a few rows on.
             TCase{"spikes and dips in pairs",
                   [](std::size_t i) {
                       const double height = 20.0 + double((i / 89 * 7919) % 31);
                       return i % 89 == 0   ? height
                              : i % 89 == 5 ? height - 3
                              : i % 61 == 0 ? -height
                              : i % 61 == 4 ? 2 - height
                                            : std::sin(i * 0.1);
                   }},
             TCase{"equal highs and lows",
                   [](std::size_t i) { return i % 331 == 0 ? 10.0 : double(i % 7); }},
             TCase{"flat steps", [](std::size_t i) { return double(i / 5000); }},
         }) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(QSqlQuery(QSqlDatabase::database("writer")).exec("DELETE FROM readings"));
        TRows rows;
        for (std::size_t i = 0; i < 100'000; ++i) {
            rows.xs.push_back(45000 + i * 0.01);
            rows.ys.push_back(row.value(i));
        }
        Insert(rows);
        const std::initializer_list<TView> views{TView{"full", 44999, 46001},
                                                 TView{"a tenth", 45300, 45400},
                                                 TView{"a tenth, inverted", 45300, 45400, true},
                                                 TView{"a few rows per column", 45500, 45510}};
        BuildSummary(Source());
        ExpectThePictureOfAllRows(rows, Source(), views);
        // A server answers with the rows packed as bytes, read back as the same doubles.
        if (!testing::TestServerSocket()) continue;
        const TDatabaseSource server{.Driver = "QPSQL",
                                     .Database = "postgres",
                                     .Host = testing::TestServerSocket(),
                                     .User = "postgres",
                                     .Table = "twinscope_edges",
                                     .X = "ts",
                                     .Y = "temp"};
        {
            const testing::TTestServer maker("edges");
            maker.Exec("DROP TABLE IF EXISTS twinscope_edges");
            maker.Exec("CREATE TABLE twinscope_edges (ts double precision, temp double precision)");
            std::string xs = "{", ys = "{";
            for (std::size_t i = 0; i < rows.xs.size(); ++i) {
                xs += (i ? "," : "") + QString::number(rows.xs[i], 'g', 17).toStdString();
                ys += (i ? "," : "") + QString::number(rows.ys[i], 'g', 17).toStdString();
            }
            maker.Exec("INSERT INTO twinscope_edges SELECT unnest('" + xs +
                       "}'::float8[]), unnest('" + ys + "}'::float8[])");
            maker.Exec("CREATE INDEX ON twinscope_edges (ts)");
        }
        BuildSummary(server);
        ExpectThePictureOfAllRows(rows, server, views);
    }
}

// A summary whose levels are not the ones frames read (one made before they changed) is left
// alone: the rows draw until it is built again.
TEST_F(DatabaseSeriesTest, ASummaryOfOtherLevelsIsNotRead) {
    Insert(WalkOf(100'000));
    BuildSummary(Source());
    ASSERT_TRUE(QSqlQuery(QSqlDatabase::database("writer"))
                    .exec("DELETE FROM readings__m4_ts_temp WHERE k = 6"));
    EXPECT_FALSE(TDatabaseQueries(Source()).UsesSummary());
    BuildSummary(Source());
}

// A million rows on a PostgreSQL server, whose Unix socket lies in the folder that
// TWINSCOPE_TEST_POSTGRES names (scripts/test.sh starts one).
TEST(DatabaseSeriesServerTest, AMillionRowsOnAServerDrawThePictureOfAllRows) {
    const char* socket = std::getenv("TWINSCOPE_TEST_POSTGRES");
    if (!socket || !*socket)
        GTEST_SKIP() << "TWINSCOPE_TEST_POSTGRES names no PostgreSQL socket folder";
    const TDatabaseSource source{.Driver = "QPSQL",
                                 .Database = "postgres",
                                 .Host = socket,
                                 .User = "postgres",
                                 .Table = "twinscope_readings",
                                 .X = "ts",
                                 .Y = "temp"};
    TRows rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "server");
        db.setHostName(socket);
        db.setUserName("postgres");
        db.setDatabaseName("postgres");
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("DROP TABLE IF EXISTS twinscope_readings"));
        ASSERT_TRUE(query.exec(
            "CREATE TABLE twinscope_readings (ts double precision, temp double precision)"));
        // Bursts of rows a pixel column apart from stretches of few, a wave with noise on it.
        ASSERT_TRUE(query.exec(
            "INSERT INTO twinscope_readings SELECT 45000 + i * 0.0001 + (i / 100000) * 20, "
            "50 * sin(i / 5000.0) + 10 * sin(i * 0.37) + ((i::bigint * 7919) % 101) / 10.0 "
            "FROM generate_series(0, 999999) AS i"));
        ASSERT_TRUE(query.exec("CREATE INDEX ON twinscope_readings (ts)"));
        ASSERT_TRUE(query.exec("ANALYZE twinscope_readings"));
        query.setForwardOnly(true);
        ASSERT_TRUE(query.exec("SELECT ts, temp FROM twinscope_readings ORDER BY ts"));
        while (query.next()) {
            rows.xs.push_back(query.value(0).toDouble());
            rows.ys.push_back(query.value(1).toDouble());
        }
    }
    QSqlDatabase::removeDatabase("server");
    ASSERT_EQ(rows.xs.size(), 1'000'000u);
    const double last = rows.xs.back();
    const std::initializer_list<TView> views{
        TView{"full", 44999, last + 1}, TView{"zoomed", 45061.3, 45061.35},
        TView{"a gap", 45005, 45035}, TView{"past the end", last - 7, last + 3},
        TView{"a burst's edge", 45008.9, 45030.1}};
    ExpectThePictureOfAllRows(rows, source, views);
    BuildSummary(source);
    ExpectThePictureOfAllRows(rows, source, views);
}

TEST_F(DatabaseSeriesTest, NamesAreQuotedByTheDriverOrRefused) {
    QSqlDatabase db = QSqlDatabase::database("writer");
    struct TName {
        const char* name;
        bool table;
        const char* quoted;
        const char* refusal;
    };
    for (const TName& row : {
             TName{"readings", true, "\"readings\"", nullptr},
             TName{"main.readings", true, "\"main\".\"readings\"", nullptr},
             TName{"max temp", false, "\"max temp\"", nullptr},
             TName{"ts\"; DROP TABLE readings; --", false, nullptr, "holds a quote"},
             TName{"readings; DROP TABLE readings", true, nullptr, "holds a semicolon"},
             TName{"ts--", false, nullptr, "holds a comment"},
             TName{"ts/**/", false, nullptr, "holds a comment"},
             TName{"it's", false, nullptr, "holds a quote"},
             TName{"ts\n", false, nullptr, "holds a control character"},
             TName{"readings.ts", false, nullptr, "holds a dot"},
             TName{"", true, nullptr, "is empty"},
             TName{"t\x8c\x9e", false, nullptr, "is not UTF-8 text"},
             TName{"höhe", false, "\"höhe\"", nullptr},
         }) {
        if (row.quoted) {
            EXPECT_EQ(QuotedDatabaseName(*db.driver(), row.name, row.table), row.quoted);
            continue;
        }
        try {
            QuotedDatabaseName(*db.driver(), row.name, row.table);
            ADD_FAILURE() << row.name << " was not refused";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.what(), std::string(row.table ? "the table name '" : "the column name '") +
                                    row.name + "' " + row.refusal);
        }
    }
}

TEST_F(DatabaseSeriesTest, FailuresAreToldAndThePictureStays) {
    const TRows rows = WalkOf(1000);
    Insert(rows);
    struct TFault {
        const char* name;
        TDatabaseSource source;
        std::string reason;
    };
    TDatabaseSource noFile = Source();
    noFile.Database = (folder / "missing.db").string();
    TDatabaseSource noTable = Source();
    noTable.Table = "reading";
    TDatabaseSource noColumn = Source();
    noColumn.Y = "tmax";
    TDatabaseSource text = Source();
    text.Y = "station";
    TDatabaseSource injected = Source();
    injected.Table = "readings; DROP TABLE readings";
    TDatabaseSource noDriver = Source();
    noDriver.Driver = "QNOSUCH";
    for (const TFault& fault : {
             TFault{"no file", noFile, "unable to open database file Error opening database"},
             TFault{"no table", noTable, "no table 'reading'"},
             TFault{"no column", noColumn, "no column 'tmax' in 'readings'"},
             TFault{"text", text, "the column 'station' holds text, not numbers"},
             TFault{"injected", injected,
                    "the table name 'readings; DROP TABLE readings' holds a semicolon"},
             TFault{"no driver", noDriver, "no Qt SQL driver QNOSUCH is installed"},
         }) {
        TChart chart;
        TLineSeries& shown = chart.CreateSeries<TLineSeries>();
        shown.SetParentChart(&chart);
        std::vector<std::string> told;
        const auto database = TDatabaseSeries::Show(shown, fault.source);
        database->OnFailure = [&](const std::string& reason) { told.push_back(reason); };
        ASSERT_TRUE(QTest::qWaitFor([&] { return !database->Waiting(); })) << fault.name;
        EXPECT_EQ(told, std::vector<std::string>{fault.reason}) << fault.name;
        EXPECT_EQ(shown.PointCount(), 0) << fault.name;
    }
    QSqlQuery count(QSqlDatabase::database("writer"));
    ASSERT_TRUE(count.exec("SELECT COUNT(*) FROM readings") && count.next());
    EXPECT_EQ(count.value(0).toInt(), static_cast<int>(rows.xs.size()) + 1);

    // A table gone while it is shown: said once, and the picture stays.
    TChart chart;
    TLineSeries& shown = chart.CreateSeries<TLineSeries>();
    shown.SetParentChart(&chart);
    const auto database = TDatabaseSeries::Show(shown, Source());
    std::vector<std::string> told;
    database->OnFailure = [&](const std::string& reason) { told.push_back(reason); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !database->Waiting(); }));
    Paint(chart, "TChartCanvas3D", 45001, 45003);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !database->Waiting(); }));
    const QImage drawn = Paint(chart, "TChartCanvas3D", 45001, 45003);
    ASSERT_TRUE(count.exec("DROP TABLE readings"));
    for (int pan = 0; pan < 2; ++pan) {
        Paint(chart, "TChartCanvas3D", 45002 + pan, 45004 + pan);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !database->Waiting(); }));
    }
    ASSERT_EQ(told.size(), 1u) << ::testing::PrintToString(told);
    EXPECT_TRUE(told[0].starts_with("no such table: readings")) << told[0];
    ASSERT_TRUE(database->Failure());
    EXPECT_TRUE(database->Failure()->starts_with("no such table: readings"));
    EXPECT_TRUE(Paint(chart, "TChartCanvas3D", 45001, 45003) == drawn);
}

namespace server {

using testing::TTestServer;

// A line shown from a source on the test's server, with what it was told.
struct TShown {
    explicit TShown(const TDatabaseSource& source) {
        line.SetParentChart(&chart);
        database = TDatabaseSeries::Show(line, source);
        database->OnFailure = [this](const std::string& reason) { told.push_back(reason); };
    }
    bool Settles(int ms = 5000) const {
        return QTest::qWaitFor([&] { return !database->Waiting(); }, ms);
    }
    TChart chart;
    TLineSeries& line = chart.CreateSeries<TLineSeries>();
    std::shared_ptr<TDatabaseSeries> database;
    std::vector<std::string> told;
};

TEST(DatabaseSeriesServerTest, AServerThatCannotBeReachedOrRefusesTheLoginIsToldAtOnce) {
    if (!testing::TestServerSocket()) GTEST_SKIP() << "TWINSCOPE_TEST_POSTGRES names no server";
    const fs::path empty =
        fs::temp_directory_path() / ("twinscope-no-server-" + std::to_string(getpid()));
    fs::create_directories(empty);
    TDatabaseSource noSocket = TTestServer::Source("twinscope_readings");
    noSocket.Host = empty.string();
    TDatabaseSource noPort = TTestServer::Source("twinscope_readings");
    noPort.Host = "127.0.0.1";
    // A port below 1024 that no server of this machine opens.
    noPort.Port = 9;
    struct TFault {
        const char* name;
        TDatabaseSource source;
        const char* reason;
    };
    for (const TFault& fault : {
             TFault{"no server on the socket", noSocket, "No such file or directory"},
             TFault{"no server on the port", noPort, "Connection refused"},
             TFault{"an unknown login",
                    TTestServer::Source("twinscope_readings", "twinscope_nobody"),
                    "role \"twinscope_nobody\" does not exist"},
         }) {
        TShown shown(fault.source);
        ASSERT_TRUE(shown.Settles()) << fault.name;
        ASSERT_EQ(shown.told.size(), 1u) << fault.name;
        EXPECT_NE(shown.told[0].find(fault.reason), std::string::npos) << shown.told[0];
        EXPECT_EQ(shown.line.PointCount(), 0) << fault.name;
    }
    fs::remove_all(empty);
}

// The server ends the session of a query under way, as when it stops: the picture stays, the
// failure is told once, and the next frame connects anew.
TEST(DatabaseSeriesServerTest, AQueryWhoseSessionEndsIsToldAndTheNextFrameConnectsAnew) {
    if (!testing::TestServerSocket()) GTEST_SKIP() << "TWINSCOPE_TEST_POSTGRES names no server";
    const TTestServer server("ending");
    server.MakeStallingTable("twinscope_ending", 3000);
    TShown shown(TTestServer::Source("twinscope_ending_slow"));
    ASSERT_TRUE(shown.Settles());
    ASSERT_TRUE(shown.told.empty()) << shown.told[0];
    Paint(shown.chart, "TChartCanvas3D", 45001, 45011);
    ASSERT_TRUE(shown.Settles());
    const QImage drawn = Paint(shown.chart, "TChartCanvas3D", 45001, 45011);

    server.SetPace("twinscope_ending", 60);
    Paint(shown.chart, "TChartCanvas3D", 45002, 45012);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Sleeping("twinscope_ending") > 0; }, 10000));
    server.EndSleepingSessions("twinscope_ending");
    ASSERT_TRUE(shown.Settles());
    ASSERT_EQ(shown.told.size(), 1u);
    EXPECT_NE(shown.told[0].find("terminating connection due to administrator command"),
              std::string::npos)
        << shown.told[0];
    EXPECT_TRUE(Paint(shown.chart, "TChartCanvas3D", 45001, 45011) == drawn);

    server.SetPace("twinscope_ending", 0);
    ASSERT_TRUE(shown.Settles());
    Paint(shown.chart, "TChartCanvas3D", 45003, 45013);
    ASSERT_TRUE(shown.Settles());
    EXPECT_EQ(shown.told.size(), 1u);
    EXPECT_FALSE(Paint(shown.chart, "TChartCanvas3D", 45003, 45013) == drawn);
    server.Exec("DROP VIEW twinscope_ending_slow");
}

// A query that stalls on the server is cancelled there when the view moves on, and when the
// series goes: neither waits for it.
TEST(DatabaseSeriesServerTest, AQueryTheViewMovedPastIsCancelledOnTheServer) {
    if (!testing::TestServerSocket()) GTEST_SKIP() << "TWINSCOPE_TEST_POSTGRES names no server";
    const TTestServer server("cancelling");
    server.MakeStallingTable("twinscope_cancelling", 3000);
    for (const bool moved : {true, false}) {
        auto shown = std::make_unique<TShown>(TTestServer::Source("twinscope_cancelling_slow"));
        ASSERT_TRUE(shown->Settles());
        server.SetPace("twinscope_cancelling", 60);
        Paint(shown->chart, "TChartCanvas3D", 45001, 45011);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return server.Sleeping("twinscope_cancelling") > 0; }, 10000));
        server.SetPace("twinscope_cancelling", 0);
        QElapsedTimer waited;
        waited.start();
        if (moved) {
            Paint(shown->chart, "TChartCanvas3D", 45005, 45015);
            ASSERT_TRUE(shown->Settles(10000));
            EXPECT_TRUE(shown->told.empty()) << shown->told[0];
            EXPECT_GT(shown->line.PointCount(), 0);
        } else {
            shown.reset();
        }
        EXPECT_LT(waited.elapsed(), 10000) << (moved ? "moved" : "gone");
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return server.Sleeping("twinscope_cancelling") == 0; }, 5000));
    }
    server.Exec("DROP VIEW twinscope_cancelling_slow");
}

}  // namespace server

}  // namespace
}  // namespace twinscope
