#pragma once

#include <QPainter>

#include "twinscope/chart/canvas/PaintTarget.h"

namespace twinscope {

// A window surface for the Qt backends: the painter of the widget (or image) a frame is shown
// on. The painter must stay active while the canvas uses the target.
class TQtPaintTarget final : public TPaintTarget {
public:
    explicit TQtPaintTarget(QPainter& painter) : painter_(painter) {}
    QPainter& Painter() const { return painter_; }

private:
    QPainter& painter_;
};

// The Qt target behind a paint target; raises RuntimeError for any other kind.
TQtPaintTarget& QtTarget(TPaintTarget& target);

}  // namespace twinscope
