#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Reads an ISO 8601 calendar date, optionally followed by a time of day after a "T" or a space:
// "2024-08-01", "2024-08-01T14:31", "2024-08-01 14:31:31", "2024-08-01T14:31:31.69" (up to
// three decimals of the second). Answers nothing for any other text, for a date or time that
// does not exist and for years outside 1..9999. Time zones are not read: the value is a plain
// calendar date and clock time, as the date pickers hold them.
TWINSCOPE_EXPORT std::optional<TDateTime> ParseIsoDateTime(std::string_view text);

// Reads texts as ParseIsoDateTime does, one after the other, keeping the last day read: the
// rows of a file mostly follow one another within a day, whose date is then not read again.
class TWINSCOPE_EXPORT TIsoDateTimeReader {
public:
    std::optional<TDateTime> Read(std::string_view text);

private:
    static constexpr std::size_t DateLength = 10;
    char day_[DateLength] = {};
    TDateTime dayValue_ = 0;
    bool known_ = false;
};

// The accepted forms, for messages that refuse a text.
inline constexpr const char* kIsoDateTimeForms = "YYYY-MM-DD, optionally with Thh:mm or Thh:mm:ss";

}  // namespace twinscope
