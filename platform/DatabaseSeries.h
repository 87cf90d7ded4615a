#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/series/BorrowedPoints.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/series/PointLender.h"
#include "twinscope/chart/series/ValueSpread.h"
#include "twinscope/runtime/Exceptions.h"

class QObject;
class QSqlDriver;
class QThread;

namespace twinscope {

// A database that cannot be read, a name refused, a table or column it lacks or one holding
// text; the reason alone, without the address.
class DatabaseError : public RuntimeError {
public:
    explicit DatabaseError(const std::string& reason) : RuntimeError(reason) {}
};

// Where a series' points lie: a table of a database reached through one of Qt's SQL drivers
// ("QSQLITE", "QPSQL", "QODBC"), its X column ascending and a value column. A password is
// never given here: the driver finds it by its own means (PGPASSWORD, ~/.pgpass).
struct TDatabaseSource {
    std::string Driver;
    // The file of a SQLite database, the database's name on a server.
    std::string Database;
    std::string Host;
    int Port = -1;
    std::string User;
    std::string Table;
    std::string X;
    std::string Y;
    // How the source was named, for messages.
    std::string Address;
};

// A table or column name as the driver quotes identifiers. A name holding a quote, a
// semicolon, a comment, a control character, or (for a column) a dot, or an empty one, is
// refused with DatabaseError: a name is never pasted into a query as given.
std::string QuotedDatabaseName(const QSqlDriver& driver, const std::string& name, bool table);

// The points a frame draws: for every pixel column of the shown X range its first and second,
// last, lowest and highest row (the lowest and highest of the first X among equal values),
// the rows just before and after the range, in X order.
struct TDatabasePoints {
    std::vector<double> Xs;
    std::vector<double> Ys;
};

// The queries of one connection, made and used on one thread. The connection is opened and
// the table and its two columns checked on construction (DatabaseError otherwise).
class TDatabaseQueries {
public:
    explicit TDatabaseQueries(const TDatabaseSource& source);
    ~TDatabaseQueries();
    TDatabaseQueries(const TDatabaseQueries&) = delete;
    TDatabaseQueries& operator=(const TDatabaseQueries&) = delete;

    struct TExtremes {
        TValueSpread X;
        TValueSpread Y;
        std::int64_t Rows = 0;
    };
    // The lowest and highest X and Y of the rows holding both, in one query.
    TExtremes Extremes();
    // The rows whose line through a linear X map draws, by pixel columns, the picture of all
    // rows: one query over the columns of the map's pixels (and a few beyond each end). Where
    // the rows end within them, the last column is drawn from the rows before the run of its
    // last pixel row on `y`, which two more small queries find. Another X map gets every row
    // of its range.
    TDatabasePoints Reduce(const TScaleMap& x, const TScaleMap& y);

private:
    std::optional<std::pair<double, double>> Row(const std::string& text,
                                                 const std::vector<double>& values);
    void RefineLastColumn(TDatabasePoints& points, const TScaleMap& x, const TScaleMap& y);

    std::string connection_;
    std::string table_;
    std::string x_;
    std::string y_;
};

// A series shown from a database. Every frame whose view differs from the last one asked for
// sends its query to a thread of its own with its own connection; the series keeps drawing
// the points it has until the answer comes. An answer for a view that was moved past is
// dropped, and a query not yet begun for one is never run. Automatic ranges are the table's
// extremes. A failure is told to OnFailure when the queries begin to fail (not again until
// one has answered), and the series keeps its picture.
class TDatabaseSeries final : public TPointLender,
                              public std::enable_shared_from_this<TDatabaseSeries> {
public:
    // Begins to open the source on the worker thread; the series gets its first points when
    // the table's extremes are known. The series must outlive this object's use by it.
    static std::shared_ptr<TDatabaseSeries> Show(TChartSeries& series, TDatabaseSource source);
    ~TDatabaseSeries() override;
    TDatabaseSeries(const TDatabaseSeries&) = delete;
    TDatabaseSeries& operator=(const TDatabaseSeries&) = delete;

    const TDatabaseSource& Source() const { return source_; }
    std::function<void(const std::string& reason)> OnFailure;
    // Told each time an answer is shown.
    std::function<void()> OnAnswer;
    // Whether a query was sent whose answer has not come.
    bool Waiting() const { return asked_ != answered_; }
    const std::optional<std::string>& Failure() const { return failure_; }

    bool ReadyToDraw() override;
    void WillDraw(std::int32_t, std::int32_t) override {}

private:
    TDatabaseSeries(TChartSeries& series, TDatabaseSource source);
    void Ask(const TScaleMap& x, const TScaleMap& y);
    void Answer(std::uint64_t generation, std::shared_ptr<TDatabasePoints> points);
    void Fail(std::uint64_t generation, const std::string& reason);

    struct TWorker;
    TChartSeries& series_;
    TDatabaseSource source_;
    std::unique_ptr<QThread> thread_;
    std::unique_ptr<QObject> receiver_;
    std::shared_ptr<TWorker> worker_;
    std::optional<TDatabaseQueries::TExtremes> extremes_;
    std::shared_ptr<TDatabasePoints> shown_;
    std::optional<TScaleMap> askedX_;
    std::optional<TScaleMap> askedY_;
    std::uint64_t asked_ = 0;
    std::uint64_t answered_ = 0;
    std::optional<std::string> failure_;
    bool failing_ = false;
};

}  // namespace twinscope
