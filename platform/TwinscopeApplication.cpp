#include "twinscope/platform/TwinscopeApplication.h"

#include <QFont>
#include <exception>
#include <functional>

#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/MessageHook.h"

namespace twinscope {

TTwinscopeApplication::TTwinscopeApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The window's stored fonts are Windows fonts; these are their metric-compatible
    // counterparts here.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Arial", "Liberation Sans");
}

bool TTwinscopeApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunHandler([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool RunHandler(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const SilentAbort&) {
    } catch (const std::exception& e) {
        ShowMessage(e.what());
    }
    return false;
}

}  // namespace twinscope
