#include "twinscope/platform/QtUserSettings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace twinscope {

TQtUserSettings::TQtUserSettings()
    : path_((QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
             "/Twinscope/chart-editor.ini")
                .toStdString()) {}

std::optional<std::string> TQtUserSettings::ReadString(const std::string& key) const {
    const QString path = QString::fromStdString(path_);
    if (!QFileInfo(path).isFile()) return std::nullopt;
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant value = settings.value(QString::fromStdString(key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

}  // namespace twinscope
