#include "chart/panel/TextShape.h"

namespace twinscope {

TTextShape::TTextShape(std::function<void()> onChange, const TFontData& font)
    : onChange_(std::move(onChange)), font_(font) {
    font_.SetOnChange(onChange_);
    frame_.SetOnChange(onChange_);
    brush_.SetOnChange(onChange_);
}

}  // namespace twinscope
