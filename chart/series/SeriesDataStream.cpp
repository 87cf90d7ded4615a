#include "twinscope/chart/series/SeriesDataStream.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>
#include <string>

#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

constexpr std::size_t HeaderSize = 5;
constexpr std::uint8_t KnownFlags =
    sdOrderValues | sdColors | sdLabels | sdMarkPositions | sdPictures;
// A label length byte of this value announces an int32 length.
constexpr std::uint8_t LongLabel = 0xFF;

[[noreturn]] void Refuse(const std::string& message) {
    throw StreamReadError("Series data " + message);
}

// Little-endian reads that never pass the end of the payload. `point` names the record being
// read, for the message when it is cut short.
class PayloadReader {
public:
    explicit PayloadReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int32_t point = -1;
    std::size_t Remaining() const { return bytes_.size() - pos_; }

    std::uint8_t Byte() { return Take(1)[0]; }
    std::uint32_t UInt32() {
        const std::span<const std::uint8_t> b = Take(4);
        return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
               std::uint32_t{b[3]} << 24;
    }
    std::int32_t Int32() { return static_cast<std::int32_t>(UInt32()); }
    double Double() {
        const std::span<const std::uint8_t> b = Take(8);
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = bits << 8 | b[static_cast<std::size_t>(i)];
        return std::bit_cast<double>(bits);
    }
    // n bytes; the caller has already refused a negative length.
    std::span<const std::uint8_t> Take(std::size_t n) {
        if (n > Remaining()) Refuse("ends inside point " + std::to_string(point));
        const std::span<const std::uint8_t> taken = bytes_.subspan(pos_, n);
        pos_ += n;
        return taken;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

class PayloadWriter {
public:
    std::vector<std::uint8_t> bytes;

    void Byte(std::uint8_t b) { bytes.push_back(b); }
    void UInt32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Int32(std::int32_t v) { UInt32(static_cast<std::uint32_t>(v)); }
    void Double(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
    void Text(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); }
};

std::string HexByte(std::uint8_t b) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", b);
    return text;
}

std::string ReadLabel(PayloadReader& in) {
    std::int64_t length = in.Byte();
    if (length == LongLabel) {
        length = in.Int32();
        if (length < 0) {
            Refuse("has a negative label length (" + std::to_string(length) + ") in point " +
                   std::to_string(in.point));
        }
    }
    // Taken before the text is built, so a length beyond the payload allocates nothing.
    const std::span<const std::uint8_t> text = in.Take(static_cast<std::size_t>(length));
    return std::string(text.begin(), text.end());
}

// The smallest record the flags allow: a label can be a single length byte, everything else
// has a fixed size.
std::uint64_t MinimumRecordSize(std::uint8_t flags, std::size_t extraLists) {
    std::uint64_t size = 8 + 8 * std::uint64_t{extraLists};
    if (flags & sdOrderValues) size += 8;
    if (flags & sdColors) size += 4;
    if (flags & sdLabels) size += 1;
    if (flags & sdMarkPositions) size += SeriesMarkPositionSize;
    if (flags & sdPictures) size += 1;
    return size;
}

bool XValuesAreIndexes(const TChartSeries& series) {
    const TChartValueList& x = series.XValues();
    for (std::int32_t i = 0; i < x.Count(); ++i) {
        if (x[i] != i) return false;
    }
    return true;
}

// Every point is looked at: a point of its own colour or with a label anywhere in the series
// must not be lost on the way to the stored window.
bool HasOwnColours(const TChartSeries& series) {
    if (!series.HasPointColors()) return false;
    for (std::int32_t i = 0; i < series.PointCount(); ++i) {
        const TColor c = series.StoredColor(i);
        if (c != clDefault && c != series.SeriesColor()) return true;
    }
    return false;
}

bool HasLabels(const TChartSeries& series) {
    for (const std::string& label : series.Labels()) {
        if (!label.empty()) return true;
    }
    return false;
}

std::uint8_t DataFlags(const TChartSeries& series) {
    std::uint8_t flags = 0;
    if (series.StoreXValues() && series.PointCount() > 0 && !XValuesAreIndexes(series))
        flags |= sdOrderValues;
    if (HasOwnColours(series)) flags |= sdColors;
    if (HasLabels(series)) flags |= sdLabels;
    return flags;
}

// The records read so far, one vector per field; colours and labels only when stored.
struct StoredPoints {
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<TColor> colours;
    std::vector<std::string> labels;
    std::vector<double> extras;  // the further lists' values, record by record
};

// The order in which adding the points one by one would leave them, found by sorting instead
// of by one ordered insert per point, which is quadratic for points stored against the order.
// Each point goes after every earlier point it does not precede: a stable sort. A value that is
// not a number precedes and follows nothing, so it stays after every earlier point and nothing
// later moves before it.
std::vector<std::int32_t> AddedOrder(const std::vector<double>& xs, TChartListOrder order) {
    std::vector<std::int32_t> indexes(xs.size());
    std::iota(indexes.begin(), indexes.end(), 0);
    if (order == loNone) return indexes;
    auto precedes = [&](std::int32_t a, std::int32_t b) {
        return order == loAscending ? xs[a] < xs[b] : xs[a] > xs[b];
    };
    auto sort = [&](auto from, auto to) {
        if (!std::is_sorted(from, to, precedes)) std::stable_sort(from, to, precedes);
    };
    auto start = indexes.begin();
    for (auto it = indexes.begin(); it != indexes.end(); ++it) {
        if (!std::isnan(xs[*it])) continue;
        sort(start, it);
        start = it + 1;
    }
    sort(start, indexes.end());
    return indexes;
}

// Adds the points in the order they take in the series: each is appended.
void AddPoints(TChartSeries& series, const StoredPoints& points) {
    const std::vector<TChartValueList*>& lists = series.ValueLists();
    const std::size_t extraLists = lists.size() - 2;
    for (const std::int32_t i : AddedOrder(points.xs, series.XValues().Order())) {
        const auto at = static_cast<std::size_t>(i);
        for (std::size_t k = 0; k < extraLists; ++k)
            lists[k + 2]->SetStagedValue(points.extras[at * extraLists + k]);
        series.AddPoint(points.xs[at], points.ys[at],
                        points.labels.empty() ? std::string() : points.labels[at],
                        points.colours.empty() ? clDefault : points.colours[at]);
    }
}

}  // namespace

void ReadSeriesData(TChartSeries& series, std::span<const std::uint8_t> payload) {
    series.ClearPoints();
    series.SetLoadedFromStream(false);

    PayloadReader in(payload);
    if (payload.size() < HeaderSize) {
        Refuse("too short: " + std::to_string(payload.size()) + " bytes, the header alone takes " +
               std::to_string(HeaderSize));
    }
    const std::uint8_t flags = in.Byte();
    if (flags & ~KnownFlags) Refuse("has unknown flags " + HexByte(flags));
    const std::int32_t count = in.Int32();
    if (count < 0) Refuse("announces a negative point count (" + std::to_string(count) + ")");

    const std::vector<TChartValueList*>& lists = series.ValueLists();
    const std::size_t extraLists = lists.size() - 2;
    // Checked before anything is read or allocated, so a huge count in a short payload costs
    // nothing. The product stays far below 2^64: count < 2^31 and a record's minimum size
    // is a few dozen bytes per value list.
    const std::uint64_t needed = std::uint64_t(count) * MinimumRecordSize(flags, extraLists);
    if (needed > in.Remaining()) {
        Refuse("announces " + std::to_string(count) + " points, which need at least " +
               std::to_string(needed) + " bytes; only " + std::to_string(in.Remaining()) +
               " follow the header");
    }

    // Room for every point at once: growing a long list step by step costs far more, and the
    // check above bounds the reservation by the size of the payload.
    series.ReservePoints(static_cast<std::size_t>(count));
    series.BeginBatch();
    struct BatchEnd {
        TChartSeries& s;
        ~BatchEnd() { s.EndBatch(); }
    } batchEnd{series};

    // Every record is read before a point is added, so that the points are added in the order
    // they take in the series. A refused payload keeps its whole records.
    StoredPoints points;
    points.xs.reserve(static_cast<std::size_t>(count));
    points.ys.reserve(static_cast<std::size_t>(count));
    points.extras.reserve(static_cast<std::size_t>(count) * extraLists);
    try {
        for (std::int32_t i = 0; i < count; ++i) {
            in.point = i;
            const double x = (flags & sdOrderValues) ? in.Double() : i;
            const double y = in.Double();
            const TColor colour = (flags & sdColors) ? in.UInt32() : clDefault;
            std::string label = (flags & sdLabels) ? ReadLabel(in) : std::string();
            for (std::size_t k = 0; k < extraLists; ++k)
                points.extras.push_back(in.Double());
            if (flags & sdMarkPositions) in.Take(SeriesMarkPositionSize);
            if ((flags & sdPictures) && in.Byte() != 0) {
                Refuse("holds a picture for point " + std::to_string(i) +
                       "; pictures cannot be read");
            }
            points.xs.push_back(x);
            points.ys.push_back(y);
            if (flags & sdColors) points.colours.push_back(colour);
            if (flags & sdLabels) points.labels.push_back(std::move(label));
        }
    } catch (const StreamReadError&) {
        AddPoints(series, points);
        throw;
    }
    AddPoints(series, points);
    if (in.Remaining() != 0) {
        Refuse("has extra bytes after its last point (" + std::to_string(in.Remaining()) + ")");
    }
    series.SetLoadedFromStream(true);
}

std::vector<std::uint8_t> WriteSeriesData(const TChartSeries& series) {
    const std::uint8_t flags = DataFlags(series);
    const std::int32_t count = series.PointCount();
    const std::vector<TChartValueList*>& lists = series.ValueLists();

    PayloadWriter out;
    out.bytes.reserve(HeaderSize +
                      static_cast<std::size_t>(count) * MinimumRecordSize(flags, lists.size() - 2));
    out.Byte(flags);
    out.Int32(count);
    for (std::int32_t i = 0; i < count; ++i) {
        if (flags & sdOrderValues) out.Double(series.XValues()[i]);
        out.Double(series.YValues()[i]);
        if (flags & sdColors) out.UInt32(series.StoredColor(i));
        if (flags & sdLabels) {
            const std::string label = series.Label(i);
            if (label.size() < LongLabel) {
                out.Byte(static_cast<std::uint8_t>(label.size()));
            } else {
                if (label.size() > std::size_t{std::numeric_limits<std::int32_t>::max()})
                    throw RuntimeError("Series data: the label of point " + std::to_string(i) +
                                       " is too long to store");
                out.Byte(LongLabel);
                out.Int32(static_cast<std::int32_t>(label.size()));
            }
            out.Text(label);
        }
        for (std::size_t k = 2; k < lists.size(); ++k)
            out.Double((*lists[k])[i]);
    }
    return std::move(out.bytes);
}

bool ShouldWriteData(const TChartSeries& series, const TChartSeries* ancestor) {
    if (ancestor) return !SameSeriesData(series, *ancestor);
    return series.ForceStoreData() || (series.LoadedFromStream() && !series.NeverStoreData());
}

bool SameSeriesData(const TChartSeries& a, const TChartSeries& b) {
    return WriteSeriesData(a) == WriteSeriesData(b);
}

}  // namespace twinscope
