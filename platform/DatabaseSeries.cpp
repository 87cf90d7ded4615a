#include "twinscope/platform/DatabaseSeries.h"

#include <QMetaType>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <utility>

namespace twinscope {

namespace {

// Rows this many pixels beyond each end of the plot are bucketed too: points whose marker
// still touches the plot, and the segments into and out of it, are drawn from them.
constexpr std::int32_t BeyondPlot = 16;

// Adding and taking away 2^52 rounds a double to an integer, ties to even, as the scale map
// rounds its pixels: the query finds each row's pixel column exactly as the chart does.
constexpr double IntegralShift = 4503599627370496.0;

const char* const Double = "CAST(? AS DOUBLE PRECISION)";

std::string Reason(const QSqlError& error) {
    std::string text = error.text().trimmed().toStdString();
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\t'; }, ' ');
    text.erase(
        std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
        text.end());
    return text.empty() ? "the database gave no reason" : text;
}

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

TDatabaseQueries::TDatabaseQueries(const TDatabaseSource& source)
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
    if (source.Driver == "QSQLITE") db.setConnectOptions("QSQLITE_OPEN_READONLY");
    // A server that does not answer is given up on rather than waited for.
    if (source.Driver == "QPSQL") db.setConnectOptions("connect_timeout=10");
    db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!db.open()) throw DatabaseError(Reason(db.lastError()));

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
            throw DatabaseError(Reason(sample.lastError()));
        const bool numeric =
            sample.next()
                ? Numeric(sample.value(0))
                : Numeric(QVariant(record.field(QString::fromStdString(*column)).metaType()));
        if (!numeric) throw DatabaseError("the column '" + *column + "' holds text, not numbers");
    }
}

TDatabaseQueries::~TDatabaseQueries() {
    QSqlDatabase::database(QString::fromStdString(connection_), false).close();
    QSqlDatabase::removeDatabase(QString::fromStdString(connection_));
}

namespace {

QSqlQuery Run(const std::string& connection, const std::string& text,
              const std::vector<double>& values) {
    QSqlQuery query(QSqlDatabase::database(QString::fromStdString(connection), false));
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromStdString(text)))
        throw DatabaseError(Reason(query.lastError()));
    for (std::size_t i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    if (!query.exec()) throw DatabaseError(Reason(query.lastError()));
    return query;
}

}  // namespace

std::optional<std::pair<double, double>> TDatabaseQueries::Row(const std::string& text,
                                                               const std::vector<double>& values) {
    QSqlQuery query = Run(connection_, text, values);
    if (!query.next()) {
        if (query.lastError().isValid()) throw DatabaseError(Reason(query.lastError()));
        return std::nullopt;
    }
    return std::pair{query.value(0).toDouble(), query.value(1).toDouble()};
}

TDatabaseQueries::TExtremes TDatabaseQueries::Extremes() {
    QSqlQuery query = Run(connection_,
                          "SELECT MIN(" + x_ + "), MAX(" + x_ + "), MIN(" + y_ + "), MAX(" + y_ +
                              "), COUNT(*) FROM " + table_ + " WHERE " + x_ + " IS NOT NULL AND " +
                              y_ + " IS NOT NULL",
                          {});
    TExtremes e;
    if (!query.next()) throw DatabaseError(Reason(query.lastError()));
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
    std::vector<double> values;
    std::string column = "x";
    if (linear) {
        column = "CASE WHEN q >= 0 THEN (q + " + std::string(Double) + ") - " + Double +
                 " ELSE (q - " + Double + ") + " + Double + " END";
        values = {minimumAtStart ? double(x.StartPixel()) : double(x.EndPixel()),
                  minimumAtStart ? 1.0 : -1.0, x.Minimum(), x.PixelsPerUnit()};
    }
    values.insert(values.end(), {lo, hi});
    if (linear)
        values.insert(values.end(), {IntegralShift, IntegralShift, IntegralShift, IntegralShift});
    values.insert(values.end(), {lo, hi});
    const std::string pixel = linear ? std::string(Double) + " + " + Double + " * ((" + cx + " - " +
                                           Double + ") * " + Double + ")"
                                     : "0";
    const std::string rows = " FROM " + table_ + " WHERE " + y_ + " IS NOT NULL AND ";
    const std::string text =
        "WITH p AS (SELECT " + cx + " AS x, " + cy + " AS y, " + pixel + " AS q" + rows + x_ +
        " >= " + Double + " AND " + x_ + " <= " + Double + "), " + "b AS (SELECT x, y, " + column +
        " AS c FROM p), " +
        "g AS (SELECT c, MIN(x) AS fx, MAX(x) AS lx, MIN(y) AS ly, MAX(y) AS hy FROM b GROUP BY "
        "c), "
        "e AS (SELECT b.c AS c, MIN(CASE WHEN b.x > g.fx THEN b.x END) AS sx, "
        "MIN(CASE WHEN b.y = g.ly THEN b.x END) AS lox, "
        "MIN(CASE WHEN b.y = g.hy THEN b.x END) AS hix FROM b JOIN g ON b.c = g.c GROUP BY b.c) "
        "SELECT b.x AS x, b.y AS y FROM b JOIN g ON b.c = g.c JOIN e ON b.c = e.c "
        "WHERE b.x IN (g.fx, g.lx, e.sx, e.lox, e.hix) "
        "UNION ALL SELECT x, y FROM (SELECT " +
        cx + " AS x, " + cy + " AS y" + rows + x_ + " < " + Double + " ORDER BY " + x_ +
        " DESC LIMIT 1) AS before_range " + "UNION ALL SELECT x, y FROM (SELECT " + cx + " AS x, " +
        cy + " AS y" + rows + x_ + " > " + Double + " ORDER BY " + x_ +
        " LIMIT 1) AS after_range ORDER BY x";
    QSqlQuery query = Run(connection_, text, values);
    TDatabasePoints points;
    while (query.next()) {
        points.Xs.push_back(query.value(0).toDouble());
        points.Ys.push_back(query.value(1).toDouble());
    }
    // Rows that stopped coming would draw another picture.
    if (query.lastError().isValid()) throw DatabaseError(Reason(query.lastError()));
    if (linear && !points.Xs.empty() && points.Xs.back() <= hi) RefineLastColumn(points, x, y);
    return points;
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
                             " >= " + Double + " AND " + x_ + " <= " + Double;
    QSqlQuery backwards =
        Run(connection_, "SELECT " + cx + ", " + cy + rows + " ORDER BY " + x_ + " DESC",
            {points.Xs[first], points.Xs.back()});
    const std::int32_t lastPixel = y.ToPixel(points.Ys.back());
    std::optional<std::pair<double, double>> before;
    while (!before && backwards.next()) {
        const double value = backwards.value(1).toDouble();
        if (y.ToPixel(value) != lastPixel) before = std::pair{backwards.value(0).toDouble(), value};
    }
    if (backwards.lastError().isValid()) throw DatabaseError(Reason(backwards.lastError()));
    backwards.finish();
    if (!before) return;
    std::vector<std::pair<double, double>> added{*before};
    for (const char* order : {"", " DESC"}) {
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

// The worker thread's side: its connection, made there on the first job, and the newest
// generation asked for, which jobs of older ones give way to.
struct TDatabaseSeries::TWorker {
    QObject context;
    TDatabaseSource source;
    std::unique_ptr<TDatabaseQueries> queries;
    std::atomic<std::uint64_t> newest{0};
};

std::shared_ptr<TDatabaseSeries> TDatabaseSeries::Show(TChartSeries& series,
                                                       TDatabaseSource source) {
    std::shared_ptr<TDatabaseSeries> shown(new TDatabaseSeries(series, std::move(source)));
    TDatabaseSeries* self = shown.get();
    const std::uint64_t generation = self->asked_ = 1;
    self->worker_->newest = generation;
    QMetaObject::invokeMethod(
        &self->worker_->context,
        [self, worker = self->worker_, generation] {
            if (worker->newest != generation) return;
            try {
                worker->queries = std::make_unique<TDatabaseQueries>(worker->source);
                const TDatabaseQueries::TExtremes extremes = worker->queries->Extremes();
                if (extremes.Rows == 0) {
                    throw DatabaseError("no row of '" + worker->source.Table + "' holds both '" +
                                        worker->source.X + "' and '" + worker->source.Y + "'");
                }
                // A first picture over as many columns as a wide window has, until the chart
                // asks for its own.
                const TScaleMap x({extremes.X.low, extremes.X.high}, {0, 2048}, {true, false});
                const TScaleMap y({extremes.Y.low, extremes.Y.high}, {0, 1024}, {false, false});
                auto points = std::make_shared<TDatabasePoints>(worker->queries->Reduce(x, y));
                QMetaObject::invokeMethod(self->receiver_.get(),
                                          [self, generation, points, extremes] {
                                              self->extremes_ = extremes;
                                              self->Answer(generation, points);
                                          });
            } catch (const DatabaseError& e) {
                QMetaObject::invokeMethod(self->receiver_.get(),
                                          [self, generation, reason = std::string(e.what())] {
                                              self->Fail(generation, reason);
                                          });
            }
        },
        Qt::QueuedConnection);
    return shown;
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
    // Queries not yet begun give way; the connection closes on its own thread, after the query
    // it may be running.
    worker_->newest = ~std::uint64_t{0};
    QThread* thread = thread_.get();
    QMetaObject::invokeMethod(
        &worker_->context,
        [worker = worker_, thread] {
            worker->queries.reset();
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
    worker_->newest = generation;
    QMetaObject::invokeMethod(
        &worker_->context,
        [this, worker = worker_, generation, x, y] {
            // The view moved on before this query began.
            if (worker->newest != generation || !worker->queries) return;
            try {
                auto points = std::make_shared<TDatabasePoints>(worker->queries->Reduce(x, y));
                QMetaObject::invokeMethod(
                    receiver_.get(), [this, generation, points] { Answer(generation, points); });
            } catch (const DatabaseError& e) {
                QMetaObject::invokeMethod(receiver_.get(),
                                          [this, generation, reason = std::string(e.what())] {
                                              Fail(generation, reason);
                                          });
            }
        },
        Qt::QueuedConnection);
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
    failure_ = reason;
    // Told when the queries begin to fail, not again at every frame until one answers.
    if (failing_) return;
    failing_ = true;
    if (OnFailure) OnFailure(reason);
}

}  // namespace twinscope
