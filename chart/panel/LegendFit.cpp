#include "twinscope/chart/panel/LegendFit.h"

#include <algorithm>

namespace twinscope {

namespace {

bool ContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The start of the text without its last character.
std::size_t WithoutLastCharacter(const std::string& text, std::size_t end) {
    while (end > 0 && ContinuationByte(text[end - 1]))
        --end;
    return end > 0 ? end - 1 : 0;
}

bool Shortened(const std::string& text) {
    return text.empty() || text == LegendEllipsis;
}

}  // namespace

TLegendSpan FitLegendSpan(TLegendSpan box, std::int32_t reach, std::int32_t low,
                          std::int32_t high) {
    const std::int64_t room = std::int64_t{high} - low - reach;
    if (box.Width > room) return {low, static_cast<std::int32_t>(std::max<std::int64_t>(room, 0))};
    if (std::int64_t{box.Left} + box.Width + reach > high) return {high - reach - box.Width, box.Width};
    if (box.Left < low) return {low, box.Width};
    return box;
}

std::string ElideText(const std::string& text, std::int32_t maxWidth, const TTextMeasure& measure) {
    if (measure(text) <= maxWidth) return text;
    std::size_t end = text.size();
    while (end > 0) {
        end = WithoutLastCharacter(text, end);
        std::size_t kept = end;
        while (kept > 0 && text[kept - 1] == ' ')
            --kept;
        if (kept == 0) break;
        std::string shortened = text.substr(0, kept) + LegendEllipsis;
        if (measure(shortened) <= maxWidth) return shortened;
    }
    return LegendEllipsis;
}

bool ShortenWidestColumn(std::vector<TLegendRow>& rows, std::int32_t excess, std::int32_t gap,
                         const TTextMeasure& measure) {
    // The widest column, of those with a text left to shorten.
    std::array<std::int32_t, 3> widths{};
    std::array<bool, 3> shrinkable{};
    for (const TLegendRow& row : rows) {
        for (std::size_t c = 0; c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], row.Widths[c]);
            if (!Shortened(row.Columns[c])) shrinkable[c] = true;
        }
    }
    std::size_t widest = widths.size();
    for (std::size_t c = 0; c < widths.size(); ++c) {
        if (shrinkable[c] && (widest == widths.size() || widths[c] > widths[widest])) widest = c;
    }
    if (widest == widths.size()) return false;

    const std::int32_t textWidth = widths[widest] - excess - gap;
    bool changed = false;
    for (TLegendRow& row : rows) {
        std::string& text = row.Columns[widest];
        if (Shortened(text) || row.Widths[widest] - gap <= textWidth) continue;
        text = ElideText(text, textWidth, measure);
        row.Widths[widest] = measure(text) + gap;
        changed = true;
    }
    return changed;
}

}  // namespace twinscope
