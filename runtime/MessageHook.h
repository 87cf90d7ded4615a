#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Shows a simple message with an OK button. The program installs a message box; tests install
// a recorder. With no handler installed the message goes to standard error.
using MessageHandler = std::function<void(const std::string& text)>;

TWINSCOPE_EXPORT void ShowMessage(const std::string& text);

// Installs a handler and returns the one it replaces.
TWINSCOPE_EXPORT MessageHandler SetMessageHandler(MessageHandler handler);

// Collects the messages shown while it lives, in place of the installed handler, which it
// restores at the end: for callers that report messages their own way (and for tests).
class TWINSCOPE_EXPORT MessageCollector {
public:
    MessageCollector()
        : previous_(
              SetMessageHandler([this](const std::string& text) { messages.push_back(text); })) {}
    ~MessageCollector() { SetMessageHandler(std::move(previous_)); }
    MessageCollector(const MessageCollector&) = delete;
    MessageCollector& operator=(const MessageCollector&) = delete;

    std::vector<std::string> messages;

private:
    MessageHandler previous_;
};

}  // namespace twinscope
