#include <memory>

#include <gtest/gtest.h>
#include <QApplication>

#include "twinscope/chart/canvas/qt/QtCanvases.h"

namespace {

// Widgets need the application object; it lives for the whole test run, and charts draw with
// the Qt canvases. The tests need no display.
class TWidgetEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        twinscope::RegisterQtCanvases();
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[15] = "platform_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TWidgetEnvironment);

}  // namespace
