#include "twinscope/chart/canvas/CanvasRegistry.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/runtime/Exceptions.h"

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

// A recording canvas that claims vector output, registered after the Qt canvases.
class TVectorCanvas : public TRecordingCanvas {
public:
    std::string ClassName() const override { return "TVectorCanvas"; }
    bool VectorSafe() const override { return true; }
};

struct TVectorCase {
    const char* name;
    std::string preferred;
    std::string expected;
};

class SelectVectorSafeCanvasTest : public CanvasRegistryTest,
                                   public ::testing::WithParamInterface<TVectorCase> {
protected:
    void SetUp() override {
        CanvasRegistryTest::SetUp();
        RegisterCanvasClass("TVectorCanvas", [] { return std::make_unique<TVectorCanvas>(); });
    }
    void TearDown() override {
        UnregisterCanvasClass("TVectorCanvas");
        CanvasRegistryTest::TearDown();
    }
};

TEST_P(SelectVectorSafeCanvasTest, PrefersTheNamedClassWhenItDrawsVectors) {
    const std::unique_ptr<TCanvas3D> canvas = SelectVectorSafeCanvas(GetParam().preferred);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->ClassName(), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Preferences, SelectVectorSafeCanvasTest,
    ::testing::Values(
        TVectorCase{"anti_aliased_kept", "TGDIPlusCanvas", "TGDIPlusCanvas"},
        TVectorCase{"later_vector_class_kept", "TVectorCanvas", "TVectorCanvas"},
        TVectorCase{"aliased_gives_first_vector_class", "TChartCanvas3D", "TGDIPlusCanvas"},
        TVectorCase{"unknown_gives_first_vector_class", "TOpenGLCanvas", "TGDIPlusCanvas"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(CanvasRegistryTest, WithoutAVectorClassNoVectorCanvas) {
    UnregisterCanvasClass("TGDIPlusCanvas");
    EXPECT_EQ(SelectVectorSafeCanvas("TChartCanvas3D"), nullptr);
}

}  // namespace
}  // namespace twinscope
