#include "twinscope/chart/series/SeriesDataStream.h"

#include <bit>
#include <cstdio>
#include <limits>
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

    std::vector<double> extras(extraLists);
    for (std::int32_t i = 0; i < count; ++i) {
        in.point = i;
        const double x = (flags & sdOrderValues) ? in.Double() : i;
        const double y = in.Double();
        const TColor colour = (flags & sdColors) ? in.UInt32() : clDefault;
        const std::string label = (flags & sdLabels) ? ReadLabel(in) : std::string();
        for (double& v : extras)
            v = in.Double();
        if (flags & sdMarkPositions) in.Take(SeriesMarkPositionSize);
        if ((flags & sdPictures) && in.Byte() != 0) {
            Refuse("holds a picture for point " + std::to_string(i) + "; pictures cannot be read");
        }
        // The point is added only once its whole record has arrived.
        for (std::size_t k = 0; k < extraLists; ++k)
            lists[k + 2]->SetStagedValue(extras[k]);
        series.AddPoint(x, y, label, colour);
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
