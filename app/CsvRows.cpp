#include "app/CsvRows.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/ReadingsCsv.h"

namespace twinscope {

TCsvRows::TCsvRows(std::string_view text) : rest_(text) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (rest_.starts_with(ByteOrderMark)) rest_.remove_prefix(ByteOrderMark.size());
}

std::optional<std::string_view> TCsvRows::Next() {
    while (!rest_.empty()) {
        ++line_;
        const std::size_t end = std::min(rest_.find('\n'), rest_.size());
        std::string_view row = rest_.substr(0, end);
        rest_.remove_prefix(std::min(end + 1, rest_.size()));
        if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
        if (!TrimBlanks(row).empty()) return row;
    }
    return std::nullopt;
}

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> SplitCsvRow(std::string_view row, char separator, std::int32_t line) {
    std::vector<std::string_view> fields;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= row.size(); ++i) {
        if (i < row.size() && row[i] == '"') quoted = !quoted;
        if (i < row.size() && (quoted || row[i] != separator)) continue;
        std::string_view field = TrimBlanks(row.substr(start, i - start));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
            field = TrimBlanks(field.substr(1, field.size() - 2));
        }
        fields.push_back(field);
        start = i + 1;
    }
    if (quoted) throw ReadingsError(line, "a quoted field is not closed");
    return fields;
}

char CsvSeparatorOf(std::string_view firstRow) {
    return firstRow.find(';') != std::string_view::npos ? ';' : ',';
}

std::optional<double> ParseCsvNumber(std::string_view text, bool decimalComma) {
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

bool SameColumnName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace twinscope
