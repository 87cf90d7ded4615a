#include "twinscope/runtime/UserSettings.h"

#include <utility>

namespace twinscope {

std::optional<std::string> TMemoryUserSettings::ReadString(const std::string& key) const {
    auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

namespace {
std::unique_ptr<TUserSettings>& Installed() {
    static std::unique_ptr<TUserSettings> settings;
    return settings;
}
}  // namespace

const TUserSettings& CurrentUserSettings() {
    static const TMemoryUserSettings empty;
    if (const auto& installed = Installed()) return *installed;
    return empty;
}

std::unique_ptr<TUserSettings> InstallUserSettings(std::unique_ptr<TUserSettings> settings) {
    return std::exchange(Installed(), std::move(settings));
}

}  // namespace twinscope
