#include "app/ReadingsCsv.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <optional>

#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The fields of one row, trimmed and unquoted. A separator inside quotes is part of the field.
std::vector<std::string_view> SplitRow(std::string_view row, char separator, std::int32_t line) {
    std::vector<std::string_view> fields;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= row.size(); ++i) {
        if (i < row.size() && row[i] == '"') quoted = !quoted;
        if (i < row.size() && (quoted || row[i] != separator)) continue;
        std::string_view field = Trim(row.substr(start, i - start));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
            field = Trim(field.substr(1, field.size() - 2));
        }
        fields.push_back(field);
        start = i + 1;
    }
    if (quoted) throw ReadingsError(line, "a quoted field is not closed");
    return fields;
}

std::optional<double> ParseTemperature(std::string_view text, bool decimalComma) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    char buffer[64];
    if (text.empty() || text.size() >= sizeof buffer) return std::nullopt;
    std::copy(text.begin(), text.end(), buffer);
    if (decimalComma) std::replace(buffer, buffer + text.size(), ',', '.');
    double value = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + text.size(), value);
    if (error != std::errc{} || end != buffer + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool HoldsDigit(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Orders the readings by date; equal dates keep their order. Files mostly come sorted, which
// costs one pass.
void SortByDate(TReadings& r) {
    if (std::is_sorted(r.Dates.begin(), r.Dates.end())) return;
    std::vector<std::uint32_t> order(r.Dates.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return r.Dates[a] < r.Dates[b]; });
    TReadings sorted;
    sorted.Dates.reserve(order.size());
    sorted.Temperatures.reserve(order.size());
    for (std::uint32_t i : order) {
        sorted.Dates.push_back(r.Dates[i]);
        sorted.Temperatures.push_back(r.Temperatures[i]);
    }
    r = std::move(sorted);
}

}  // namespace

TReadings ParseReadingsCsv(std::string_view text) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());

    TReadings readings;
    // A rough row count from the size keeps the vectors from growing many times.
    readings.Dates.reserve(text.size() / 24);
    readings.Temperatures.reserve(text.size() / 24);
    std::optional<char> separator;
    std::int32_t line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view row = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
        if (Trim(row).empty()) continue;

        const bool first = !separator;
        if (first) separator = row.find(';') != std::string_view::npos ? ';' : ',';
        const std::vector<std::string_view> fields = SplitRow(row, *separator, line);
        if (first && !HoldsDigit(fields[0])) continue;  // the header
        if (fields.size() != 2) {
            throw ReadingsError(line, "expected a date and a temperature separated by '" +
                                          std::string(1, *separator) + "', found " +
                                          std::to_string(fields.size()) + " fields");
        }
        if (fields[0].empty()) throw ReadingsError(line, "the date is missing");
        const auto date = ParseIsoDateTime(fields[0]);
        if (!date) {
            throw ReadingsError(line, "'" + std::string(fields[0]) + "' is not an ISO 8601 date (" +
                                          kIsoDateTimeForms + ")");
        }
        if (fields[1].empty()) throw ReadingsError(line, "the temperature is missing");
        const auto temperature = ParseTemperature(fields[1], *separator == ';');
        if (!temperature) {
            throw ReadingsError(line, "'" + std::string(fields[1]) +
                                          "' is not a temperature in °F (a number such as 71.5)");
        }
        readings.Dates.push_back(*date);
        readings.Temperatures.push_back(*temperature);
    }
    if (readings.Dates.empty()) throw ReadingsError(0, "the file holds no readings");
    SortByDate(readings);
    return readings;
}

TReadings ReadReadingsCsv(const std::string& path) {
    const auto fail = [] {
        throw ReadingsError(0, std::string("cannot be read (") + std::strerror(errno) + ")");
    };
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) fail();
    // Read in blocks: the size of a pipe is not known beforehand.
    std::string text;
    constexpr std::size_t Block = 1 << 20;
    std::size_t size = 0;
    do {
        text.resize(size + Block);
        size += std::fread(text.data() + size, 1, Block, file.get());
    } while (size == text.size());
    if (std::ferror(file.get())) fail();
    text.resize(size);
    return ParseReadingsCsv(text);
}

}  // namespace twinscope
