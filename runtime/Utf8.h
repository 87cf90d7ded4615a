#pragma once

#include <cstddef>
#include <string_view>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Number of characters (code points) in UTF-8 text: "°C" has 2. Continuation bytes are not
// counted, so malformed text still gives a sensible figure.
TWINSCOPE_EXPORT std::size_t CharacterCount(std::string_view text);

}  // namespace twinscope
