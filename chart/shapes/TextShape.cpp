#include "twinscope/chart/shapes/TextShape.h"

namespace twinscope {

TTextShape::TTextShape(std::function<void()> onChange, const TFontData& font)
    : TChangeNotifier(std::move(onChange)), font_(font) {
    font_.SetOnChange(OnChange());
    frame_.SetOnChange(OnChange());
    brush_.SetOnChange(OnChange());
    margins_.SetOnChange(OnChange());
}

}  // namespace twinscope
