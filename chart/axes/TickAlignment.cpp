#include "twinscope/chart/axes/TickAlignment.h"

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

void CheckAlignedDecimals(std::int32_t decimals) {
    if (decimals < 0 || decimals > TTickAlignment::MaxDecimals) {
        throw AxisException("Aligned tick decimals must be 0 to 15");
    }
}

std::string AlignedValuesFormat(std::int32_t decimals) {
    std::string format = "#,##0";
    if (decimals > 0) format += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return format;
}

}  // namespace twinscope
