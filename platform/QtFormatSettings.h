#pragma once

#include <QLocale>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

// The format settings of a Qt locale: separators (never the same two), date and time formats
// written in the runtime's format language, month and day names.
TWINSCOPE_EXPORT FormatSettings FormatSettingsFromLocale(const QLocale& locale);

// Qt's date/time format letters turned into the runtime's ("M/d/yyyy" -> "m/d/yyyy",
// "h:mm AP" -> "h:nn AMPM").
TWINSCOPE_EXPORT std::string RuntimeDateTimeFormat(const QString& qtFormat);

}  // namespace twinscope
