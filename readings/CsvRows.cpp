#include "twinscope/readings/CsvRows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include <fast_float/fast_float.h>

#include "twinscope/readings/Readings.h"

namespace twinscope {

namespace {

thread_local TRowsWatch* currentWatch = nullptr;

std::uintptr_t AddressOf(const char* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

// Blank rows and padding are spaces and tabs.
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

TRowsWatch::TRowsWatch(std::string_view text, TReached reached)
    : text_(text), reached_(std::move(reached)), outer_(currentWatch) {
    currentWatch = this;
}

TRowsWatch::~TRowsWatch() {
    currentWatch = outer_;
}

TCsvRows::TCsvRows(std::string_view text) : rest_(text) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (rest_.starts_with(ByteOrderMark)) rest_.remove_prefix(ByteOrderMark.size());
    const TRowsWatch* watch = currentWatch;
    if (!watch || watch->text_.empty()) return;
    const std::uintptr_t begin = AddressOf(watch->text_.data());
    const std::uintptr_t at = AddressOf(rest_.data());
    if (at < begin || at >= begin + watch->text_.size()) return;
    mark_ = begin + (at - begin) / TRowsWatch::Step * TRowsWatch::Step + TRowsWatch::Step;
}

void TCsvRows::Report() {
    const std::uintptr_t begin = AddressOf(currentWatch->text_.data());
    const std::uintptr_t at = AddressOf(rest_.data());
    mark_ = begin + (at - begin) / TRowsWatch::Step * TRowsWatch::Step + TRowsWatch::Step;
    currentWatch->reached_(at - begin);
}

std::optional<std::string_view> TCsvRows::Next() {
    if (AddressOf(rest_.data()) >= mark_ && currentWatch) Report();
    while (!rest_.empty()) {
        ++line_;
        const void* newline = std::memchr(rest_.data(), '\n', rest_.size());
        const std::size_t end =
            newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - rest_.data())
                    : rest_.size();
        std::string_view row(rest_.data(), end);
        rest_.remove_prefix(std::min(end + 1, rest_.size()));
        if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
        // Most rows start with their first field.
        if (!row.empty() && !IsBlank(row.front())) return row;
        if (!TrimBlanks(row).empty()) return row;
    }
    return std::nullopt;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> SplitCsvRow(std::string_view row, char separator, std::int32_t line) {
    TCsvFields fields;
    return fields.Split(row, separator, line);
}

namespace {

const char* Find(const char* p, const char* end, char c) {
    return p == end
               ? nullptr
               : static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)));
}

const char* SkipBlanks(const char* p, const char* end) {
    while (p != end && IsBlank(*p))
        ++p;
    return p;
}

// The fields of a row whose every field is either free of quotes or quoted as a whole, as good
// as every row is: each cut is found with one search. False for any other row.
bool SplitPlainly(std::string_view row, char separator, std::vector<std::string_view>& fields) {
    const char* p = row.data();
    const char* const end = p + row.size();
    const bool quotes = Find(p, end, '"') != nullptr;
    for (;;) {
        const char* q = SkipBlanks(p, end);
        if (quotes && q != end && *q == '"') {
            const char* close = Find(q + 1, end, '"');
            if (!close) return false;
            const char* after = SkipBlanks(close + 1, end);
            if (after != end && *after != separator) return false;
            fields.push_back(TrimBlanks(std::string_view(q + 1, close - q - 1)));
            if (after == end) return true;
            p = after + 1;
            continue;
        }
        const char* at = Find(q, end, separator);
        const char* stop = at ? at : end;
        if (quotes && Find(q, stop, '"')) return false;
        fields.push_back(TrimBlanks(std::string_view(q, static_cast<std::size_t>(stop - q))));
        if (!at) return true;
        p = at + 1;
    }
}

}  // namespace

const std::vector<std::string_view>& TCsvFields::Split(std::string_view row, char separator,
                                                       std::int32_t line) {
    std::vector<std::string_view>& fields = fields_;
    fields.clear();
    if (SplitPlainly(row, separator, fields)) return fields;
    // Quotes inside a field: each one opens or closes a quoted part.
    fields.clear();
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

namespace {

// A number whose digits are not all zeros, up to its exponent: one that reads as 0 only because
// it is too small for a double.
bool NonZeroMantissa(std::string_view text) {
    for (char c : text) {
        if (c == 'e' || c == 'E') return false;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

// "-12.75": a sign, digits, a point and digits, 15 digits at most. Their whole number and the
// power of ten that divides it are both exact doubles, so one division rounds as correctly as
// a full parse would; other numbers take the full parse, and NaN stands for them here.
double ShortDecimal(std::string_view text) {
    constexpr double Other = std::numeric_limits<double>::quiet_NaN();
    static constexpr std::array<double, 16> PowersOfTen = {
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    std::uint64_t whole = 0;
    int digits = 0;
    int decimals = 0;
    const char* point = nullptr;
    for (; p != end; ++p) {
        const unsigned d = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (d <= 9) {
            whole = whole * 10 + d;
            ++digits;
            decimals += point ? 1 : 0;
        } else if (*p == '.' && !point) {
            point = p;
        } else {
            return Other;
        }
    }
    if (digits == 0 || digits > 15 || (point && decimals == 0) || point == text.data() + negative)
        return Other;
    const double value =
        static_cast<double>(whole) / PowersOfTen[static_cast<std::size_t>(decimals)];
    return negative ? -value : value;
}

}  // namespace

std::optional<double> ParseCsvNumber(std::string_view text, bool decimalComma) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    constexpr std::size_t Longest = 63;
    if (text.empty() || text.size() > Longest) return std::nullopt;
    if (const double value = ShortDecimal(text); !std::isnan(value)) return value;
    char buffer[Longest];
    const char* begin = text.data();
    if (decimalComma && text.find(',') != std::string_view::npos) {
        std::copy(text.begin(), text.end(), buffer);
        std::replace(buffer, buffer + text.size(), ',', '.');
        begin = buffer;
    }
    const char* const end = begin + text.size();
    double value = 0;
    const fast_float::from_chars_result result = fast_float::from_chars(begin, end, value);
    if (result.ec != std::errc{} || result.ptr != end || !std::isfinite(value)) return std::nullopt;
    // Too small a number is refused rather than read as 0.
    if (value == 0 && NonZeroMantissa(text)) return std::nullopt;
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

std::optional<std::size_t> ColumnPlace(const std::vector<std::string_view>& names,
                                       std::string_view name) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](std::string_view n) { return SameColumnName(n, name); });
    if (found == names.end()) return std::nullopt;
    return static_cast<std::size_t>(found - names.begin());
}

}  // namespace twinscope
