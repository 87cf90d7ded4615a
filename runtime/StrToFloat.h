#pragma once

#include <string>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

// Reads a number written as [sign] digits [DecimalSeparator digits] [e|E [sign] digits], with
// blanks (spaces, tabs) allowed around it. Only the settings' decimal separator is accepted
// and no thousands separators. Anything else, an empty text, NaN or infinity words and values
// beyond the double range raise ConversionError "'<text>' is not a valid floating point value";
// a value too small for a double reads as the nearest one (possibly zero).
TWINSCOPE_EXPORT double StrToFloat(const std::string& text);
TWINSCOPE_EXPORT double StrToFloat(const std::string& text, const FormatSettings& settings);

}  // namespace twinscope
