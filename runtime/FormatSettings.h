#pragma once

#include <array>
#include <string>

namespace twinscope {

// What number and date formatting take from the user's locale. The core and the tests use the
// fixed US English default; the program installs the system locale's values at start-up.
struct FormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
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

// The settings in force for the whole program (single user-interface thread).
const FormatSettings& CurrentFormatSettings();
void SetCurrentFormatSettings(const FormatSettings& settings);

}  // namespace twinscope
