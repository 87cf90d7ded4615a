#pragma once

#include <functional>
#include <string>

namespace twinscope {

// Shows a simple message with an OK button. The program installs a message box; tests install
// a recorder. With no handler installed the message goes to standard error.
using MessageHandler = std::function<void(const std::string& text)>;

void ShowMessage(const std::string& text);

// Installs a handler and returns the one it replaces.
MessageHandler SetMessageHandler(MessageHandler handler);

}  // namespace twinscope
