#include "twinscope/runtime/FormatFloat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace twinscope {

namespace {

// A non-negative number as decimal digits: 0.digits x 10^exponent.
struct Decimal {
    std::string digits;  // no leading or trailing zeros; empty for zero
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
    // The digit at an index counted from the first significant digit; zeros around them.
    char DigitAt(int index) const {
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
    }
};

void StripTrailingZeros(Decimal& d) {
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last == std::string::npos ? 0 : last + 1);
    if (d.IsZero()) d.exponent = 0;
}

// The shortest digits that read back as the same double.
Decimal ShortestDecimal(double magnitude) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, std::end(buffer), magnitude, std::chars_format::scientific).ptr;
    const std::string_view text(buffer, end - buffer);  // "d.ddde+XX" or "de-XX"
    const auto e = text.find('e');
    Decimal d;
    for (const char c : text.substr(0, e)) {
        if (c != '.') d.digits += c;
    }
    std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '+') exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), d.exponent);
    d.exponent += 1;
    StripTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
void RoundDigits(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d = Decimal{};
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(0, 1, '1');
            ++d.exponent;
        } else {
            ++d.digits[i];
        }
    }
    StripTrailingZeros(d);
}

struct Token {
    enum class Kind { Literal, IntegerDigit, FractionDigit, Point, Exponent };
    Kind kind;
    std::string text;  // the literal, or the exponent letter as written
};

struct Section {
    std::vector<Token> tokens;
    int integerPlaceholders = 0;
    int minIntegerDigits = 0;
    int fractionPlaceholders = 0;
    int minFractionDigits = 0;
    bool thousands = false;
    bool scientific = false;
    bool exponentPlus = false;
    int minExponentDigits = 0;
};

// Splits at ';' outside quotes; at most three sections count.
std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    if (sections.size() > 3) sections.resize(3);
    return sections;
}

Section ParseSection(std::string_view text) {
    Section s;
    bool afterPoint = false;
    int firstZero = -1;
    auto literal = [&s](std::string_view chars) {
        if (!s.tokens.empty() && s.tokens.back().kind == Token::Kind::Literal) {
            s.tokens.back().text += chars;
        } else {
            s.tokens.push_back({Token::Kind::Literal, std::string(chars)});
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'' || c == '"') {
            const auto close = text.find(c, i + 1);
            const auto end = close == std::string_view::npos ? text.size() : close;
            literal(text.substr(i + 1, end - i - 1));
            i = end;
        } else if ((c == '0' || c == '#') && !s.scientific) {
            if (afterPoint) {
                ++s.fractionPlaceholders;
                if (c == '0') s.minFractionDigits = s.fractionPlaceholders;
                s.tokens.push_back({Token::Kind::FractionDigit, {}});
            } else {
                if (c == '0' && firstZero < 0) firstZero = s.integerPlaceholders;
                ++s.integerPlaceholders;
                s.tokens.push_back({Token::Kind::IntegerDigit, {}});
            }
        } else if (c == '.' && !s.scientific) {
            if (!afterPoint) s.tokens.push_back({Token::Kind::Point, {}});
            afterPoint = true;
        } else if (c == ',' && !s.scientific) {
            if (!afterPoint) s.thousands = true;
        } else if ((c == 'E' || c == 'e') && !s.scientific && i + 1 < text.size() &&
                   (text[i + 1] == '+' || text[i + 1] == '-')) {
            s.scientific = true;
            s.exponentPlus = text[i + 1] == '+';
            i += 2;
            for (; i < text.size() && (text[i] == '0' || text[i] == '#'); ++i) {
                if (text[i] == '0') ++s.minExponentDigits;
            }
            --i;
            s.tokens.push_back({Token::Kind::Exponent, std::string(1, c)});
        } else {
            literal(text.substr(i, 1));
        }
    }
    s.minIntegerDigits = firstZero < 0 ? 0 : s.integerPlaceholders - firstZero;
    return s;
}

// The digit strings a section writes for a magnitude.
struct Digits {
    std::string integer;
    std::string fraction;
    int exponent = 0;
    bool zero = false;
};

Digits LayOut(Decimal d, const Section& s) {
    Digits out;
    int minInteger = s.minIntegerDigits;
    if (s.scientific) {
        minInteger = std::max(1, minInteger);
        RoundDigits(d, minInteger + s.fractionPlaceholders);
        if (!d.IsZero()) {
            out.exponent = d.exponent - minInteger;
            d.exponent = minInteger;
        }
    } else {
        RoundDigits(d, d.exponent + s.fractionPlaceholders);
    }
    out.zero = d.IsZero();
    for (int i = 0; i < d.exponent; ++i)
        out.integer += d.DigitAt(i);
    if (static_cast<int>(out.integer.size()) < minInteger) {
        out.integer.insert(0, minInteger - out.integer.size(), '0');
    }
    for (int i = 0; i < s.fractionPlaceholders; ++i)
        out.fraction += d.DigitAt(d.exponent + i);
    const auto last = out.fraction.find_last_not_of('0');
    const std::size_t significant = last == std::string::npos ? 0 : last + 1;
    out.fraction.resize(std::max<std::size_t>(significant, s.minFractionDigits));
    return out;
}

std::string Render(const Section& s, const Digits& d, const FormatSettings& settings) {
    std::string out;
    const int length = static_cast<int>(d.integer.size());
    auto integerRange = [&](int from, int to) {
        for (int i = std::max(from, 0); i < to; ++i) {
            out += d.integer[i];
            const int fromRight = length - 1 - i;
            if (s.thousands && fromRight > 0 && fromRight % 3 == 0) {
                out += settings.ThousandSeparator;
            }
        }
    };
    // Placeholders take the integer digits from the right; the leftmost takes any surplus.
    const int offset = length - s.integerPlaceholders;
    int integerIndex = 0;
    int fractionIndex = 0;
    for (const Token& t : s.tokens) {
        switch (t.kind) {
            case Token::Kind::Literal:
                out += t.text;
                break;
            case Token::Kind::IntegerDigit:
                integerRange(integerIndex == 0 ? 0 : integerIndex + offset,
                             integerIndex + offset + 1);
                ++integerIndex;
                break;
            case Token::Kind::Point:
                if (s.integerPlaceholders == 0) integerRange(0, length);
                if (!d.fraction.empty()) out += settings.DecimalSeparator;
                break;
            case Token::Kind::FractionDigit:
                if (fractionIndex < static_cast<int>(d.fraction.size())) {
                    out += d.fraction[fractionIndex];
                }
                ++fractionIndex;
                break;
            case Token::Kind::Exponent: {
                out += t.text;
                if (d.exponent < 0) {
                    out += '-';
                } else if (s.exponentPlus) {
                    out += '+';
                }
                const std::string digits = std::to_string(std::abs(d.exponent));
                if (static_cast<int>(digits.size()) < s.minExponentDigits) {
                    out.append(s.minExponentDigits - digits.size(), '0');
                }
                out += digits;
                break;
            }
        }
    }
    return out;
}

std::string FormatGeneral(bool negative, Decimal d, const FormatSettings& settings) {
    RoundDigits(d, 15);
    if (d.IsZero()) return "0";
    std::string out = negative ? "-" : "";
    const int scientificExponent = d.exponent - 1;
    if (scientificExponent < -4 || scientificExponent >= 15) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += settings.DecimalSeparator;
            out += d.digits.substr(1);
        }
        out += scientificExponent < 0 ? "E-" : "E+";
        out += std::to_string(std::abs(scientificExponent));
        return out;
    }
    if (d.exponent <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < d.exponent; ++i)
            out += d.DigitAt(i);
    }
    if (static_cast<int>(d.digits.size()) > d.exponent) {
        out += settings.DecimalSeparator;
        for (int i = d.exponent; i < static_cast<int>(d.digits.size()); ++i)
            out += d.DigitAt(i);
    }
    return out;
}

}  // namespace

std::string FormatFloat(const std::string& format, double value, const FormatSettings& settings) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    const bool negative = std::signbit(value);
    const Decimal magnitude = ShortestDecimal(std::fabs(value));
    if (format.empty()) return FormatGeneral(negative, magnitude, settings);

    const auto sections = SplitSections(format);
    auto usable = [&sections](std::size_t index) {
        return index < sections.size() && !sections[index].empty() ? index : 0;
    };
    std::size_t index = usable(magnitude.IsZero() ? 2 : negative ? 1 : 0);
    Section section = ParseSection(sections[index]);
    Digits digits = LayOut(magnitude, section);
    const bool zero = digits.zero;
    if (zero && usable(2) != index) {
        index = usable(2);
        section = ParseSection(sections[index]);
        digits = LayOut(Decimal{}, section);
    }
    std::string text = Render(section, digits, settings);
    if (negative && !zero && index == 0) text.insert(0, 1, '-');
    return text;
}

std::string FormatFloat(const std::string& format, double value) {
    return FormatFloat(format, value, CurrentFormatSettings());
}

}  // namespace twinscope
