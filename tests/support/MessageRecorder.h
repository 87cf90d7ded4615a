#pragma once

#include "twinscope/runtime/MessageHook.h"

namespace twinscope::testing {

// Collects the messages the system shows while it is alive, instead of showing them.
using MessageRecorder = MessageCollector;

}  // namespace twinscope::testing
