#include "twinscope/runtime/Utf8.h"

namespace twinscope {

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++count;
    }
    return count;
}

}  // namespace twinscope
