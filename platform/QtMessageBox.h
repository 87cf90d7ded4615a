#pragma once

namespace twinscope {

// Shows the system's messages in a simple message box with the text and an OK button.
void InstallQtMessageBox();

}  // namespace twinscope
