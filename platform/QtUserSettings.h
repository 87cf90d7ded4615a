#pragma once

#include <optional>
#include <string>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/UserSettings.h"

namespace twinscope {

// The chart editor's per-user settings, read from an INI file and never written:
// "<config>/Twinscope/chart-editor.ini" under the user's configuration directory, holding for
// example "DefaultCanvas=TChartCanvas3D" and "DefaultPalette=13" at the top level. A missing
// file holds no values.
class TWINSCOPE_EXPORT TQtUserSettings final : public TUserSettings {
public:
    TQtUserSettings();
    explicit TQtUserSettings(std::string path) : path_(std::move(path)) {}

    std::optional<std::string> ReadString(const std::string& key) const override;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace twinscope
