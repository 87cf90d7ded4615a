#include "twinscope/runtime/FormatSettings.h"

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

struct TCurrentSettings {
    FormatSettings Settings;
    bool Chosen = false;
    std::uint64_t Revision = 0;
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
    ++Current().Revision;
}

}  // namespace

const FormatSettings& CurrentFormatSettings() {
    return Current().Settings;
}

std::uint64_t FormatSettingsRevision() {
    return Current().Revision;
}

void SetCurrentFormatSettings(const FormatSettings& settings) {
    Install(settings);
    Current().Chosen = true;
}

void SetDefaultFormatSettings(const FormatSettings& settings) {
    if (!Current().Chosen) Install(settings);
}

}  // namespace twinscope
