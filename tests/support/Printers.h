#pragma once

#include <ostream>

#include "twinscope/runtime/Types.h"

namespace twinscope {

// Readable failure messages for geometry values.
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

inline void PrintTo(const TPoint& p, std::ostream* os) {
    *os << "(" << p.X << ", " << p.Y << ")";
}

}  // namespace twinscope
