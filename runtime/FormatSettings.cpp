#include "twinscope/runtime/FormatSettings.h"

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

struct TCurrentSettings {
    FormatSettings Settings;
    bool Chosen = false;
};

TCurrentSettings& Current() {
    static TCurrentSettings current;
    return current;
}

void Install(const FormatSettings& settings) {
    if (settings.DecimalSeparator.empty() ||
        settings.DecimalSeparator == settings.ThousandSeparator) {
        throw RuntimeError("The decimal separator must be set and differ from the thousands separator");
    }
    Current().Settings = settings;
}

}  // namespace

const FormatSettings& CurrentFormatSettings() {
    return Current().Settings;
}

void SetCurrentFormatSettings(const FormatSettings& settings) {
    Install(settings);
    Current().Chosen = true;
}

void SetDefaultFormatSettings(const FormatSettings& settings) {
    if (!Current().Chosen) Install(settings);
}

}  // namespace twinscope
