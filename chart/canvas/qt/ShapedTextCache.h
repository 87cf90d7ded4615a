#pragma once

#include <cstddef>
#include <cstdint>

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QString>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/LruStore.h"

namespace twinscope {

// A text shaped once in a font: its glyph runs, placed with the baseline of the text at y = 0
// and its start at x = 0, as drawText would place them.
struct TWINSCOPE_EXPORT TShapedText {
    QList<QGlyphRun> Runs;
};

// The glyph runs of the texts a canvas draws, kept across frames: a chart draws the same labels,
// titles and legend texts frame after frame, and shaping them is most of what drawing text
// costs. Runs are laid out in text space, so one shaping serves any turn or place; the key is
// the font as the painter resolved it for its device, the device's resolution and the text.
// The store keeps within MaxBytes, many times what a chart shows at once, by letting go of the
// texts drawn longest ago.
class TWINSCOPE_EXPORT TShapedTextCache {
public:
    static constexpr std::size_t MaxBytes = std::size_t{256} << 10;

    // Texts whose drawing glyph runs cannot reproduce (more than one line, control characters,
    // underlined or struck-out fonts) are not shaped here: answers null for them.
    const TShapedText* Find(const QFont& font, int dpi, const QString& text);

    std::size_t Size() const { return texts_.Size(); }
    // What the texts kept take of memory, as far as the store can tell.
    std::size_t Bytes() const { return texts_.Bytes(); }
    std::int64_t Hits() const { return hits_; }
    std::int64_t Misses() const { return misses_; }

private:
    struct TKey {
        QFont Font;
        int Dpi = 0;
        QString Text;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    struct TKeyHash {
        std::size_t operator()(const TKey& key) const;
    };
    TLruStore<TKey, TShapedText, TKeyHash> texts_{MaxBytes};
    std::int64_t hits_ = 0;
    std::int64_t misses_ = 0;
};

}  // namespace twinscope
