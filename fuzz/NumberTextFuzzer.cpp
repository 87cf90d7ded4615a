// Number parsing and formatting: any text either reads as a finite number or is refused with
// ConversionError; any format writes any double without failing; and the scientific format
// with seventeen significant digits, which rounds nothing, reads back as the same double.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/FormatFloat.h"
#include "twinscope/runtime/StrToFloat.h"

namespace {

using namespace twinscope;

constexpr const char* kAllDigits = "0.################E+000";

void CheckRoundTrip(double value) {
    if (!std::isfinite(value)) return;
    const std::string text = FormatFloat(kAllDigits, value);
    if (StrToFloat(text) != value) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const double value = input.Double();
    const std::string format = input.Text();
    const std::string text = input.Text();

    CheckRoundTrip(value);
    FormatFloat(format, value);
    try {
        const double read = StrToFloat(text);
        if (!std::isfinite(read)) __builtin_trap();
        CheckRoundTrip(read);
    } catch (const ConversionError&) {
    }
    return 0;
}
