#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// What number and date formatting take from the user's locale. The core and the tests use the
// fixed US English default; the program installs the system locale's values at start-up, and a
// chart widget installs its locale's values unless the program has chosen its own. Separators
// are UTF-8 text: a locale's thousands separator may be a space such as U+202F.
struct TWINSCOPE_EXPORT FormatSettings {
    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";
    std::string DateSeparator = "/";
    std::string TimeSeparator = ":";
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string ShortTimeFormat = "h:nn AMPM";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// The settings in force for the whole program (single user-interface thread). Raises
// RuntimeError "The decimal separator must be set and differ from the thousands separator"
// when "1,5" and "1,500" could not be told apart, and keeps the settings in force.
TWINSCOPE_EXPORT const FormatSettings& CurrentFormatSettings();
TWINSCOPE_EXPORT void SetCurrentFormatSettings(const FormatSettings& settings);
// Counts the settings installed, so that what was written with them can tell it is still right.
TWINSCOPE_EXPORT std::uint64_t FormatSettingsRevision();
// Installs settings as SetCurrentFormatSettings does, unless the program has already chosen its
// own through SetCurrentFormatSettings: the default a chart widget takes from its locale.
TWINSCOPE_EXPORT void SetDefaultFormatSettings(const FormatSettings& settings);

}  // namespace twinscope
