// The shaped texts a canvas keeps: found again for the same font and text, shaped anew when
// either changes, bounded, and drawn to the same pixels as text shaped at each drawing.
#include <gtest/gtest.h>

#include <string>

#include <QImage>
#include <QPainter>

#include "tests/support/HeapInUse.h"
#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"
#include "twinscope/chart/canvas/qt/ShapedTextCache.h"

namespace twinscope {
namespace {

using testing::HeapInUse;

QFont Font(const std::string& name, double points, TTextRendering rendering = trAntiAlias) {
    return MakeQtFont({.Name = name, .Points = points, .Rendering = rendering});
}

TEST(ShapedTextCacheTest, AChangedFontOrTextIsShapedAnew) {
    TShapedTextCache cache;
    const QFont arial = Font("Arial", 8);
    const TShapedText* first = cache.Find(arial, 96, "400");
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->Runs.isEmpty());
    EXPECT_EQ(cache.Find(arial, 96, "400"), first) << "the same text in the same font";
    EXPECT_EQ(cache.Misses(), 1);
    EXPECT_EQ(cache.Hits(), 1);

    struct Row {
        const char* name;
        QFont font;
        int dpi;
        QString text;
    };
    QFont bold = arial;
    bold.setBold(true);
    const Row rows[] = {
        {"another text", arial, 96, "450"},
        {"another size", Font("Arial", 10), 96, "400"},
        {"another face", Font("Times New Roman", 8), 96, "400"},
        {"bold", bold, 96, "400"},
        {"another rendering", Font("Arial", 8, trSingleBitGridFit), 96, "400"},
        {"another resolution", arial, 192, "400"},
    };
    for (const Row& row : rows) {
        const std::int64_t misses = cache.Misses();
        EXPECT_NE(cache.Find(row.font, row.dpi, row.text), nullptr) << row.name;
        EXPECT_EQ(cache.Misses(), misses + 1) << row.name;
    }
    const QFont wider = Font("Arial", 20);
    const TShapedText* small = cache.Find(arial, 96, "TChart");
    const TShapedText* large = cache.Find(wider, 96, "TChart");
    ASSERT_TRUE(small && large);
    EXPECT_LT(small->Runs.front().boundingRect().width(),
              large->Runs.front().boundingRect().width());
}

TEST(ShapedTextCacheTest, TextsItCannotReproduceAreLeftToTheCaller) {
    TShapedTextCache cache;
    QFont underlined = Font("Arial", 8);
    underlined.setUnderline(true);
    QFont struck = Font("Arial", 8);
    struck.setStrikeOut(true);
    EXPECT_EQ(cache.Find(underlined, 96, "400"), nullptr);
    EXPECT_EQ(cache.Find(struck, 96, "400"), nullptr);
    EXPECT_EQ(cache.Find(Font("Arial", 8), 96, "two\nlines"), nullptr);
    EXPECT_EQ(cache.Find(Font("Arial", 8), 96, "a\ttab"), nullptr);
    EXPECT_EQ(cache.Size(), 0u);
}

TEST(ShapedTextCacheTest, KeepsWithinItsBytesLettingGoOfTheTextsDrawnLongestAgo) {
    const QFont arial = Font("Arial", 8);
    TShapedTextCache().Find(arial, 96, "the font engine loaded beforehand");
    const std::size_t heapBefore = HeapInUse();
    {
        TShapedTextCache cache;
        cache.Find(arial, 96, "kept");
        int i = 0;
        for (; cache.Misses() < 4 || cache.Bytes() + 4096 < TShapedTextCache::MaxBytes; ++i) {
            cache.Find(arial, 96, "label " + QString::number(i));
            cache.Find(arial, 96, "kept");
        }
        const std::size_t full = cache.Size();
        const std::size_t heapFull = HeapInUse();
        for (int more = 0; more < 2000; ++more, ++i) {
            cache.Find(arial, 96, "label " + QString::number(i));
            cache.Find(arial, 96, "kept");
        }
        EXPECT_LE(cache.Bytes(), TShapedTextCache::MaxBytes);
        EXPECT_LE(cache.Size(), full + 100) << "the store neither grows on nor empties";
        EXPECT_GE(cache.Size(), full - 100);
        const std::int64_t misses = cache.Misses();
        cache.Find(arial, 96, "kept");
        cache.Find(arial, 96, "label " + QString::number(i - 1));
        EXPECT_EQ(cache.Misses(), misses) << "the texts drawn last are kept";
        cache.Find(arial, 96, "label 0");
        EXPECT_EQ(cache.Misses(), misses + 1) << "the first label went";
        if (heapBefore != 0) {
            // The bytes counted are what the heap holds for the texts, within a third.
            const auto held = static_cast<double>(heapFull - heapBefore);
            EXPECT_GT(held, 0.67 * static_cast<double>(cache.Bytes()));
            EXPECT_LT(held, 1.5 * static_cast<double>(cache.Bytes()));
        }
    }
}

// Text drawn once shaped anew and once from the cache, on a white image.
QImage Drawn(const TQtText& text, bool smooth, TShapedTextCache* cache) {
    QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    DrawQtText(painter, text, cache);
    return image;
}

TEST(ShapedTextCacheTest, DrawsTheSamePixelsAsShapingAnew) {
    struct Row {
        const char* name;
        QFont font;
        QString text;
        double rotation;
        QPointF topLeft;
        bool smooth;
        bool shadow;
    };
    QFont spaced = Font("Arial", 9);
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    const Row rows[] = {
        {"a label, grid-fitted",
         Font("Arial", 8, trSingleBitGridFit),
         "372.5",
         0,
         {0, 0},
         false,
         false},
        {"a label, anti-aliased", Font("Arial", 8), "-1,234.5", 0, {-30.5, -6}, true, false},
        {"a title turned upright", Font("Arial", 10), "Temperature °F", 90, {-40, 0}, true, false},
        {"turned the other way",
         Font("Arial", 10, trClearTypeGridFit),
         "day of year",
         270,
         {-30, -12},
         false,
         false},
        {"turned at an angle", Font("Arial", 12), "2024-07-21", 45, {0, 0}, true, false},
        {"with a shadow", Font("Times New Roman", 14), "TChart", 0, {0, 0}, true, true},
        {"letter spacing", spaced, "spaced", 0, {0, 0}, true, false},
        {"another script", Font("Arial", 11), "Ωμέγα Ж 温度", 0, {0, 0}, true, false},
        {"an empty text", Font("Arial", 8), "", 0, {0, 0}, true, false},
    };
    for (const Row& row : rows) {
        TQtText text;
        text.Text = row.text;
        text.Font = row.font;
        text.Anchor = QPointF(80, 60);
        text.Rotation = row.rotation;
        text.TopLeft = row.topLeft;
        text.Ascent = QFontMetricsF(row.font).ascent();
        text.Color = QColor(0, 0, 128);
        if (row.shadow) {
            text.ShadowColor = QColor(128, 128, 128);
            text.ShadowOffset = QPointF(2, 2);
        }
        TShapedTextCache cache;
        const QImage shapedAnew = Drawn(text, row.smooth, nullptr);
        EXPECT_EQ(Drawn(text, row.smooth, &cache), shapedAnew) << row.name;
        EXPECT_EQ(Drawn(text, row.smooth, &cache), shapedAnew) << row.name << ", drawn again";
        EXPECT_GE(cache.Hits(), 1) << row.name;
    }
}

}  // namespace
}  // namespace twinscope
