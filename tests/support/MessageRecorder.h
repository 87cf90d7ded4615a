#pragma once

#include <string>
#include <vector>

#include "twinscope/runtime/MessageHook.h"

namespace twinscope::testing {

// Collects the messages the system shows while it is alive, instead of showing them.
class MessageRecorder {
public:
    MessageRecorder()
        : previous_(
              SetMessageHandler([this](const std::string& text) { messages.push_back(text); })) {}
    ~MessageRecorder() { SetMessageHandler(std::move(previous_)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::string> messages;

private:
    MessageHandler previous_;
};

}  // namespace twinscope::testing
