#pragma once

#include <QByteArray>
#include <memory>
#include <string>

#include "app/TwinscopeMain.h"

namespace twinscope {

// The window built from its stored content, or why it could not be built.
struct TWindowStart {
    std::unique_ptr<TfmTwinscope> Window;
    // Names the cause and, where one is at fault, the stored property; empty when built.
    std::string Failure;
};

// Builds the window from its stored JSON text. Content that cannot be loaded leaves nothing
// that could be shown: what was built of the window is gone before the failure is returned.
TWindowStart BuildWindow(const QByteArray& storedContent);

// Shows a start failure through the message hook and on standard error, and answers the
// program's exit status.
int ReportStartFailure(const std::string& failure);

}  // namespace twinscope
