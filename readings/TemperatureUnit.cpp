#include "twinscope/readings/TemperatureUnit.h"

#include <cmath>

#include "twinscope/readings/CsvRows.h"

namespace twinscope {

namespace {

struct TUnitText {
    const char* Symbol;
    const char* Example;  // a summer afternoon
};

TUnitText TextOf(TTemperatureUnit unit) {
    switch (unit) {
        case TTemperatureUnit::Celsius:
            return {"°C", "21.5"};
        case TTemperatureUnit::Kelvin:
            return {"K", "294.65"};
        case TTemperatureUnit::Fahrenheit:
            break;
    }
    return {"°F", "71.5"};
}

}  // namespace

std::optional<double> ParseTemperature(std::string_view field, bool decimalComma,
                                       TTemperatureUnit unit) {
    const std::optional<double> value = ParseCsvNumber(field, decimalComma);
    if (!value) return std::nullopt;
    double fahrenheit = *value;
    if (unit == TTemperatureUnit::Celsius) fahrenheit = *value * 9 / 5 + 32;
    if (unit == TTemperatureUnit::Kelvin) fahrenheit = (*value - 273.15) * 9 / 5 + 32;
    if (!std::isfinite(fahrenheit)) return std::nullopt;
    return fahrenheit;
}

std::string NotATemperature(std::string_view field, TTemperatureUnit unit) {
    const TUnitText text = TextOf(unit);
    return "'" + std::string(field) + "' is not a temperature in " + text.Symbol +
           " (a number such as " + text.Example + ")";
}

}  // namespace twinscope
