#include <memory>

#include <gtest/gtest.h>
#include <QGuiApplication>

namespace {

// Fonts need a GUI application; it lives for the whole test run and goes at its end, which also
// shuts down what the anti-aliased canvases share. The tests need no display.
class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "canvas_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace
