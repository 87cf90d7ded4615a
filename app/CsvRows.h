#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace twinscope {

// The rows of a CSV text, one line each, numbered from 1 as an editor numbers them. A leading
// byte order mark, the carriage return of Windows line ends and blank lines are passed over.
class TCsvRows {
public:
    explicit TCsvRows(std::string_view text);

    // The next row that is not blank, or nothing at the end of the text.
    std::optional<std::string_view> Next();
    // The line of the row Next answered last.
    std::int32_t Line() const { return line_; }

private:
    std::string_view rest_;
    std::int32_t line_ = 0;
};

std::string_view TrimBlanks(std::string_view s);

// The fields of one row, trimmed and unquoted. A separator inside quotes is part of the field.
// An open quote at the end of the row raises ReadingsError for that line.
std::vector<std::string_view> SplitCsvRow(std::string_view row, char separator, std::int32_t line);

// The separator of a file whose first row is given: a semicolon when it holds one (then numbers
// may have a decimal comma), else a comma.
char CsvSeparatorOf(std::string_view firstRow);

// A finite number written in full ("71.5", "+80", "-3e2"), with a decimal comma when asked.
std::optional<double> ParseCsvNumber(std::string_view text, bool decimalComma);

bool HoldsDigit(std::string_view s);

// Column and element names match without regard to the case of ASCII letters.
bool SameColumnName(std::string_view a, std::string_view b);

}  // namespace twinscope
