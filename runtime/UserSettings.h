#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The per-user settings of the chart editor, read only. The chart takes its initial
// "DefaultCanvas" and "DefaultPalette" from here; a value that is not stored is absent.
class TWINSCOPE_EXPORT TUserSettings {
public:
    virtual ~TUserSettings() = default;
    virtual std::optional<std::string> ReadString(const std::string& key) const = 0;
};

// Settings held in memory: empty for the core and most tests, filled where a test needs values.
class TWINSCOPE_EXPORT TMemoryUserSettings final : public TUserSettings {
public:
    TMemoryUserSettings() = default;
    explicit TMemoryUserSettings(std::map<std::string, std::string> values)
        : values_(std::move(values)) {}

    std::optional<std::string> ReadString(const std::string& key) const override;

private:
    std::map<std::string, std::string> values_;
};

// The settings store in force for the process: empty until the program installs its own.
TWINSCOPE_EXPORT const TUserSettings& CurrentUserSettings();
// Installs a store (nullptr: back to the empty one) and returns the one it replaces.
TWINSCOPE_EXPORT std::unique_ptr<TUserSettings> InstallUserSettings(
    std::unique_ptr<TUserSettings> settings);

}  // namespace twinscope
