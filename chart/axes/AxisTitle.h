#pragma once

#include <cstdint>
#include <string>

#include "twinscope/chart/shapes/TextShape.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

enum class TAxisTitlePosition : std::uint8_t { tpStart, tpCenter, tpEnd };
using enum TAxisTitlePosition;

// The title of an axis: a transparent, centred text shape with a caption and an angle.
class TWINSCOPE_EXPORT TChartAxisTitle : public TTextShape {
public:
    TChartAxisTitle(std::function<void()> onChange, std::int32_t angle);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { Set(caption_, caption); }
    std::int32_t Angle() const { return angle_; }
    void SetAngle(std::int32_t degrees) { Set(angle_, degrees); }
    TAxisTitlePosition Position() const { return position_; }
    void SetPosition(TAxisTitlePosition p) { Set(position_, p); }

private:
    std::string caption_;
    std::int32_t angle_ = 0;
    TAxisTitlePosition position_ = tpCenter;
};

}  // namespace twinscope
