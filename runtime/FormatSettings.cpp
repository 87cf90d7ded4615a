#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

namespace {
FormatSettings& Current() {
    static FormatSettings settings;
    return settings;
}
}  // namespace

const FormatSettings& CurrentFormatSettings() {
    return Current();
}
void SetCurrentFormatSettings(const FormatSettings& settings) {
    Current() = settings;
}

}  // namespace twinscope
