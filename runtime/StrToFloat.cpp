#include "twinscope/runtime/StrToFloat.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// What the text says, checked and rewritten for std::from_chars: '.' as the decimal point, no
// plus sign. `order` is the decimal exponent of the leading significant digit plus one, enough
// to tell an overflow from an underflow.
struct Normalised {
    std::string text;
    long long order = 0;
};

std::optional<Normalised> Normalise(std::string_view s, std::string_view decimalSeparator) {
    constexpr long long kExponentCap = 1'000'000'000;
    Normalised n;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') n.text += '-';
        ++i;
    }
    std::size_t digits = 0;
    bool significant = false;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
        n.text += s[i];
        significant = significant || s[i] != '0';
        if (significant) ++n.order;
    }
    if (!decimalSeparator.empty() && s.substr(i).starts_with(decimalSeparator)) {
        n.text += '.';
        for (i += decimalSeparator.size(); i < s.size() && IsDigit(s[i]); ++i, ++digits) {
            n.text += s[i];
            if (!significant && s[i] == '0') --n.order;
            significant = significant || s[i] != '0';
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        n.text += 'e';
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negative = s[i] == '-';
            n.text += s[i];
            ++i;
        }
        long long exponent = 0;
        const std::size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            n.text += s[i];
            if (exponent < kExponentCap) exponent = exponent * 10 + (s[i] - '0');
        }
        if (i == start) return std::nullopt;
        n.order += negative ? -exponent : exponent;
    }
    if (i != s.size()) return std::nullopt;
    return n;
}

}  // namespace

double StrToFloat(const std::string& text, const FormatSettings& settings) {
    auto invalid = [&text] {
        return ConversionError("'" + text + "' is not a valid floating point value");
    };
    std::string_view s = text;
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) throw invalid();
    s = s.substr(first, s.find_last_not_of(" \t") - first + 1);

    const auto normalised = Normalise(s, settings.DecimalSeparator);
    if (!normalised) throw invalid();
    const std::string& n = normalised->text;
    double value = 0;
    const auto [end, error] = std::from_chars(n.data(), n.data() + n.size(), value);
    if (error == std::errc::result_out_of_range && normalised->order <= 0) {
        return n.front() == '-' ? -0.0 : 0.0;
    }
    if (error != std::errc{} || end != n.data() + n.size()) throw invalid();
    return value;
}

double StrToFloat(const std::string& text) {
    return StrToFloat(text, CurrentFormatSettings());
}

}  // namespace twinscope
