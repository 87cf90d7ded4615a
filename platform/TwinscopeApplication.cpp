#include "platform/TwinscopeApplication.h"

#include <exception>
#include <functional>

#include "runtime/Exceptions.h"
#include "runtime/MessageHook.h"

namespace twinscope {

TTwinscopeApplication::TTwinscopeApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
