#include "twinscope/chart/canvas/qt/ShapedTextCache.h"

#include <algorithm>

#include <QHashFunctions>
#include <QTextLayout>

namespace twinscope {

namespace {

bool ShapesAsOneLine(const QFont& font, const QString& text) {
    if (font.underline() || font.strikeOut() || font.overline()) return false;
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// The runs of one unwrapped line, moved so that its baseline lies at y = 0.
TShapedText Shape(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    TShapedText shaped;
    if (!line.isValid()) return shaped;
    shaped.Runs = line.glyphRuns();
    const QPointF baseline(0, line.y() + line.ascent());
    for (QGlyphRun& run : shaped.Runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions)
            p -= baseline;
        run.setPositions(positions);
    }
    return shaped;
}

// What a shaped text takes: its key's text and the glyphs and positions of its runs, each run
// with its shared data.
std::size_t ShapedBytes(const QString& text, const TShapedText& shaped) {
    constexpr std::size_t RunBytes = 288;
    constexpr std::size_t ListBytes = 32;
    std::size_t bytes = sizeof(QFont) + sizeof(int) + sizeof(QString) + sizeof(TShapedText) +
                        ListBytes + static_cast<std::size_t>(text.size()) * sizeof(QChar);
    for (const QGlyphRun& run : shaped.Runs) {
        const auto glyphs = static_cast<std::size_t>(run.glyphIndexes().size());
        bytes += sizeof(QGlyphRun) + RunBytes + 2 * ListBytes +
                 glyphs * (sizeof(quint32) + sizeof(QPointF));
    }
    return bytes;
}

}  // namespace

std::size_t TShapedTextCache::TKeyHash::operator()(const TKey& key) const {
    return qHashMulti(0, key.Font, key.Dpi, key.Text);
}

const TShapedText* TShapedTextCache::Find(const QFont& font, int dpi, const QString& text) {
    if (!ShapesAsOneLine(font, text)) return nullptr;
    TKey key{font, dpi, text};
    if (const TShapedText* found = texts_.Find(key)) {
        ++hits_;
        return found;
    }
    ++misses_;
    TShapedText shaped = Shape(font, text);
    const std::size_t bytes = ShapedBytes(text, shaped);
    return &texts_.Add(std::move(key), std::move(shaped), bytes);
}

}  // namespace twinscope
