#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The day of a calendar date given as digits, nothing for a day the calendar lacks.
TWINSCOPE_EXPORT std::optional<TDateTime> DayOfDigits(std::int32_t year, std::int32_t month,
                                                      std::int32_t day);

// A date "YYYY-MM-DD" (dashes set) or "YYYYMMDD" (no dashes), read digit by digit without
// building a string; nothing for any other text or a day the calendar lacks.
TWINSCOPE_EXPORT std::optional<TDateTime> ParseDigitDate(std::string_view text, bool dashes = true);

// A date "YYYY-MM-DD", or ReadingsError for the line: "'2015-02-29' is not a date YYYY-MM-DD".
TWINSCOPE_EXPORT TDateTime ParseDayDate(std::string_view text, std::int32_t line);

}  // namespace twinscope
