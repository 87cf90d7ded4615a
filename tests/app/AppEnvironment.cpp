#include <memory>

#include <gtest/gtest.h>

#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/platform/TwinscopeApplication.h"

namespace {

// The window needs the application object; it lives for the whole test run. The tests need no
// display (offscreen platform).
class TAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<twinscope::TTwinscopeApplication>(argc_, argv_);
        twinscope::RegisterQtCanvases();
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[10] = "app_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<twinscope::TTwinscopeApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TAppEnvironment);

}  // namespace
