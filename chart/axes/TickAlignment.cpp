#include "twinscope/chart/axes/TickAlignment.h"

namespace twinscope {

std::string AlignedValuesFormat(std::int32_t decimals) {
    std::string format = "#,##0";
    if (decimals > 0) format += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return format;
}

}  // namespace twinscope
