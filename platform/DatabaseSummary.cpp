// The summary of a table drawn by a database: blocks of rows in X order with their extremes,
// at levels of 4 times as many rows each.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>
#include <utility>

#include "twinscope/platform/DatabaseSeries.h"
#include "twinscope/platform/DatabaseStatements.h"

namespace twinscope {

namespace {

// A block of the finest level holds 2^4 rows; each level's blocks hold 4 of the level below,
// so that a frame finds a level with a few blocks per pixel column. The coarsest level has at
// most 1024 blocks.
constexpr int FirstLevel = 4;
constexpr int LevelStep = 2;
constexpr std::int64_t Fanout = std::int64_t{1} << LevelStep;
constexpr std::int64_t CoarsestBlocks = 1024;

// Rows read from the table per query while building, and blocks written per statement.
constexpr std::int64_t PageRows = 1 << 20;
constexpr int BlocksPerInsert = 256;

constexpr const char* SummaryColumns = "k, p, b, n, fx, fy, sx, sy, lx, ly, lox, loy, hix, hiy";
constexpr std::size_t SummaryValues = 14;

// What the frame needs of a run of rows in X order: its first row and its first row of a
// greater X, its last row, and the first rows of its lowest and highest value.
struct TBlock {
    std::int64_t n = 0;
    double fx = 0, fy = 0, sx = 0, sy = 0, lx = 0, ly = 0, lox = 0, loy = 0, hix = 0, hiy = 0;
    bool second = false;

    // The rows of `next`, which follow this block's, join it.
    void Take(const TBlock& next) {
        if (n == 0) {
            *this = next;
            return;
        }
        if (!second && next.fx > fx) {
            second = true;
            sx = next.fx;
            sy = next.fy;
        } else if (!second && next.second) {
            second = true;
            sx = next.sx;
            sy = next.sy;
        }
        n += next.n;
        lx = next.lx;
        ly = next.ly;
        if (next.loy < loy) {
            loy = next.loy;
            lox = next.lox;
        }
        if (next.hiy > hiy) {
            hiy = next.hiy;
            hix = next.hix;
        }
    }
    static TBlock Row(double x, double y) {
        return {.n = 1, .fx = x, .fy = y, .lx = x, .ly = y, .lox = x, .loy = y, .hix = x, .hiy = y};
    }
};

// Writes blocks in statements of many rows, in the transaction of the connection.
class TSummaryWriter {
public:
    TSummaryWriter(const QSqlDatabase& db, const std::string& table) : db_(db), table_(table) {}

    void Add(int level, std::int64_t number, const TBlock& block) {
        const QVariant none{QMetaType::fromType<double>()};
        values_.insert(values_.end(),
                       {QVariant(level), QVariant(qlonglong(number >> LevelStep)),
                        QVariant(qlonglong(number)), QVariant(qlonglong(block.n)),
                        block.fx, block.fy, block.second ? QVariant(block.sx) : none,
                        block.second ? QVariant(block.sy) : none, block.lx, block.ly, block.lox,
                        block.loy, block.hix, block.hiy});
        ++written_;
        if (values_.size() == SummaryValues * BlocksPerInsert) Flush();
    }
    void Flush() {
        if (values_.empty()) return;
        const int blocks = static_cast<int>(values_.size() / SummaryValues);
        QSqlQuery& insert = blocks == BlocksPerInsert ? full_ : rest_;
        if (insert.lastQuery().isEmpty() || blocks != BlocksPerInsert) {
            insert = QSqlQuery(db_);
            std::string text = "INSERT INTO " + table_ + " (" + SummaryColumns + ") VALUES ";
            for (int i = 0; i < blocks; ++i)
                text += i == 0 ? "(?,?,?,?,?,?,?,?,?,?,?,?,?,?)" : ",(?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
            if (!insert.prepare(QString::fromStdString(text)))
                throw DatabaseError(detail::DatabaseReason(insert.lastError()));
        }
        for (std::size_t i = 0; i < values_.size(); ++i)
            insert.bindValue(static_cast<int>(i), values_[i]);
        if (!insert.exec()) throw DatabaseError(detail::DatabaseReason(insert.lastError()));
        values_.clear();
    }
    std::int64_t Written() const { return written_; }

private:
    QSqlDatabase db_;
    std::string table_;
    QSqlQuery full_;
    QSqlQuery rest_;
    std::vector<QVariant> values_;
    std::int64_t written_ = 0;
};

}  // namespace

std::int64_t TDatabaseQueries::BuildSummary() {
    QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection_), false);
    const std::int64_t rows = TableExtremes().Rows;
    std::vector<int> levels{FirstLevel};
    while (((rows - 1) >> levels.back()) + 1 > CoarsestBlocks)
        levels.push_back(levels.back() + LevelStep);

    if (!db.transaction()) throw DatabaseError(detail::DatabaseReason(db.lastError()));
    try {
        // Statements that change the schema are not prepared: some drivers cannot.
        const auto run = [&](const std::string& text) {
            QSqlQuery query(db);
            if (!query.exec(QString::fromStdString(text)))
                throw DatabaseError(detail::DatabaseReason(query.lastError()));
        };
        run("DROP TABLE IF EXISTS " + summaryName_);
        run("CREATE TABLE " + summaryName_ +
            " (k INTEGER NOT NULL, p BIGINT NOT NULL, b BIGINT NOT NULL, n BIGINT NOT NULL, "
            "fx DOUBLE PRECISION, "
            "fy DOUBLE PRECISION, sx DOUBLE PRECISION, sy DOUBLE PRECISION, lx DOUBLE PRECISION, "
            "ly DOUBLE PRECISION, lox DOUBLE PRECISION, loy DOUBLE PRECISION, "
            "hix DOUBLE PRECISION, hiy DOUBLE PRECISION, PRIMARY KEY (k, p, b))");
        // A frame reads a level's blocks by their first X and their children by the key.
        // PostgreSQL answers both from an index alone; the names of its indexes are its own.
        const bool server = db.driverName() == "QPSQL";
        const std::string values = "n, fy, sx, sy, lx, ly, lox, loy, hix, hiy";
        run("CREATE INDEX " + (server ? "ON " + summaryName_ : summaryIndexName_) + " (k, fx, b)" +
            (server ? " INCLUDE (" + values + ")" : ""));
        if (server) run("CREATE INDEX ON " + summaryName_ + " (k, p) INCLUDE (b, fx, " + values + ")");
        TSummaryWriter writer(db, summaryName_);
        // The block being filled at each level, and how many were written before it.
        std::vector<TBlock> open(levels.size());
        std::vector<std::int64_t> numbers(levels.size(), 0);
        const auto close = [&](std::size_t level) {
            for (; level < levels.size(); ++level) {
                writer.Add(levels[level], numbers[level], open[level]);
                if (level + 1 < levels.size()) open[level + 1].Take(open[level]);
                open[level] = {};
                // A coarser block closes with its last finer one.
                if (++numbers[level] % Fanout != 0) break;
            }
        };
        // Pages in the order of X. A page ends before the rows of its last X, with which the
        // next one begins; a run of rows of one X longer than a page is read whole.
        const std::string cx = "CAST(" + x_ + " AS DOUBLE PRECISION)";
        const std::string cy = "CAST(" + y_ + " AS DOUBLE PRECISION)";
        const std::string select = "SELECT " + cx + ", " + cy + " FROM " + table_ + " WHERE " + x_ +
                                   " IS NOT NULL AND " + y_ + " IS NOT NULL";
        std::vector<std::pair<double, double>> page;
        const auto read = [&](const std::string& text, const std::vector<double>& values) {
            // The page is read whole before blocks are written: a driver may stream the rows
            // of a query only while no other runs on the connection.
            QSqlQuery query = detail::RunStatement(connection_, text, values);
            page.clear();
            while (query.next())
                page.emplace_back(query.value(0).toDouble(), query.value(1).toDouble());
            if (query.lastError().isValid())
                throw DatabaseError(detail::DatabaseReason(query.lastError()));
        };
        const auto take = [&](std::size_t end) {
            for (std::size_t i = 0; i < end; ++i) {
                open[0].Take(TBlock::Row(page[i].first, page[i].second));
                if (open[0].n == (std::int64_t{1} << FirstLevel)) close(0);
            }
        };
        const std::string limit = " ORDER BY " + x_ + " LIMIT " + std::to_string(PageRows);
        std::optional<double> from;
        const char* after = " >= ";
        for (;;) {
            if (from) {
                read(select + " AND " + x_ + after + detail::BoundDouble + limit, {*from});
            } else {
                read(select + limit, {});
            }
            if (static_cast<std::int64_t>(page.size()) < PageRows) {
                take(page.size());
                break;
            }
            const double last = page.back().first;
            std::size_t end = page.size();
            while (end > 0 && page[end - 1].first == last)
                --end;
            if (end == 0) {
                read(select + " AND " + x_ + " = " + detail::BoundDouble, {last});
                end = page.size();
                after = " > ";
            } else {
                after = " >= ";
            }
            take(end);
            from = last;
        }
        // The last blocks, partly filled, close from the finest up.
        for (std::size_t level = 0; level < levels.size(); ++level) {
            if (open[level].n == 0) continue;
            writer.Add(levels[level], numbers[level], open[level]);
            if (level + 1 < levels.size()) open[level + 1].Take(open[level]);
        }
        writer.Flush();
        if (!db.commit()) throw DatabaseError(detail::DatabaseReason(db.lastError()));
        // Vacuumed, a table's pages are known to be visible: the index alone answers.
        run((server ? "VACUUM ANALYZE " : "ANALYZE ") + summaryName_);
        summary_ = FreshSummary(summaryName_);
        return writer.Written();
    } catch (...) {
        db.rollback();
        throw;
    }
}

std::optional<TDatabaseQueries::TSummary> TDatabaseQueries::FreshSummary(const std::string& name) {
    QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection_), false);
    const QSqlRecord record = db.record(QString::fromStdString(name));
    for (const char* column : {"k", "p", "b", "n", "fx", "fy", "sx", "sy", "lx", "ly", "lox", "loy",
                               "hix", "hiy"}) {
        if (record.indexOf(column) < 0) return std::nullopt;
    }
    QSqlQuery levels = detail::RunStatement(connection_, "SELECT MIN(k), MAX(k) FROM " + name, {});
    if (!levels.next() || levels.value(0).isNull()) return std::nullopt;
    TSummary summary{.Table = name};
    const int coarsest = levels.value(1).toInt();
    if (levels.value(0).toInt() != FirstLevel) return std::nullopt;
    levels.finish();
    // A summary of other levels (one made before their step changed) is not read.
    for (int level = FirstLevel; level <= coarsest; level += LevelStep) {
        if (!detail::RunStatement(connection_, "SELECT k FROM " + name + " WHERE k = " +
                                                   std::to_string(level) + " LIMIT 1", {})
                 .next())
            return std::nullopt;
        summary.Levels.push_back(level);
    }
    if (summary.Levels.back() != coarsest) return std::nullopt;
    QSqlQuery top = detail::RunStatement(
        connection_,
        "SELECT SUM(n), MIN(fx), MAX(lx), MIN(loy), MAX(hiy) FROM " + name +
            " WHERE k = " + std::to_string(coarsest),
        {});
    if (!top.next()) return std::nullopt;
    summary.Rows = top.value(0).toLongLong();
    summary.X = {top.value(1).toDouble(), top.value(2).toDouble(), false};
    summary.Y = {top.value(3).toDouble(), top.value(4).toDouble(), false};
    // Rows added before or after the summary's, or taken from its ends, leave it behind.
    const std::string rows = " FROM " + table_ + " WHERE " + x_ + " IS NOT NULL AND " + y_ +
                             " IS NOT NULL ORDER BY " + x_;
    const std::string cx = "CAST(" + x_ + " AS DOUBLE PRECISION)";
    const auto first = Row("SELECT " + cx + ", 0" + rows + " LIMIT 1", {});
    const auto last = Row("SELECT " + cx + ", 0" + rows + " DESC LIMIT 1", {});
    if (!first || !last || first->first != summary.X.low || last->first != summary.X.high)
        return std::nullopt;
    return summary;
}

}  // namespace twinscope
