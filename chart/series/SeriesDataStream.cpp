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

// One record as read; the further lists' values stay in the payload reader's order.
struct StoredRecord {
    double x;
    double y;
    TColor colour;
    std::string label;
    std::vector<double> extras;
};

// Reads `count` records, handing each whole one to `take` until it answers false.
template <typename Take>
void ReadRecords(PayloadReader& in, std::uint8_t flags, std::int32_t count, StoredRecord& record,
                 Take&& take) {
    for (std::int32_t i = 0; i < count; ++i) {
        in.point = i;
        record.x = (flags & sdOrderValues) ? in.Double() : i;
        record.y = in.Double();
        record.colour = (flags & sdColors) ? in.UInt32() : clDefault;
        record.label = (flags & sdLabels) ? ReadLabel(in) : std::string();
        for (double& v : record.extras)
            v = in.Double();
        if (flags & sdMarkPositions) in.Take(SeriesMarkPositionSize);
        if ((flags & sdPictures) && in.Byte() != 0) {
            Refuse("holds a picture for point " + std::to_string(i) + "; pictures cannot be read");
        }
        if (!take(record)) return;
    }
}

// Whether adding the points one by one would only ever append: no X precedes the X before it
// in the list's order. A record cut short ends the look, as it ends the reading.
bool StoredInOrder(PayloadReader in, std::uint8_t flags, std::int32_t count,
                   std::size_t extraLists, TChartListOrder order) {
    if (order == loNone) return true;
    if (!(flags & sdOrderValues)) return order == loAscending || count < 2;
    StoredRecord record{.extras = std::vector<double>(extraLists)};
    bool inOrder = true;
    bool first = true;
    double previous = 0;
    try {
        ReadRecords(in, flags, count, record, [&](const StoredRecord& r) {
            inOrder = first || !(order == loAscending ? r.x < previous : r.x > previous);
            first = false;
            previous = r.x;
            return inOrder;
        });
    } catch (const StreamReadError&) {
    }
    return inOrder;
}

void AddRecord(TChartSeries& series, const StoredRecord& record) {
    const std::vector<TChartValueList*>& lists = series.ValueLists();
    for (std::size_t k = 0; k < record.extras.size(); ++k)
        lists[k + 2]->SetStagedValue(record.extras[k]);
    series.AddPoint(record.x, record.y, record.label, record.colour);
}

// Records read whole before any is added, one vector per field; colours and labels only when
// stored, the further lists' values record by record.
struct StoredRecords {
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<TColor> colours;
    std::vector<std::string> labels;
    std::vector<double> extras;

    void Append(const StoredRecord& r, std::uint8_t flags) {
        xs.push_back(r.x);
        ys.push_back(r.y);
        if (flags & sdColors) colours.push_back(r.colour);
        if (flags & sdLabels) labels.push_back(r.label);
        extras.insert(extras.end(), r.extras.begin(), r.extras.end());
    }
};

// The order in which adding the points one by one would leave them, found by sorting instead
// of by one ordered insert per point, which is quadratic for points stored against the order.
// Each point goes after every earlier point it does not precede: a stable sort. A value that is
// not a number precedes and follows nothing, so it stays after every earlier point and nothing
// later moves before it.
std::vector<std::int32_t> AddedOrder(const std::vector<double>& xs, TChartListOrder order) {
    std::vector<std::int32_t> indexes(xs.size());
    std::iota(indexes.begin(), indexes.end(), 0);
    auto precedes = [&](std::int32_t a, std::int32_t b) {
        return order == loAscending ? xs[a] < xs[b] : xs[a] > xs[b];
    };
    auto start = indexes.begin();
    for (auto it = indexes.begin(); it != indexes.end(); ++it) {
        if (!std::isnan(xs[*it])) continue;
        std::stable_sort(start, it, precedes);
        start = it + 1;
    }
    std::stable_sort(start, indexes.end(), precedes);
    return indexes;
}

// Adds the records in the order they take in the series: each is appended.
void AddInOrder(TChartSeries& series, const StoredRecords& records, StoredRecord& record) {
    const std::size_t extraLists = record.extras.size();
    for (const std::int32_t i : AddedOrder(records.xs, series.XValues().Order())) {
        const auto at = static_cast<std::size_t>(i);
        record.x = records.xs[at];
        record.y = records.ys[at];
        record.colour = records.colours.empty() ? clDefault : records.colours[at];
        record.label = records.labels.empty() ? std::string() : records.labels[at];
        std::copy_n(records.extras.begin() + static_cast<std::ptrdiff_t>(at * extraLists),
                    extraLists, record.extras.begin());
        AddRecord(series, record);
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

    // Points stored in the list's order are added as they are read, each appended. Others are
    // read whole first and added in the order they take, each appended too. Either way the
    // whole records before a refused one are kept.
    StoredRecord record{.extras = std::vector<double>(extraLists)};
    if (StoredInOrder(in, flags, count, extraLists, series.XValues().Order())) {
        ReadRecords(in, flags, count, record, [&](const StoredRecord& r) {
            AddRecord(series, r);
            return true;
        });
    } else {
        StoredRecords records;
        records.xs.reserve(static_cast<std::size_t>(count));
        records.ys.reserve(static_cast<std::size_t>(count));
        try {
            ReadRecords(in, flags, count, record, [&](const StoredRecord& r) {
                records.Append(r, flags);
                return true;
            });
        } catch (const StreamReadError&) {
            AddInOrder(series, records, record);
            throw;
        }
        AddInOrder(series, records, record);
    }
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
