#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/series/BorrowedPoints.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/series/PointLender.h"
#include "twinscope/chart/series/ValueSpread.h"
#include "twinscope/runtime/Exceptions.h"

class QObject;
class QSqlQuery;
class QSqlDriver;
class QThread;
class QVariant;

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
// the table and its two columns checked on construction (DatabaseError otherwise). A
// connection opened for writing may build the table's summary; one opened for reading never
// changes the database.
class TDatabaseQueries {
public:
    explicit TDatabaseQueries(const TDatabaseSource& source, bool writable = false);
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
    //
    // With the table's summary at hand (BuildSummary) a linear X map reads the blocks of the
    // coarsest level with a few per pixel column, and below them only the blocks that cross a
    // column's edge and may change its extremes; of the others the rows on either side of the
    // edge: a frame costs some thousands of rows however many the view shows, and draws the
    // same picture.
    TDatabasePoints Reduce(const TScaleMap& x, const TScaleMap& y);

    // Makes (anew) the table's summary: a table named "<table>__m4_<x>_<y>" holding, for the
    // rows in X order in blocks of 16, 64, 256, ... rows up to a level of at most 1024
    // blocks, each block's first, second, last, lowest and highest row, indexed by level and
    // first X. It is one pass over
    // the rows in X order, written in one transaction, on a connection opened for writing.
    // The summary is used while the table's lowest and highest X are still the summary's:
    // rows changed, added or removed within the range need the summary built again. Returns
    // the number of blocks written.
    std::int64_t BuildSummary();
    // Whether the frames' queries read the table's summary, and the frames from then on
    // reading the rows alone (to compare the two).
    bool UsesSummary() const { return summary_.has_value(); }
    void IgnoreSummary() { summary_.reset(); }

    // The driver's handle of the connection (for a cancel request) and the name of its driver.
    QSqlDriver& Driver() const;

    // Runs the statement with the values bound in order; DatabaseError when it cannot. A frame
    // runs statements of a few texts many times: each is prepared once on the connection and
    // kept, so that the server parses it once, and its rows come in one answer (their statements
    // ask for a few thousand at most).
    QSqlQuery& Run(const std::string& text, const std::vector<double>& values);
    // The same with values of any kind, such as a list of numbers bound as one array.
    QSqlQuery& RunBound(const std::string& text, const std::vector<QVariant>& values);

private:
    struct TSummary {
        std::string Table;
        // The levels' block sizes as powers of two, finest first.
        std::vector<int> Levels;
        std::int64_t Rows = 0;
        TValueSpread X;
        TValueSpread Y;
    };
    std::optional<std::pair<double, double>> Row(const std::string& text,
                                                 const std::vector<double>& values);
    void RefineLastColumn(TDatabasePoints& points, const TScaleMap& x, const TScaleMap& y);
    TDatabasePoints ReduceFromSummary(const TScaleMap& x);
    TExtremes TableExtremes();
    // The row before the X range of two bound values and the row after it.
    std::string OutsideRowsText() const;
    std::optional<TSummary> FreshSummary(const std::string& name);

    std::string connection_;
    std::string table_;
    std::string x_;
    std::string y_;
    std::string summaryName_;
    // The name of the index of the summary by level and first X, and the table it is on.
    std::string summaryIndexName_;
    std::optional<TSummary> summary_;
    std::unordered_map<std::string, std::unique_ptr<QSqlQuery>> prepared_;
};

// A series shown from a database. Every frame whose view differs from the last one asked for
// sends its query to a thread of its own with its own connection; the series keeps drawing
// the points it has until the answer comes. An answer for a view that was moved past is
// dropped, and a query not yet begun for one is never run. Automatic ranges are the table's
// extremes. A failure is told to OnFailure when the queries begin to fail (not again until
// one has answered), the series keeps its picture, and the next query connects anew (a
// source that fails before its first answer is not asked again). On
// PostgreSQL a query that the view moved past is cancelled on the server, and so is the one
// running when the series goes, which then does not wait for it.
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
    // The failure told last.
    const std::optional<std::string>& Failure() const { return failure_; }

    bool ReadyToDraw() override;
    void WillDraw(std::int32_t, std::int32_t) override {}

private:
    TDatabaseSeries(TChartSeries& series, TDatabaseSource source);
    // A query run on the worker's connection, and what the series is told of its answer.
    using TQuery = std::function<std::function<void()>(TDatabaseQueries&)>;
    void Send(std::uint64_t generation, TQuery query);
    void AskForExtremes();
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
