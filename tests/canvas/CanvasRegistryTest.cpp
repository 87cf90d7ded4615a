#include "twinscope/chart/canvas/CanvasRegistry.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/runtime/Exceptions.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {

class CanvasRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterQtCanvases(); }
    void TearDown() override { RegisterQtCanvases(); }
};

struct TSelectCase {
    const char* name;
    std::string className;
    std::string expected;
};

class SelectCanvasTest : public CanvasRegistryTest,
                         public ::testing::WithParamInterface<TSelectCase> {};

TEST_P(SelectCanvasTest, SelectsByExactClassName) {
    auto canvas = SelectCanvas(GetParam().className, nullptr);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->ClassName(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SelectCanvasTest,
    ::testing::Values(TSelectCase{"gdi_plus", "TGDIPlusCanvas", "TGDIPlusCanvas"},
                      TSelectCase{"gdi", "TChartCanvas3D", "TChartCanvas3D"},
                      TSelectCase{"no_name", "", "TChartCanvas3D"},
                      TSelectCase{"unknown_name", "TOpenGLCanvas", "TChartCanvas3D"},
                      TSelectCase{"case_matters", "tgdipluscanvas", "TChartCanvas3D"},
                      TSelectCase{"no_trimming", " TGDIPlusCanvas", "TChartCanvas3D"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CanvasRegistryTest, CanvasAlreadyOfTheSelectedClassIsKept) {
    auto first = SelectCanvas("TGDIPlusCanvas", nullptr);
    TCanvas3D* kept = first.get();
    auto second = SelectCanvas("TGDIPlusCanvas", std::move(first));
    EXPECT_EQ(second.get(), kept);
    auto third = SelectCanvas("TChartCanvas3D", std::move(second));
    EXPECT_EQ(third->ClassName(), "TChartCanvas3D");
    EXPECT_EQ(third->Description(), "GDI");
}

TEST_F(CanvasRegistryTest, UnregisteredGdiPlusFallsBackToGdi) {
    UnregisterCanvasClass("TGDIPlusCanvas");
    EXPECT_FALSE(IsCanvasClassRegistered("TGDIPlusCanvas"));
    EXPECT_EQ(SelectCanvas("TGDIPlusCanvas", nullptr)->ClassName(), "TChartCanvas3D");
}

TEST_F(CanvasRegistryTest, WithoutAnyClassTheCurrentCanvasStays) {
    UnregisterCanvasClass("TGDIPlusCanvas");
    UnregisterCanvasClass("TChartCanvas3D");
    auto current = std::make_unique<TRecordingCanvas>();
    TCanvas3D* kept = current.get();
    EXPECT_EQ(SelectCanvas("TGDIPlusCanvas", std::move(current)).get(), kept);
    EXPECT_THROW(SelectCanvas("TGDIPlusCanvas", nullptr), RuntimeError);
}

TEST_F(CanvasRegistryTest, RegisteringAgainReplacesTheFactory) {
    RegisterCanvasClass("TChartCanvas3D", [] { return std::make_unique<TRecordingCanvas>(); });
    EXPECT_EQ(SelectCanvas("", nullptr)->ClassName(), "TRecordingCanvas");
}

}  // namespace
}  // namespace twinscope
