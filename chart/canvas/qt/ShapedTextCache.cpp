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

}  // namespace

std::size_t TShapedTextCache::TKeyHash::operator()(const TKey& key) const {
    return qHashMulti(0, key.Font, key.Dpi, key.Text);
}

const TShapedText* TShapedTextCache::Find(const QFont& font, int dpi, const QString& text) {
    if (!ShapesAsOneLine(font, text)) return nullptr;
    TKey key{font, dpi, text};
    const auto found = texts_.find(key);
    if (found != texts_.end()) {
        ++hits_;
        return &found->second;
    }
    ++misses_;
    if (texts_.size() >= MaxTexts) texts_.clear();
    return &texts_.emplace(std::move(key), Shape(font, text)).first->second;
}

}  // namespace twinscope
