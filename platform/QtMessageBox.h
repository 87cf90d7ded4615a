#pragma once

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Shows the system's messages in a simple message box with the text and an OK button.
TWINSCOPE_EXPORT void InstallQtMessageBox();

}  // namespace twinscope
