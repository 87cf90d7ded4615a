// A frame drawn from a table's summary: the blocks of one level chosen for the view, and
// below them only the blocks that cross a column's edge and may hold a row the picture needs.

#include <QByteArray>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "twinscope/platform/DatabaseSeries.h"
#include "twinscope/platform/DatabaseStatements.h"

namespace twinscope {

namespace {

// The level read first is the coarsest with at least this many blocks per pixel column of
// the rows in view: many columns then hold a whole block, whose extremes the blocks at their
// edges seldom beat, and the level is read in few rows.
constexpr double BlocksPerColumn = 1;

// Blocks, ranges and edges named per statement; a statement's unused places repeat its last.
constexpr std::size_t ChunkSize = 128;

constexpr const char* BlockColumns = "b, fx, fy, sx, sy, lx, ly, lox, loy, hix, hiy, n";

// On PostgreSQL a statement answers with one value: its rows' values in their binary form,
// one after the other. Turning each double into text on the server and back into a value of
// its own here cost most of a frame; the bytes are the doubles exactly. A block is its number
// and rows, its first, last, lowest and highest row, then whether it has a second row and that
// row.
constexpr const char* PackedBlock =
    "int8send(b) || int8send(n) || float8send(fx) || float8send(fy) || float8send(lx) || "
    "float8send(ly) || float8send(lox) || float8send(loy) || float8send(hix) || "
    "float8send(hiy) || boolsend(sx IS NOT NULL) || COALESCE(float8send(sx) || float8send(sy), "
    "''::bytea)";
constexpr const char* PackedRow = "float8send(rx) || float8send(ry)";

// An edge is first looked for among the rows this many of a block's mean steps either side.
constexpr double EdgeSteps = 2;

struct TRow {
    double x = 0;
    double y = 0;
};

// A block of rows as the summary holds it.
struct TSummaryBlock {
    std::int64_t b = 0;
    std::int64_t n = 0;
    TRow first, last, low, high;
    std::optional<TRow> second;
};

// What a pixel column draws of the rows it was given: its first row and first row of a greater
// X, its last row, and the first rows of its lowest and highest value. Rows are given in any
// order; a column's picture is right once every row it needs was given.
struct TColumn {
    bool any = false;
    TRow first, last, low, high;
    std::optional<TRow> second;

    void Add(const TRow& row) {
        if (!any) {
            any = true;
            first = last = low = high = row;
            return;
        }
        if (row.x < first.x) {
            second = first;
            first = row;
        } else if (row.x > first.x && (!second || row.x < second->x)) {
            second = row;
        }
        if (row.x > last.x) last = row;
        if (row.y < low.y || (row.y == low.y && row.x < low.x)) low = row;
        if (row.y > high.y || (row.y == high.y && row.x < high.x)) high = row;
    }
    // Whether the rows of a block that lies partly in this column can change its lowest or
    // highest row: not when the block's own extremes, reached first at their X, do not pass
    // the column's.
    bool MayChange(const TSummaryBlock& block) const {
        if (!any) return true;
        const bool lower = block.low.y < low.y || (block.low.y == low.y && block.low.x < low.x);
        const bool higher =
            block.high.y > high.y || (block.high.y == high.y && block.high.x < high.x);
        return lower || higher;
    }
};

// The statement's rows as the one value of a statement packing them.
std::string Packed(const std::string& value, const std::string& text) {
    return "SELECT string_agg(" + value + ", ''::bytea) FROM (" + text + ") AS rows_packed";
}

// Reads the values packed one after the other in network byte order.
class TUnpacker {
public:
    explicit TUnpacker(const QByteArray& bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ >= bytes_.size(); }
    std::uint64_t Word() {
        if (bytes_.size() - at_ < 8) throw DatabaseError("a packed answer ended early");
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i)
            word = word << 8 | static_cast<unsigned char>(bytes_[at_ + i]);
        at_ += 8;
        return word;
    }
    double Double() { return std::bit_cast<double>(Word()); }
    std::int64_t Integer() { return static_cast<std::int64_t>(Word()); }
    bool Flag() {
        if (AtEnd()) throw DatabaseError("a packed answer ended early");
        return bytes_[at_++] != 0;
    }
    TRow Row() {
        const double x = Double();
        return {x, Double()};
    }

private:
    const QByteArray& bytes_;
    qsizetype at_ = 0;
};

// Numbers as the text of an array, each written in the fewest digits that read back as it.
QVariant ArrayOf(const std::vector<double>& values, std::size_t from = 0, std::size_t step = 1) {
    std::string text = "{";
    char digits[32];
    for (std::size_t i = from; i < values.size(); i += step) {
        if (text.size() > 1) text += ',';
        text.append(digits, std::to_chars(digits, digits + sizeof digits, values[i]).ptr);
    }
    return QString::fromStdString(text + "}");
}

// Block numbers as the text of an array of integers: the shortest text of a double may be in
// exponent form (100000 as 1e+05), which an integer array does not read.
QVariant IntegerArrayOf(const std::vector<double>& values) {
    std::string text = "{";
    for (const double value : values) {
        if (text.size() > 1) text += ',';
        text += std::to_string(static_cast<std::int64_t>(value));
    }
    return QString::fromStdString(text + "}");
}

std::vector<QVariant> Variants(const std::vector<double>& values) {
    return {values.begin(), values.end()};
}

std::string Places(std::size_t count, const std::string& place) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += (i == 0 ? "" : ", ") + place;
    return text;
}

// The values of one chunk, padded with its last.
std::vector<double> Chunk(const std::vector<double>& values, std::size_t from, std::size_t width) {
    std::vector<double> chunk;
    const std::size_t end = std::min(values.size(), from + ChunkSize * width);
    chunk.assign(values.begin() + static_cast<std::ptrdiff_t>(from),
                 values.begin() + static_cast<std::ptrdiff_t>(end));
    const std::vector<double> last(chunk.end() - static_cast<std::ptrdiff_t>(width), chunk.end());
    while (chunk.size() < ChunkSize * width)
        chunk.insert(chunk.end(), last.begin(), last.end());
    return chunk;
}

}  // namespace

// The columns of the frame and the statements it runs.
class TSummaryFrame {
public:
    TSummaryFrame(TDatabaseQueries& queries, const std::string& table, const std::string& x,
                  const std::string& y, const std::string& summary, const TScaleMap& map, double lo,
                  double hi)
        : queries_(queries),
          table_(table),
          x_(x),
          y_(y),
          summary_(summary),
          map_(map),
          lo_(lo),
          hi_(hi),
          packed_(queries.Driver().dbmsType() == QSqlDriver::PostgreSQL) {
        const std::int32_t a = map.ToPixel(lo);
        const std::int32_t b = map.ToPixel(hi);
        base_ = std::min(a, b);
        columns_.resize(static_cast<std::size_t>(std::abs(std::int64_t{a} - b)) + 1);
    }

    // The blocks of `level` over the rows asked for: whole ones go to their columns, those
    // crossing an edge further down.
    void ReadLevel(int level) {
        const std::string d = detail::BoundDouble;
        const std::string select = "SELECT " + std::string(BlockColumns) + " FROM " + summary_ +
                                   " WHERE k = " + std::to_string(level) + " AND ";
        // The block holding the first rows asked for begins before them.
        std::vector<TSummaryBlock> blocks =
            Blocks(select + "fx < " + d + " ORDER BY fx DESC, b DESC LIMIT 1", {lo_});
        const std::vector<TSummaryBlock> within =
            Blocks(select + "fx >= " + d + " AND fx <= " + d, {lo_, hi_});
        blocks.insert(blocks.end(), within.begin(), within.end());
        Take(level, blocks);
    }

    // Reads down through `finer` (the summary's levels below the one read, coarsest first) to
    // the rows: the children of the blocks that need them by the key.
    void Descend(const std::vector<int>& finer) {
        for (const int level : finer) {
            if (parents_.empty()) break;
            const std::vector<double> parents = std::move(parents_);
            parents_.clear();
            const std::string select = "SELECT " + std::string(BlockColumns) + " FROM " + summary_ +
                                       " WHERE k = " + std::to_string(level) + " AND ";
            if (packed_) {
                // The parents' numbers are one value, however many: the server reads an
                // array quicker than as many values bound one by one.
                Take(level,
                     Blocks(select + "p = ANY (CAST(? AS BIGINT[]))", {IntegerArrayOf(parents)}));
                continue;
            }
            const std::string text =
                select + "p IN (" +
                Places(ChunkSize, "CAST(CAST(? AS DOUBLE PRECISION) AS BIGINT)") + ")";
            std::vector<TSummaryBlock> children;
            for (std::size_t from = 0; from < parents.size(); from += ChunkSize) {
                const std::vector<TSummaryBlock> some =
                    Blocks(text, Variants(Chunk(parents, from, 1)));
                children.insert(children.end(), some.begin(), some.end());
            }
            Take(level, children);
        }
        ReadRanges();
        ReadEdges();
    }

    std::vector<std::pair<double, double>> Rows() const {
        std::vector<std::pair<double, double>> rows;
        for (const TColumn& column : columns_) {
            if (!column.any) continue;
            for (const TRow& row : {column.first, column.last, column.low, column.high})
                rows.emplace_back(row.x, row.y);
            if (column.second) rows.emplace_back(column.second->x, column.second->y);
        }
        return rows;
    }

    void SetFinest(int level) { finest_ = level; }

private:
    void Add(const TRow& row) {
        if (!(row.x >= lo_ && row.x <= hi_)) return;
        columns_[static_cast<std::size_t>(map_.ToPixel(row.x) - base_)].Add(row);
    }
    TColumn& Column(double x) {
        return columns_[static_cast<std::size_t>(map_.ToPixel(x) - base_)];
    }

    // Every row a block names is one of its columns' rows; a block within one column gives all
    // that column needs of it. One crossing the edge of two columns whose extremes it cannot
    // change needs only the rows on either side of the edge; any other is read further down.
    void Take(int level, const std::vector<TSummaryBlock>& blocks) {
        for (const TSummaryBlock& block : blocks) {
            for (const TRow& row : {block.first, block.last, block.low, block.high})
                Add(row);
            if (block.second) Add(*block.second);
        }
        for (const TSummaryBlock& block : blocks) {
            if (block.last.x < lo_ || block.first.x > hi_) continue;
            const bool cut = block.first.x < lo_ || block.last.x > hi_;
            const std::int32_t c0 = map_.ToPixel(block.first.x);
            const std::int32_t c1 = map_.ToPixel(block.last.x);
            if (!cut && c0 == c1) continue;
            if (!cut && std::abs(std::int64_t{c1} - c0) == 1 &&
                !Column(block.first.x).MayChange(block) && !Column(block.last.x).MayChange(block)) {
                const double edge = Edge(block.first.x, block.last.x);
                const double step = EdgeSteps * (block.last.x - block.first.x) /
                                    double(std::max<std::int64_t>(1, block.n - 1));
                edges_.push_back({edge, std::max(block.first.x, edge - step),
                                  std::min(block.last.x, edge + step)});
            } else if (level == finest_) {
                ranges_.insert(ranges_.end(), {block.first.x, block.last.x});
            } else {
                parents_.push_back(static_cast<double>(block.b));
            }
        }
    }

    // The lowest X of the column after the one `from` lies in, between `from` and `to`.
    double Edge(double from, double to) const {
        const std::int32_t column = map_.ToPixel(from);
        while (true) {
            const double mid = from + (to - from) / 2;
            if (mid <= from || mid >= to) return to;
            (map_.ToPixel(mid) == column ? from : to) = mid;
        }
    }

    // The rows of ranges of X, given as their ends one after the other.
    std::vector<TRow> RangeRows(const std::vector<double>& ranges) {
        const std::string d = detail::BoundDouble;
        const std::string ranged =
            packed_ ? "unnest(CAST(? AS DOUBLE PRECISION[]), CAST(? AS "
                      "DOUBLE PRECISION[])) AS v (column1, column2)"
                    : "(VALUES " + Places(ChunkSize, "(" + d + ", " + d + ")") + ") AS v";
        const std::string text = "SELECT CAST(t." + x_ + " AS DOUBLE PRECISION) AS rx, CAST(t." +
                                 y_ + " AS DOUBLE PRECISION) AS ry FROM " + ranged + " JOIN " +
                                 table_ + " t ON t." + x_ + " >= v.column1 AND t." + x_ +
                                 " <= v.column2 WHERE t." + y_ + " IS NOT NULL";
        std::vector<TRow> rows;
        if (packed_ && !ranges.empty()) {
            ReadRows(text, {ArrayOf(ranges, 0, 2), ArrayOf(ranges, 1, 2)}, rows);
        } else if (!packed_) {
            for (std::size_t from = 0; from < ranges.size(); from += 2 * ChunkSize)
                ReadRows(text, Variants(Chunk(ranges, from, 2)), rows);
        }
        return rows;
    }

    // The rows of the finest blocks that cross an edge and may change a column's extremes.
    void ReadRanges() {
        for (const TRow& row : RangeRows(ranges_))
            Add(row);
    }

    // The rows on either side of each edge: the last before it, the first after it and the
    // first of a greater X; looked for near the edge first, then by the index on X.
    void ReadEdges() {
        std::vector<double> windows;
        for (const TEdge& edge : edges_)
            windows.insert(windows.end(), {edge.from, edge.to});
        std::vector<TRow> near = RangeRows(windows);
        std::sort(near.begin(), near.end(), [](const TRow& a, const TRow& b) { return a.x < b.x; });
        std::vector<double> missed;
        for (const TEdge& edge : edges_) {
            const auto after =
                std::lower_bound(near.begin(), near.end(), edge.x,
                                 [](const TRow& row, double x) { return row.x < x; });
            const bool before = after != near.begin() && std::prev(after)->x >= edge.from;
            const auto greater =
                std::upper_bound(after, near.end(), after == near.end() ? 0.0 : after->x,
                                 [](double x, const TRow& row) { return x < row.x; });
            if (!before || after == near.end() || after->x > edge.to || greater == near.end() ||
                greater->x > edge.to)
                missed.push_back(edge.x);
        }
        for (const TRow& row : near)
            Add(row);
        if (missed.empty()) return;
        const std::string d = detail::BoundDouble;
        const std::string cx = "CAST(t." + x_ + " AS DOUBLE PRECISION)";
        const std::string probe =
            "(SELECT " + x_ + " FROM " + table_ + " WHERE " + y_ + " IS NOT NULL AND " + x_;
        const std::string edges = packed_
                                      ? "unnest(CAST(? AS DOUBLE PRECISION[])) AS q (column1)"
                                      : "(VALUES " + Places(ChunkSize, "(" + d + ")") + ") AS q";
        std::string text = "WITH v AS (SELECT column1 AS e FROM " + edges + "), a AS (SELECT " +
                           probe + " < v.e ORDER BY " + x_ + " DESC LIMIT 1) AS l, " + probe +
                           " >= v.e ORDER BY " + x_ +
                           " LIMIT 1) AS f FROM v), w AS (SELECT l, f, " + probe +
                           " > a.f ORDER BY " + x_ + " LIMIT 1) AS s FROM a)";
        for (const char* side : {"l", "f", "s"}) {
            text += std::string(side[0] == 'l' ? " " : " UNION ALL ") + "SELECT " + cx +
                    " AS rx, CAST(t." + y_ + " AS DOUBLE PRECISION) AS ry FROM w JOIN " + table_ +
                    " t ON t." + x_ + " = w." + side + " WHERE t." + y_ + " IS NOT NULL";
        }
        std::vector<TRow> rows;
        if (packed_) {
            ReadRows(text, {ArrayOf(missed)}, rows);
        } else {
            for (std::size_t from = 0; from < missed.size(); from += ChunkSize)
                ReadRows(text, Variants(Chunk(missed, from, 1)), rows);
        }
        for (const TRow& row : rows)
            Add(row);
    }

    void ReadRows(const std::string& text, const std::vector<QVariant>& values,
                  std::vector<TRow>& rows) {
        if (packed_) {
            const QByteArray bytes = PackedAnswer(Packed(PackedRow, text), values);
            for (TUnpacker unpack(bytes); !unpack.AtEnd();)
                rows.push_back(unpack.Row());
            return;
        }
        QSqlQuery& query = queries_.RunBound(text, values);
        while (query.next())
            rows.push_back({query.value(0).toDouble(), query.value(1).toDouble()});
        if (query.lastError().isValid())
            throw DatabaseError(detail::DatabaseReason(query.lastError()));
    }

    // The one value of a packed statement; empty when it found no rows.
    QByteArray PackedAnswer(const std::string& text, const std::vector<QVariant>& values) {
        QSqlQuery& query = queries_.RunBound(text, values);
        if (!query.next()) {
            if (query.lastError().isValid())
                throw DatabaseError(detail::DatabaseReason(query.lastError()));
            return {};
        }
        QByteArray bytes = query.value(0).toByteArray();
        query.finish();
        return bytes;
    }

    std::vector<TSummaryBlock> Blocks(const std::string& text,
                                      const std::vector<QVariant>& values) {
        std::vector<TSummaryBlock> blocks;
        if (packed_) {
            const QByteArray bytes = PackedAnswer(Packed(PackedBlock, text), values);
            for (TUnpacker unpack(bytes); !unpack.AtEnd();) {
                TSummaryBlock block{.b = unpack.Integer(), .n = unpack.Integer()};
                block.first = unpack.Row();
                block.last = unpack.Row();
                block.low = unpack.Row();
                block.high = unpack.Row();
                if (unpack.Flag()) block.second = unpack.Row();
                blocks.push_back(block);
            }
            return blocks;
        }
        QSqlQuery& query = queries_.RunBound(text, values);
        const auto at = [&](int i) {
            return TRow{query.value(i).toDouble(), query.value(i + 1).toDouble()};
        };
        while (query.next()) {
            TSummaryBlock block{.b = query.value(0).toLongLong(),
                                .n = query.value(11).toLongLong(),
                                .first = at(1),
                                .last = at(5),
                                .low = at(7),
                                .high = at(9)};
            if (!query.value(3).isNull()) block.second = at(3);
            blocks.push_back(block);
        }
        if (query.lastError().isValid())
            throw DatabaseError(detail::DatabaseReason(query.lastError()));
        return blocks;
    }

    TDatabaseQueries& queries_;
    const std::string& table_;
    const std::string& x_;
    const std::string& y_;
    const std::string& summary_;
    const TScaleMap& map_;
    double lo_;
    double hi_;
    // Whether statements answer with their rows packed into one value.
    bool packed_;
    int finest_ = 0;
    std::int32_t base_ = 0;
    std::vector<TColumn> columns_;
    std::vector<double> parents_;
    std::vector<double> ranges_;
    struct TEdge {
        double x, from, to;
    };
    std::vector<TEdge> edges_;
};

TDatabasePoints TDatabaseQueries::ReduceFromSummary(const TScaleMap& x) {
    const double a = x.ToValue(std::int64_t{x.StartPixel()} - detail::BeyondPlot);
    const double b = x.ToValue(std::int64_t{x.EndPixel()} + detail::BeyondPlot);
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    const TSummary& summary = *summary_;

    // The coarsest level with a few blocks per column of the rows in view, by the share of
    // the summary's X range the view spans.
    const double span = summary.X.high - summary.X.low;
    const double shown = std::min(hi, summary.X.high) - std::max(lo, summary.X.low);
    const double rows =
        span > 0 ? std::max(0.0, shown) / span * double(summary.Rows) : double(summary.Rows);
    const double columns =
        std::abs(double(x.EndPixel()) - x.StartPixel()) + 1 + 2 * detail::BeyondPlot;
    const std::vector<int>& levels = summary.Levels;
    std::size_t first = 0;
    while (first + 1 < levels.size() &&
           std::ldexp(BlocksPerColumn, levels[first + 1]) * columns <= rows)
        ++first;

    TSummaryFrame frame(*this, table_, x_, y_, summary.Table, x, lo, hi);
    frame.SetFinest(levels.front());
    frame.ReadLevel(levels[first]);
    frame.Descend(
        std::vector<int>(levels.rend() - static_cast<std::ptrdiff_t>(first), levels.rend()));
    std::vector<std::pair<double, double>> found = frame.Rows();

    QSqlQuery& outside = Run(OutsideRowsText(), {lo, hi});
    while (outside.next())
        found.emplace_back(outside.value(0).toDouble(), outside.value(1).toDouble());
    if (outside.lastError().isValid())
        throw DatabaseError(detail::DatabaseReason(outside.lastError()));
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    TDatabasePoints points;
    points.Xs.reserve(found.size());
    points.Ys.reserve(found.size());
    for (const auto& [px, py] : found) {
        points.Xs.push_back(px);
        points.Ys.push_back(py);
    }
    return points;
}

}  // namespace twinscope
