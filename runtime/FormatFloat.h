#pragma once

#include <string>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

// Writes a number through a format such as "#,##0.###", "0.00E+00" or "0.0;(0.0);zero".
//
//   0      digit placeholder: a digit or a padding zero
//   #      optional digit
//   .      the first one is the decimal point (printed as DecimalSeparator, and only when a
//          fraction digit follows); later ones are ignored
//   ,      anywhere in the integer part: group the integer digits by three with
//          ThousandSeparator; the comma itself prints nothing
//   E+ E- e+ e-  scientific notation; the 0s that follow give the minimum exponent digits.
//          E+ always writes the exponent's sign, E- only a minus. The mantissa has as many
//          integer digits as the integer part has placeholders from its first 0 (at least one)
//   '..' ".."  literal text
//   ;      separates up to three sections: positive; negative; zero. A negative value written
//          with the second section gets no minus sign of its own; an empty or missing section
//          falls back to the first, which then writes a leading minus for a negative value
//
// Any other character, % included, is copied as it is; nothing scales the value.
// Rounding is half away from zero on the shortest decimal form that reads back as the same
// double, so 1.005 with "0.00" gives "1.01". A value that rounds to zero is zero: it takes the
// zero section and never shows a minus sign. NaN and infinities give "NAN", "INF" and "-INF".
// An empty format gives the shortest form with at most 15 significant digits, in scientific
// notation ("1.5E+20", "1E-5") below 1e-4 and from 1e15 on.
TWINSCOPE_EXPORT std::string FormatFloat(const std::string& format, double value);
TWINSCOPE_EXPORT std::string FormatFloat(const std::string& format, double value,
                                         const FormatSettings& settings);

}  // namespace twinscope
