// Frames of a table drawn by a PostgreSQL server (scripts/database-bench.sh starts one and names
// the folder of its socket in TWINSCOPE_BENCH_POSTGRES): the query of the full view, and of a
// pan over a tenth of the rows moved on by a hundredth of that each frame, for each count of
// rows in TWINSCOPE_BENCH_ROWS (apart by colons), from the rows and from the table's summary.
// A table of each count is made once, indexed on X, and kept in the cluster, and so is its
// summary (the time it took is a counter of the first summary benchmark).

#include <benchmark/benchmark.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "twinscope/platform/DatabaseSeries.h"

namespace twinscope::bench {
namespace {

constexpr std::int32_t FrameWidth = 1000;
constexpr std::int32_t FrameHeight = 500;

std::string Table(std::int64_t rows) {
    return "bench_walk_" + std::to_string(rows);
}

TDatabaseSource Source(const char* socket, std::int64_t rows) {
    return {.Driver = "QPSQL",
            .Database = "postgres",
            .Host = socket,
            .User = "postgres",
            .Table = Table(rows),
            .X = "ts",
            .Y = "temp"};
}

// Makes the table of `rows` rows unless it is there; false when the server refuses.
bool MakeTable(const char* socket, std::int64_t rows, std::string& reason) {
    bool made = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "bench-maker");
        db.setHostName(socket);
        db.setUserName("postgres");
        db.setDatabaseName("postgres");
        if (db.open()) {
            QSqlQuery query(db);
            const QString table = QString::fromStdString(Table(rows));
            made = db.tables().contains(table) ||
                   (query.exec("CREATE TABLE " + table +
                               " (ts double precision, temp double precision)") &&
                    query.exec("INSERT INTO " + table +
                               " SELECT 45000 + i * 0.0001, 50 * sin(i / 5000.0) + "
                               "10 * sin(i * 0.37) + ((i * 7919) % 101) / 10.0 "
                               "FROM generate_series(0::bigint, " +
                               QString::number(rows - 1) + ") AS i") &&
                    query.exec("CREATE INDEX ON " + table + " (ts)") &&
                    query.exec("ANALYZE " + table));
            if (!made) reason = query.lastError().text().toStdString();
        } else {
            reason = db.lastError().text().toStdString();
        }
    }
    QSqlDatabase::removeDatabase("bench-maker");
    return made;
}

// Makes the table's summary unless it is there, and says how long that took.
void MakeSummary(benchmark::State& state, const TDatabaseSource& source) {
    if (TDatabaseQueries(source).UsesSummary()) return;
    const auto start = std::chrono::steady_clock::now();
    state.counters["blocks"] = static_cast<double>(TDatabaseQueries(source, true).BuildSummary());
    state.counters["summary made s"] =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Frames(benchmark::State& state, bool pan, bool summary) {
    const char* socket = std::getenv("TWINSCOPE_BENCH_POSTGRES");
    const std::int64_t rows = state.range(0);
    std::string reason;
    if (!MakeTable(socket, rows, reason)) {
        state.SkipWithError(reason.c_str());
        return;
    }
    if (summary) MakeSummary(state, Source(socket, rows));
    TDatabaseQueries queries(Source(socket, rows));
    if (!summary) queries.IgnoreSummary();
    const TDatabaseQueries::TExtremes e = queries.Extremes();
    const double span = e.X.high - e.X.low;
    const TScaleMap y({e.Y.low, e.Y.high}, {0, FrameHeight}, {false, false});
    double from = e.X.low;
    std::size_t received = 0;
    for (auto _ : state) {
        const double width = pan ? span / 10 : span;
        const TScaleMap x({from, from + width}, {0, FrameWidth}, {true, false});
        received = queries.Reduce(x, y).Xs.size();
        if (pan) from = from + width / 100 > e.X.high - width ? e.X.low : from + width / 100;
    }
    state.counters["rows received"] = static_cast<double>(received);
}

const bool registered = [] {
    const char* socket = std::getenv("TWINSCOPE_BENCH_POSTGRES");
    const char* counts = std::getenv("TWINSCOPE_BENCH_ROWS");
    if (!socket || !*socket) return false;
    std::stringstream list(counts && *counts ? counts : "10000000");
    for (std::string count; std::getline(list, count, ':');) {
        const std::int64_t rows = std::stoll(count);
        for (const bool summary : {false, true}) {
            for (const bool pan : {false, true}) {
                const std::string name = std::string("BM_Database/") + (pan ? "pan" : "full") +
                                         (summary ? "/summary" : "/rows");
                benchmark::RegisterBenchmark(name.c_str(), Frames, pan, summary)
                    ->Arg(rows)
                    ->Unit(benchmark::kMillisecond)
                    // A frame from the rows of 1e8 takes minutes.
                    ->Iterations(summary ? (pan ? 20 : 10) : (pan ? 5 : 2));
            }
        }
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
