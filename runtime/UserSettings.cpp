#include "runtime/UserSettings.h"

namespace twinscope {

std::optional<std::string> TMemoryUserSettings::ReadString(const std::string& key) const {
    auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

}  // namespace twinscope
