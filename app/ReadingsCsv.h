#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "twinscope/readings/Readings.h"
#include "twinscope/readings/TemperatureUnit.h"

namespace twinscope {

// Reads CSV text: per row a date (ISO 8601, with or without time) and a temperature, separated
// by a comma or, when the first row holds one, a semicolon (then a decimal comma is accepted
// too). Fields may be quoted and padded with blanks; blank lines are skipped. A first row whose
// date field holds no digit is a header. Rows may come in any order. Any bad row, or a text
// without rows, raises ReadingsError and yields nothing.
TReadings ParseReadingsCsv(std::string_view text,
                           TTemperatureUnit unit = TTemperatureUnit::Fahrenheit);

// Reads the file at path as above; a file that cannot be read raises ReadingsError too.
TReadings ReadReadingsCsv(const std::string& path);

}  // namespace twinscope
