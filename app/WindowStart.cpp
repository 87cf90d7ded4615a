#include "app/WindowStart.h"

#include <exception>
#include <iostream>

#include "twinscope/runtime/MessageHook.h"

namespace twinscope {

TWindowStart BuildWindow(const QByteArray& storedContent) {
    TWindowStart start;
    try {
        start.Window = std::make_unique<TfmTwinscope>(ParseWindowContent(storedContent));
    } catch (const std::exception& e) {
        start.Failure = std::string("The window cannot be loaded. ") + e.what();
    }
    return start;
}

int ReportStartFailure(const std::string& failure) {
    std::cerr << "twinscope: " << failure << '\n';
    ShowMessage(failure);
    return 1;
}

}  // namespace twinscope
