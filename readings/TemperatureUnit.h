#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The unit a file writes its temperatures in. The chart's left axis is in °F: every reading is
// converted to °F as it is read.
enum class TTemperatureUnit : std::uint8_t { Fahrenheit, Celsius, Kelvin };

// A temperature field read in the given unit and converted to °F; nothing when the field is no
// finite number or its value in °F would not be one.
TWINSCOPE_EXPORT std::optional<double> ParseTemperature(std::string_view field, bool decimalComma,
                                                        TTemperatureUnit unit);

// The reason a field is refused: "'warm' is not a temperature in °F (a number such as 71.5)".
TWINSCOPE_EXPORT std::string NotATemperature(std::string_view field, TTemperatureUnit unit);

}  // namespace twinscope
