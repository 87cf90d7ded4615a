#include "twinscope/runtime/MessageHook.h"

#include <iostream>
#include <utility>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {
MessageHandler& CurrentHandler() {
    static MessageHandler handler;
    return handler;
}
}  // namespace

void ShowMessage(const std::string& text) {
    if (const auto& handler = CurrentHandler()) {
        handler(text);
    } else {
        std::cerr << text << '\n';
    }
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

void Abort() {
    throw SilentAbort();
}

}  // namespace twinscope
