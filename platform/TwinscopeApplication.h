#pragma once

#include <QApplication>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The application object. Exceptions that escape an event handler are shown the way the
// program's users expect from a desktop framework: their message in a message box, after
// which the event loop goes on. The silent abort ends the action without a message.
class TWINSCOPE_EXPORT TTwinscopeApplication : public QApplication {
public:
    TTwinscopeApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs an event handler with the default exception display; answers false when it threw.
TWINSCOPE_EXPORT bool RunHandler(const std::function<void()>& handler);

}  // namespace twinscope
