#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/runtime/UserSettings.h"

namespace twinscope {
namespace {

// Installs per-user settings for one test and restores the previous ones afterwards.
class ScopedUserSettings {
public:
    explicit ScopedUserSettings(std::map<std::string, std::string> values)
        : previous_(InstallUserSettings(std::make_unique<TMemoryUserSettings>(std::move(values)))) {
    }
    ~ScopedUserSettings() { InstallUserSettings(std::move(previous_)); }

private:
    std::unique_ptr<TUserSettings> previous_;
};

class ChartCanvasSelectionTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterQtCanvases(); }
};

TEST_F(ChartCanvasSelectionTest, ANewChartDrawsWithGdiPlus) {
    TChart chart;
    ASSERT_NE(chart.Canvas(), nullptr);
    EXPECT_EQ(chart.DefaultCanvas(), "TGDIPlusCanvas");
    EXPECT_EQ(chart.Canvas()->Description(), "GDI+");
}

struct SettingsCase {
    const char* name;
    std::map<std::string, std::string> settings;
    const char* canvasClass;
    std::int32_t paletteIndex;
};

class UserSettingsTest : public ChartCanvasSelectionTest,
                         public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(UserSettingsTest, InitialCanvasAndPaletteComeFromTheUsersSettings) {
    ScopedUserSettings settings(GetParam().settings);
    TChart chart;
    EXPECT_EQ(chart.Canvas()->ClassName(), GetParam().canvasClass);
    EXPECT_EQ(chart.ColorPaletteIndex(), GetParam().paletteIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UserSettingsTest,
    ::testing::Values(
        SettingsCase{"NothingStored", {}, "TGDIPlusCanvas", 13},
        SettingsCase{"GdiChosen", {{"DefaultCanvas", "TChartCanvas3D"}}, "TChartCanvas3D", 13},
        SettingsCase{"UnknownClassFallsBackToGdi",
                     {{"DefaultCanvas", "TOpenGLCanvas"}},
                     "TChartCanvas3D",
                     13},
        SettingsCase{"PaletteChosen", {{"DefaultPalette", "0"}}, "TGDIPlusCanvas", 0},
        SettingsCase{
            "UnreadablePaletteIgnored", {{"DefaultPalette", "bright"}}, "TGDIPlusCanvas", 13},
        SettingsCase{"PaletteBeyondAnIntegerIgnored",
                     {{"DefaultPalette", "99999999999"}},
                     "TGDIPlusCanvas",
                     13}),
    [](const auto& info) { return std::string(info.param.name); });

// A chart made before any canvas class is registered (a member declared ahead of the
// registration, say) keeps the name it read and selects its canvas when first asked for one.
TEST_F(ChartCanvasSelectionTest, AChartMadeBeforeTheRegistrationSelectsWhenFirstAsked) {
    UnregisterCanvasClass("TGDIPlusCanvas");
    UnregisterCanvasClass("TChartCanvas3D");
    std::unique_ptr<TChart> chart;
    {
        ScopedUserSettings settings(
            std::map<std::string, std::string>{{"DefaultCanvas", "TChartCanvas3D"}});
        chart = std::make_unique<TChart>();
    }
    EXPECT_EQ(chart->Canvas(), nullptr);
    RegisterQtCanvases();
    ASSERT_NE(chart->Canvas(), nullptr);
    EXPECT_EQ(chart->Canvas()->ClassName(), "TChartCanvas3D");
    EXPECT_EQ(chart->DefaultCanvas(), "TChartCanvas3D");
}

TEST_F(ChartCanvasSelectionTest, AStoredCanvasNameTakesEffectWhenLoadingEnds) {
    ScopedUserSettings settings(
        std::map<std::string, std::string>{{"DefaultCanvas", "TChartCanvas3D"}});
    TChart chart;
    chart.BeginLoading();
    chart.SetDefaultCanvas("TGDIPlusCanvas");
    EXPECT_EQ(chart.Canvas()->ClassName(), "TChartCanvas3D");
    chart.EndLoading();
    EXPECT_EQ(chart.Canvas()->ClassName(), "TGDIPlusCanvas");
    TCanvas3D* kept = chart.Canvas();
    chart.SetDefaultCanvas("TGDIPlusCanvas");
    EXPECT_EQ(chart.Canvas(), kept);
}

TEST_F(ChartCanvasSelectionTest, InvalidatingMarksTheDrawnImageStale) {
    TChart chart;
    int repaints = 0;
    chart.SetOnRepaintRequest([&] { ++repaints; });
    QImage window(40, 30, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&window);
    TQtPaintTarget target(painter);
    const TRect bounds{0, 0, 40, 30};
    chart.Canvas()->BeginFrame(target, bounds);
    chart.Canvas()->EndFrame(target, bounds);
    EXPECT_TRUE(chart.Canvas()->BufferStillValid(target));
    chart.LeftAxis().SetMaximum(5);
    EXPECT_EQ(repaints, 1);
    EXPECT_FALSE(chart.Canvas()->BufferStillValid(target));
}

}  // namespace
}  // namespace twinscope
