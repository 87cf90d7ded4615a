#pragma once

#include <QPainter>

#include "twinscope/chart/canvas/PaintTarget.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// A window surface for the Qt backends: the painter of the widget (or image) a frame is shown
// on. The painter must stay active while the canvas uses the target.
class TWINSCOPE_EXPORT TQtPaintTarget final : public TPaintTarget {
public:
    explicit TQtPaintTarget(QPainter& painter) : TPaintTarget(painter) {}
    QPainter& Painter() const { return *SurfaceOf<QPainter>(); }
};

// The painter behind a paint target; raises RuntimeError for a target of any other surface.
TWINSCOPE_EXPORT QPainter& QtPainter(const TPaintTarget& target);

}  // namespace twinscope
