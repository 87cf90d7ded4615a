#include "twinscope/platform/DatabaseSeries.h"

#include "twinscope/platform/DatabaseStatements.h"

#include <QMetaType>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QThreadPool>
#include <QVariant>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>

namespace twinscope {

namespace {

using detail::BeyondPlot;
using detail::IntegralShift;

std::string RefusedPart(const std::string& name, bool table) {
    if (name.empty()) return "is empty";
    for (const char c : name) {
        if (c == '"' || c == '\'' || c == '`') return "holds a quote";
        if (c == ';') return "holds a semicolon";
        if (c == '\\') return "holds a backslash";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "holds a control character";
        if (c == '.' && !table) return "holds a dot";
    }
    if (name.find("--") != std::string::npos || name.find("/*") != std::string::npos ||
        name.find("*/") != std::string::npos) {
        return "holds a comment";
    }
    // The driver takes the name as Unicode text: bytes that are not UTF-8 would reach the query
    // as another name.
    if (QString::fromStdString(name).toStdString() != name) return "is not UTF-8 text";
    return {};
}

bool Numeric(const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Bool:
            return true;
        default:
            return false;
    }
}

std::string NextConnectionName() {
    static std::atomic<std::uint64_t> count{0};
    return "twinscope-database-" + std::to_string(++count);
}

}  // namespace

namespace detail {

std::string DatabaseReason(const QSqlError& error) {
    std::string text = error.text().trimmed().toStdString();
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\t'; }, ' ');
    text.erase(
        std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
        text.end());
    return text.empty() ? "the database gave no reason" : text;
}

QSqlQuery RunStatement(const std::string& connection, const std::string& text,
                       const std::vector<double>& values) {
    QSqlQuery query(QSqlDatabase::database(QString::fromStdString(connection), false));
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromStdString(text)))
        throw DatabaseError(DatabaseReason(query.lastError()));
    for (std::size_t i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    if (!query.exec()) throw DatabaseError(DatabaseReason(query.lastError()));
    return query;
}

}  // namespace detail

std::string QuotedDatabaseName(const QSqlDriver& driver, const std::string& name, bool table) {
    const std::string refused = RefusedPart(name, table);
    if (!refused.empty()) {
        throw DatabaseError(std::string(table ? "the table name '" : "the column name '") + name +
                            "' " + refused);
    }
    return driver
        .escapeIdentifier(QString::fromStdString(name),
                          table ? QSqlDriver::TableName : QSqlDriver::FieldName)
        .toStdString();
}

TDatabaseQueries::TDatabaseQueries(const TDatabaseSource& source, bool writable)
    : connection_(NextConnectionName()) {
    const QString driverName = QString::fromStdString(source.Driver);
    if (!QSqlDatabase::isDriverAvailable(driverName))
        throw DatabaseError("no Qt SQL driver " + source.Driver + " is installed");
    QSqlDatabase db = QSqlDatabase::addDatabase(driverName, QString::fromStdString(connection_));
    db.setDatabaseName(QString::fromStdString(source.Database));
    if (!source.Host.empty()) db.setHostName(QString::fromStdString(source.Host));
    if (source.Port > 0) db.setPort(source.Port);
    if (!source.User.empty()) db.setUserName(QString::fromStdString(source.User));
    // A SQLite file that is not there is not made: the address names one to read.
    if (source.Driver == "QSQLITE" && !writable) db.setConnectOptions("QSQLITE_OPEN_READONLY");
    // A server that does not answer is given up on rather than waited for.
    if (source.Driver == "QPSQL") db.setConnectOptions("connect_timeout=10");
    db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!db.open()) throw DatabaseError(detail::DatabaseReason(db.lastError()));

    // A frame's query is planned for far more rows than it reads: compiling it would take
    // longer than running it.
    if (source.Driver == "QPSQL") QSqlQuery(db).exec("SET jit = off");
    // The driver asks for binary values escaped byte by byte, most of them as four characters:
    // as hex they are half the size, and as quick to read.
    if (source.Driver == "QPSQL") QSqlQuery(db).exec("SET bytea_output = hex");

    const QSqlDriver& driver = *db.driver();
    table_ = QuotedDatabaseName(driver, source.Table, true);
    x_ = QuotedDatabaseName(driver, source.X, false);
    y_ = QuotedDatabaseName(driver, source.Y, false);
    const QSqlRecord record = db.record(QString::fromStdString(table_));
    if (record.isEmpty()) throw DatabaseError("no table '" + source.Table + "'");
    for (const std::string* column : {&source.X, &source.Y}) {
        if (record.indexOf(QString::fromStdString(*column)) < 0)
            throw DatabaseError("no column '" + *column + "' in '" + source.Table + "'");
        // The value a row holds tells its kind where a declared type does not (SQLite).
        const std::string quoted = column == &source.X ? x_ : y_;
        QSqlQuery sample(db);
        if (!sample.exec(QString::fromStdString("SELECT " + quoted + " FROM " + table_ + " WHERE " +
                                                quoted + " IS NOT NULL LIMIT 1")))
            throw DatabaseError(detail::DatabaseReason(sample.lastError()));
        const bool numeric =
            sample.next()
                ? Numeric(sample.value(0))
                : Numeric(QVariant(record.field(QString::fromStdString(*column)).metaType()));
        if (!numeric) throw DatabaseError("the column '" + *column + "' holds text, not numbers");
    }
    const std::string summary = source.Table + "__m4_" + source.X + "_" + source.Y;
    summaryName_ = QuotedDatabaseName(driver, summary, true);
    // An index of a table in a schema is named in the schema, and names the table without it.
    summaryIndexName_ = QuotedDatabaseName(driver, summary + "_x", true) + " ON " +
                        QuotedDatabaseName(driver, summary.substr(summary.rfind('.') + 1), true);
    summary_ = FreshSummary(summaryName_);
}

QSqlDriver& TDatabaseQueries::Driver() const {
    return *QSqlDatabase::database(QString::fromStdString(connection_), false).driver();
}

TDatabaseQueries::~TDatabaseQueries() {
    prepared_.clear();
    QSqlDatabase::database(QString::fromStdString(connection_), false).close();
    QSqlDatabase::removeDatabase(QString::fromStdString(connection_));
}

QSqlQuery& TDatabaseQueries::Run(const std::string& text, const std::vector<double>& values) {
    return RunBound(text, std::vector<QVariant>(values.begin(), values.end()));
}

QSqlQuery& TDatabaseQueries::RunBound(const std::string& text,
                                      const std::vector<QVariant>& values) {
    std::unique_ptr<QSqlQuery>& query = prepared_[text];
    if (!query) {
        auto made = std::make_unique<QSqlQuery>(
            QSqlDatabase::database(QString::fromStdString(connection_), false));
        // Rows one by one from the server cost more than the rows.
        made->setForwardOnly(false);
        if (!made->prepare(QString::fromStdString(text)))
            throw DatabaseError(detail::DatabaseReason(made->lastError()));
        query = std::move(made);
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        query->bindValue(static_cast<int>(i), values[i]);
    if (!query->exec()) {
        const std::string reason = detail::DatabaseReason(query->lastError());
        // A connection that failed is opened anew with statements of its own.
        prepared_.erase(text);
        throw DatabaseError(reason);
    }
    return *query;
}

std::optional<std::pair<double, double>> TDatabaseQueries::Row(const std::string& text,
                                                               const std::vector<double>& values) {
    QSqlQuery& query = Run(text, values);
    if (!query.next()) {
        if (query.lastError().isValid())
            throw DatabaseError(detail::DatabaseReason(query.lastError()));
        return std::nullopt;
    }
    const std::pair row{query.value(0).toDouble(), query.value(1).toDouble()};
    query.finish();
    return row;
}

TDatabaseQueries::TExtremes TDatabaseQueries::Extremes() {
    if (summary_) return {summary_->X, summary_->Y, summary_->Rows};
    return TableExtremes();
}

TDatabaseQueries::TExtremes TDatabaseQueries::TableExtremes() {
    QSqlQuery query =
        detail::RunStatement(connection_,
                             "SELECT MIN(" + x_ + "), MAX(" + x_ + "), MIN(" + y_ + "), MAX(" + y_ +
                                 "), COUNT(*) FROM " + table_ + " WHERE " + x_ +
                                 " IS NOT NULL AND " + y_ + " IS NOT NULL",
                             {});
    TExtremes e;
    if (!query.next()) throw DatabaseError(detail::DatabaseReason(query.lastError()));
    e.Rows = query.value(4).toLongLong();
    if (e.Rows == 0) return e;
    e.X = {query.value(0).toDouble(), query.value(1).toDouble(), false};
    e.Y = {query.value(2).toDouble(), query.value(3).toDouble(), false};
    return e;
}

TDatabasePoints TDatabaseQueries::Reduce(const TScaleMap& x, const TScaleMap& y) {
    const TScaleDirection direction = x.Direction();
    const bool minimumAtStart = direction.Horizontal != direction.Inverted;
    const double a = x.ToValue(std::int64_t{x.StartPixel()} - BeyondPlot);
    const double b = x.ToValue(std::int64_t{x.EndPixel()} + BeyondPlot);
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    const std::string cx = "CAST(" + x_ + " AS DOUBLE PRECISION)";
    const std::string cy = "CAST(" + y_ + " AS DOUBLE PRECISION)";
    // A linear map puts a value (value - minimum) x pixels per unit from the minimum's end;
    // other maps have each row in a bucket of its own.
    const bool linear = x.Kind() == skLinear && !x.Conversion() && !x.RangeIsZero();
    if (linear && summary_) {
        TDatabasePoints points = ReduceFromSummary(x);
        if (!points.Xs.empty() && points.Xs.back() <= hi) RefineLastColumn(points, x, y);
        return points;
    }
    std::vector<double> values;
    std::string column = "x";
    if (linear) {
        column = "CASE WHEN q >= 0 THEN (q + " + std::string(detail::BoundDouble) + ") - " +
                 detail::BoundDouble + " ELSE (q - " + detail::BoundDouble + ") + " +
                 detail::BoundDouble + " END";
        values = {minimumAtStart ? double(x.StartPixel()) : double(x.EndPixel()),
                  minimumAtStart ? 1.0 : -1.0, x.Minimum(), x.PixelsPerUnit()};
    }
    values.insert(values.end(), {lo, hi});
    if (linear)
        values.insert(values.end(), {IntegralShift, IntegralShift, IntegralShift, IntegralShift});
    values.insert(values.end(), {lo, hi});
    const std::string pixel = linear ? std::string(detail::BoundDouble) + " + " +
                                           detail::BoundDouble + " * ((" + cx + " - " +
                                           detail::BoundDouble + ") * " + detail::BoundDouble + ")"
                                     : "0";
    const std::string rows = " FROM " + table_ + " WHERE " + y_ + " IS NOT NULL AND ";
    const std::string text =
        "WITH p AS (SELECT " + cx + " AS x, " + cy + " AS y, " + pixel + " AS q" + rows + x_ +
        " >= " + detail::BoundDouble + " AND " + x_ + " <= " + detail::BoundDouble + "), " +
        "b AS (SELECT x, y, " + column + " AS c FROM p), " +
        "g AS (SELECT c, MIN(x) AS fx, MAX(x) AS lx, MIN(y) AS ly, MAX(y) AS hy FROM b GROUP BY "
        "c), "
        "e AS (SELECT b.c AS c, MIN(CASE WHEN b.x > g.fx THEN b.x END) AS sx, "
        "MIN(CASE WHEN b.y = g.ly THEN b.x END) AS lox, "
        "MIN(CASE WHEN b.y = g.hy THEN b.x END) AS hix FROM b JOIN g ON b.c = g.c GROUP BY b.c) "
        "SELECT b.x AS x, b.y AS y FROM b JOIN g ON b.c = g.c JOIN e ON b.c = e.c "
        "WHERE b.x IN (g.fx, g.lx, e.sx, e.lox, e.hix) UNION ALL " +
        OutsideRowsText() + " ORDER BY x";
    QSqlQuery query = detail::RunStatement(connection_, text, values);
    TDatabasePoints points;
    while (query.next()) {
        points.Xs.push_back(query.value(0).toDouble());
        points.Ys.push_back(query.value(1).toDouble());
    }
    // Rows that stopped coming would draw another picture.
    if (query.lastError().isValid()) throw DatabaseError(detail::DatabaseReason(query.lastError()));
    if (linear && !points.Xs.empty() && points.Xs.back() <= hi) RefineLastColumn(points, x, y);
    return points;
}

std::string TDatabaseQueries::OutsideRowsText() const {
    const std::string cx = "CAST(" + x_ + " AS DOUBLE PRECISION)";
    const std::string cy = "CAST(" + y_ + " AS DOUBLE PRECISION)";
    const std::string rows = " FROM " + table_ + " WHERE " + y_ + " IS NOT NULL AND ";
    return "SELECT x, y FROM (SELECT " + cx + " AS x, " + cy + " AS y" + rows + x_ + " < " +
           detail::BoundDouble + " ORDER BY " + x_ + " DESC LIMIT 1) AS before_range " +
           "UNION ALL SELECT x, y FROM (SELECT " + cx + " AS x, " + cy + " AS y" + rows + x_ +
           " > " + detail::BoundDouble + " ORDER BY " + x_ + " LIMIT 1) AS after_range";
}

void TDatabaseQueries::RefineLastColumn(TDatabasePoints& points, const TScaleMap& x,
                                        const TScaleMap& y) {
    // The chart draws the last column of a line as a vertical line over the rows before the
    // run of rows on the last row's pixel, then a segment to it: the row before that run and
    // the extremes up to it are added.
    const std::int32_t column = x.ToPixel(points.Xs.back());
    std::size_t first = points.Xs.size() - 1;
    while (first > 0 && x.ToPixel(points.Xs[first - 1]) == column)
        --first;
    if (points.Xs.size() - first < 3) return;
    const std::string cx = "CAST(" + x_ + " AS DOUBLE PRECISION)";
    const std::string cy = "CAST(" + y_ + " AS DOUBLE PRECISION)";
    const std::string rows = " FROM " + table_ + " WHERE " + y_ + " IS NOT NULL AND " + x_ +
                             " >= " + detail::BoundDouble + " AND " + x_ +
                             " <= " + detail::BoundDouble;
    // Pages of rows from the last one back, until one lies on another pixel row.
    constexpr int Page = 16;
    const std::string backwards = "SELECT " + cx + ", " + cy + rows + " ORDER BY " + x_ +
                                  " DESC LIMIT " + std::to_string(Page) +
                                  " OFFSET CAST(CAST(? AS DOUBLE PRECISION) AS BIGINT)";
    const std::int32_t lastPixel = y.ToPixel(points.Ys.back());
    std::optional<std::pair<double, double>> before;
    for (double offset = 0; !before; offset += Page) {
        QSqlQuery& page = Run(backwards, {points.Xs[first], points.Xs.back(), offset});
        int read = 0;
        while (page.next()) {
            ++read;
            const double value = page.value(1).toDouble();
            if (!before && y.ToPixel(value) != lastPixel)
                before = std::pair{page.value(0).toDouble(), value};
        }
        if (page.lastError().isValid())
            throw DatabaseError(detail::DatabaseReason(page.lastError()));
        if (read < Page) break;
    }
    if (!before) return;
    std::vector<std::pair<double, double>> added{*before};
    for (const char* order : {"", " DESC"}) {
        // The column's own lowest (highest) row, first at its X, is the one up to the run
        // when it lies before it.
        const bool lowest = *order == '\0';
        std::size_t own = first;
        for (std::size_t i = first + 1; i < points.Xs.size(); ++i) {
            const double a = points.Ys[i];
            const double b = points.Ys[own];
            if (lowest ? a < b : a > b) own = i;
        }
        if (points.Xs[own] <= before->first) continue;
        const auto extreme = Row(
            "SELECT " + cx + ", " + cy + rows + " ORDER BY " + y_ + order + ", " + x_ + " LIMIT 1",
            {points.Xs[first], before->first});
        if (extreme) added.push_back(*extreme);
    }
    std::vector<std::pair<double, double>> merged;
    for (std::size_t i = first; i < points.Xs.size(); ++i)
        merged.emplace_back(points.Xs[i], points.Ys[i]);
    merged.insert(merged.end(), added.begin(), added.end());
    std::sort(merged.begin(), merged.end());
    merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
    points.Xs.resize(first);
    points.Ys.resize(first);
    for (const auto& [px, py] : merged) {
        points.Xs.push_back(px);
        points.Ys.push_back(py);
    }
}

namespace {

// libpq's cancel request, from the library the PostgreSQL driver loaded (no other is loaded
// here): a query the view moved past is stopped on the server rather than waited for.
struct TCancelCalls {
    void* (*get)(void* connection) = nullptr;
    int (*send)(void* cancel, char* error, int size) = nullptr;
    void (*free)(void* cancel) = nullptr;
};

std::optional<TCancelCalls> DriverCancelCalls() {
    void* library = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
    if (!library) return std::nullopt;
    const TCancelCalls calls{
        reinterpret_cast<void* (*)(void*)>(dlsym(library, "PQgetCancel")),
        reinterpret_cast<int (*)(void*, char*, int)>(dlsym(library, "PQcancel")),
        reinterpret_cast<void (*)(void*)>(dlsym(library, "PQfreeCancel"))};
    // The driver keeps the library loaded.
    dlclose(library);
    if (!calls.get || !calls.send || !calls.free) return std::nullopt;
    return calls;
}

}  // namespace

// The worker thread's side: its connection, made there on the first job and again after a
// failure, the newest generation asked for, which jobs of older ones give way to, and the
// generation whose query runs, which a cancel request may stop. The lock keeps a cancel
// request from reaching a query after the one it was meant for.
struct TDatabaseSeries::TWorker {
    QObject context;
    TDatabaseSource source;
    std::unique_ptr<TDatabaseQueries> queries;
    std::atomic<std::uint64_t> newest{0};

    std::mutex lock;
    std::uint64_t running = 0;
    std::uint64_t cancelled = 0;
    std::shared_ptr<void> cancel;
    int (*sendCancel)(void*, char*, int) = nullptr;

    void Open() {
        auto opened = std::make_unique<TDatabaseQueries>(source);
        std::shared_ptr<void> request;
        const QVariant handle = opened->Driver().handle();
        // The PostgreSQL driver's handle is libpq's connection, named by its type or its tag.
        const bool libpq = handle.isValid() && (qstrcmp(handle.typeName(), "PGconn*") == 0 ||
                                                qstrcmp(handle.typeName(), "pg_conn*") == 0);
        const std::optional<TCancelCalls> calls = libpq ? DriverCancelCalls() : std::nullopt;
        if (calls) {
            void* connection = *static_cast<void* const*>(handle.constData());
            if (void* made = connection ? calls->get(connection) : nullptr)
                request = std::shared_ptr<void>(made, calls->free);
        }
        const std::lock_guard guard(lock);
        queries = std::move(opened);
        cancel = std::move(request);
        sendCancel = calls ? calls->send : nullptr;
    }
    void Close() {
        const std::lock_guard guard(lock);
        cancel.reset();
        queries.reset();
    }
    void Running(std::uint64_t generation) {
        const std::lock_guard guard(lock);
        running = generation;
    }
    // From any thread: stops the query running on the server if the view moved past it.
    void CancelMovedPast() {
        const std::lock_guard guard(lock);
        if (running == 0 || running == newest || cancelled == running || !cancel) return;
        cancelled = running;
        char error[256];
        sendCancel(cancel.get(), error, sizeof error);
    }
};

void TDatabaseSeries::Send(std::uint64_t generation, TQuery query) {
    worker_->newest = generation;
    QMetaObject::invokeMethod(
        &worker_->context,
        [this, worker = worker_, generation, query = std::move(query)] {
            // The view moved on before this query began.
            if (worker->newest != generation) return;
            std::function<void()> told;
            try {
                if (!worker->queries) worker->Open();
                worker->Running(generation);
                told = query(*worker->queries);
                worker->Running(0);
            } catch (const DatabaseError& e) {
                worker->Running(0);
                // A query moved past, stopped or not, tells nothing.
                if (worker->newest != generation) return;
                // The next query opens the connection anew: the server may be back by then.
                worker->Close();
                told = [this, generation, reason = std::string(e.what())] {
                    Fail(generation, reason);
                };
            }
            QMetaObject::invokeMethod(receiver_.get(), std::move(told));
        },
        Qt::QueuedConnection);
}

std::shared_ptr<TDatabaseSeries> TDatabaseSeries::Show(TChartSeries& series,
                                                       TDatabaseSource source) {
    std::shared_ptr<TDatabaseSeries> shown(new TDatabaseSeries(series, std::move(source)));
    shown->AskForExtremes();
    return shown;
}

void TDatabaseSeries::AskForExtremes() {
    TDatabaseSeries* self = this;
    const std::uint64_t generation = ++asked_;
    Send(generation, [self, generation](TDatabaseQueries& queries) {
        const TDatabaseQueries::TExtremes extremes = queries.Extremes();
        const TDatabaseSource& source = self->source_;
        if (extremes.Rows == 0) {
            throw DatabaseError("no row of '" + source.Table + "' holds both '" + source.X +
                                "' and '" + source.Y + "'");
        }
        // A first picture over as many columns as a wide window has, until the chart asks for
        // its own.
        const TScaleMap x({extremes.X.low, extremes.X.high}, {0, 2048}, {true, false});
        const TScaleMap y({extremes.Y.low, extremes.Y.high}, {0, 1024}, {false, false});
        auto points = std::make_shared<TDatabasePoints>(queries.Reduce(x, y));
        return [self, generation, points, extremes] {
            self->extremes_ = extremes;
            self->Answer(generation, points);
        };
    });
}

TDatabaseSeries::TDatabaseSeries(TChartSeries& series, TDatabaseSource source)
    : series_(series),
      source_(std::move(source)),
      thread_(std::make_unique<QThread>()),
      receiver_(std::make_unique<QObject>()),
      worker_(std::make_shared<TWorker>()) {
    worker_->source = source_;
    worker_->context.moveToThread(thread_.get());
    thread_->start();
}

TDatabaseSeries::~TDatabaseSeries() {
    // Queries not yet begun give way, the one running is stopped on the server, and the
    // connection closes on its own thread.
    worker_->newest = ~std::uint64_t{0};
    worker_->CancelMovedPast();
    QThread* thread = thread_.get();
    QMetaObject::invokeMethod(
        &worker_->context,
        [worker = worker_, thread] {
            worker->Close();
            worker->context.moveToThread(nullptr);
            thread->quit();
        },
        Qt::QueuedConnection);
    thread_->wait();
}

bool TDatabaseSeries::ReadyToDraw() {
    const TScaleMap& x = series_.XMap();
    const TScaleMap& y = series_.YMap();
    if (extremes_ && x.Length() > 0 && (!askedX_ || !(x == *askedX_) || !(y == *askedY_)))
        Ask(x, y);
    return true;
}

void TDatabaseSeries::Ask(const TScaleMap& x, const TScaleMap& y) {
    askedX_ = x;
    askedY_ = y;
    const std::uint64_t generation = ++asked_;
    Send(generation, [this, generation, x, y](TDatabaseQueries& queries) {
        auto points = std::make_shared<TDatabasePoints>(queries.Reduce(x, y));
        return [this, generation, points] { Answer(generation, points); };
    });
    // The query before, if it still runs, is stopped from another thread: a cancel request
    // waits for the server's word.
    QThreadPool::globalInstance()->start([worker = worker_] { worker->CancelMovedPast(); });
}

void TDatabaseSeries::Answer(std::uint64_t generation, std::shared_ptr<TDatabasePoints> points) {
    if (generation != asked_) return;
    answered_ = generation;
    failing_ = false;
    // The points shown before stay until the series lets them go.
    const std::shared_ptr<TDatabasePoints> before = std::move(shown_);
    shown_ = std::move(points);
    series_.ShowBorrowedPoints({.Xs = shown_->Xs,
                                .Ys = shown_->Ys,
                                .XExtremes = extremes_->X,
                                .YExtremes = extremes_->Y,
                                .YIndex = {},
                                .Lender = shared_from_this()});
    if (OnAnswer) OnAnswer();
}

void TDatabaseSeries::Fail(std::uint64_t generation, const std::string& reason) {
    // A failure ends the wait for its answer; the picture stays as it was.
    if (generation == asked_) answered_ = generation;
    // Told when the queries begin to fail, not again at every frame until one answers.
    if (failing_) return;
    failing_ = true;
    failure_ = reason;
    if (OnFailure) OnFailure(reason);
}

}  // namespace twinscope
