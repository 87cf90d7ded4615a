#include "twinscope/chart/axes/AxisLabels.h"

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

TAxisLabelsFormat::TAxisLabelsFormat(std::function<void()> onChange)
    : TTextShape(std::move(onChange)) {
    InitTransparent(true);
}

TAxisLabels::TAxisLabels(std::function<void()> onChange)
    : TChangeNotifier(onChange), format_(std::move(onChange)) {}

void TAxisLabels::SetSeparation(std::int32_t percent) {
    if (percent < 0) throw AxisException("Labels Separation % must be greater than 0");
    Set(separation_, percent);
}

void TAxisLabels::SetAngle(std::int32_t degrees) {
    std::int32_t a = degrees % 360;
    if (a < 0) a += 360;
    Set(angle_, a);
}

TAxisItem& TAxisItems::Add(double value, std::string text) {
    items_.push_back(TAxisItem{value, std::move(text), 0, nullptr});
    return items_.back();
}

}  // namespace twinscope
