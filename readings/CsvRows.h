#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The rows of a CSV text, one line each, numbered from 1 as an editor numbers them. A leading
// byte order mark, the carriage return of Windows line ends and blank lines are passed over.
class TWINSCOPE_EXPORT TCsvRows {
public:
    explicit TCsvRows(std::string_view text);

    // The next row that is not blank, or nothing at the end of the text.
    std::optional<std::string_view> Next();
    // The line of the row Next answered last.
    std::int32_t Line() const { return line_; }

private:
    void Report();

    std::string_view rest_;
    std::int32_t line_ = 0;
    // The address at which the watch of the text is told next; never for a text not watched.
    std::uintptr_t mark_ = UINTPTR_MAX;
};

// Told how far the rows of a text have been read, every Step bytes, while it lives: a mapped
// file lets the pages behind go, and a long load says how far it has come. One watch on a
// thread at a time; the rows of other texts are not reported. Reached may throw to end the
// reading.
class TWINSCOPE_EXPORT TRowsWatch {
public:
    static constexpr std::size_t Step = std::size_t{4} << 20;
    using TReached = std::function<void(std::size_t bytesRead)>;

    TRowsWatch(std::string_view text, TReached reached);
    ~TRowsWatch();
    TRowsWatch(const TRowsWatch&) = delete;
    TRowsWatch& operator=(const TRowsWatch&) = delete;

private:
    friend class TCsvRows;
    std::string_view text_;
    TReached reached_;
    TRowsWatch* outer_;
};

TWINSCOPE_EXPORT std::string_view TrimBlanks(std::string_view s);

// The fields of one row, trimmed and unquoted. A separator inside quotes is part of the field.
// An open quote at the end of the row raises ReadingsError for that line.
TWINSCOPE_EXPORT std::vector<std::string_view> SplitCsvRow(std::string_view row, char separator,
                                                           std::int32_t line);

// The fields of one row at a time, as SplitCsvRow gives them, kept in storage that the next row
// reuses: a reader of many rows allocates once.
class TWINSCOPE_EXPORT TCsvFields {
public:
    const std::vector<std::string_view>& Split(std::string_view row, char separator,
                                               std::int32_t line);

private:
    std::vector<std::string_view> fields_;
};

// The separator of a file whose first row is given: a semicolon when it holds one (then numbers
// may have a decimal comma), else a comma.
TWINSCOPE_EXPORT char CsvSeparatorOf(std::string_view firstRow);

// A finite number written in full ("71.5", "+80", "-3e2"), with a decimal comma when asked.
TWINSCOPE_EXPORT std::optional<double> ParseCsvNumber(std::string_view text, bool decimalComma);

TWINSCOPE_EXPORT bool HoldsDigit(std::string_view s);

// Column and element names match without regard to the case of ASCII letters.
TWINSCOPE_EXPORT bool SameColumnName(std::string_view a, std::string_view b);

// The place of the column of that name among a header's names, if it has one.
std::optional<std::size_t> ColumnPlace(const std::vector<std::string_view>& names,
                                       std::string_view name);

}  // namespace twinscope
