#include <map>
#include <string>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "twinscope/platform/QtUserSettings.h"
#include "twinscope/runtime/UserSettings.h"

namespace twinscope {
namespace {

TEST(MemoryUserSettings, AnswersOnlyStoredValues) {
    EXPECT_EQ(TMemoryUserSettings().ReadString("DefaultCanvas"), std::nullopt);
    TMemoryUserSettings settings(
        std::map<std::string, std::string>{{"DefaultCanvas", "TChartCanvas3D"}});
    EXPECT_EQ(settings.ReadString("DefaultCanvas"), "TChartCanvas3D");
    EXPECT_EQ(settings.ReadString("defaultcanvas"), std::nullopt);
}

TEST(QtUserSettings, ReadsTheIniFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart-editor.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("DefaultCanvas=TChartCanvas3D\nDefaultPalette=13\n");
    file.close();

    TQtUserSettings settings(path.toStdString());
    EXPECT_EQ(settings.ReadString("DefaultCanvas"), "TChartCanvas3D");
    EXPECT_EQ(settings.ReadString("DefaultPalette"), "13");
    EXPECT_EQ(settings.ReadString("Missing"), std::nullopt);
}

TEST(QtUserSettings, MissingFileHoldsNoValuesAndIsNotCreated) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Twinscope/chart-editor.ini");
    TQtUserSettings settings(path.toStdString());
    EXPECT_EQ(settings.ReadString("DefaultCanvas"), std::nullopt);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QDir(dir.filePath("Twinscope")).exists());
}

TEST(QtUserSettings, DefaultsToTheUsersConfigurationDirectory) {
    EXPECT_TRUE(
        QString::fromStdString(TQtUserSettings().Path()).endsWith("/Twinscope/chart-editor.ini"));
}

}  // namespace
}  // namespace twinscope
