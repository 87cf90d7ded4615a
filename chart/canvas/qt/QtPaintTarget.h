#pragma once

#include <QPainter>
#include <QRegion>

#include <utility>

#include "twinscope/chart/canvas/PaintTarget.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// A window surface for the Qt backends: the painter of the widget (or image) a frame is shown
// on, and the part of it the paint shows, as a widget's paint event gives it (empty: all of
// it). A frame is copied onto the exposed part only. The painter must stay active while the
// canvas uses the target.
class TWINSCOPE_EXPORT TQtPaintTarget final : public TPaintTarget {
public:
    explicit TQtPaintTarget(QPainter& painter, QRegion exposed = {})
        : TPaintTarget(*this), painter_(painter), exposed_(std::move(exposed)) {}
    TQtPaintTarget(const TQtPaintTarget&) = delete;
    TQtPaintTarget& operator=(const TQtPaintTarget&) = delete;

    QPainter& Painter() const { return painter_; }
    const QRegion& Exposed() const { return exposed_; }

private:
    QPainter& painter_;
    QRegion exposed_;
};

// The Qt surface behind a paint target, and its painter; raise RuntimeError for a target of any
// other surface.
TWINSCOPE_EXPORT const TQtPaintTarget& QtTarget(const TPaintTarget& target);
inline QPainter& QtPainter(const TPaintTarget& target) {
    return QtTarget(target).Painter();
}

}  // namespace twinscope
