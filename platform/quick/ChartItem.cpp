#include "twinscope/platform/quick/ChartItem.h"

#include <QtQml/qqml.h>
#include <QHoverEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>

#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/platform/ChartAccessible.h"
#include "twinscope/platform/QtFormatSettings.h"
#include "twinscope/platform/quick/ChartItemAccessible.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

TChartItem::TChartItem(QQuickItem* parent)
    : QQuickPaintedItem(parent),
      mouse_(chart_, SignalsOf(*this)),
      readouts_(
          chart_,
          [this](const std::vector<TRect>& area) {
              QRect bounds;
              for (const TRect& r : area)
                  bounds |= ToQRect(r);
              update(bounds);
          },
          [this](const TReadout& readout) { emit readoutChanged(readout); }) {
    RegisterQtCanvases();
    InstallChartItemAccessibility();
    SetDefaultFormatSettings(FormatSettingsFromLocale(QLocale()));
    // The chart paints its whole area every time.
    setOpaquePainting(true);
    setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    // Moves without a button held show the readout.
    setAcceptHoverEvents(true);
    chart_.SetOnRepaintRequest([this] { update(); });
}

TChartItem::~TChartItem() {
    chart_.SetOnRepaintRequest(nullptr);
}

void TChartItem::paint(QPainter* painter) {
    TQtPaintTarget target(*painter);
    chart_.Paint(target);
    readouts_.Paint(*painter);
}

void TChartItem::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    chart_.SetBounds(static_cast<std::int32_t>(newGeometry.width()),
                     static_cast<std::int32_t>(newGeometry.height()));
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
}

// An accepted press makes this item the mouse grabber, which then gets the moves and the
// release, also outside it: the capture a scroll needs.
void TChartItem::mousePressEvent(QMouseEvent* event) {
    readouts_.Press(event->button(), event->position());
    // Escape then reaches the item.
    forceActiveFocus(Qt::MouseFocusReason);
    if (!mouse_.Press(event->button(), event->position(), event->modifiers())) event->ignore();
}

void TChartItem::mouseMoveEvent(QMouseEvent* event) {
    mouse_.Move(event->position());
    readouts_.Move(event->position());
}

void TChartItem::mouseReleaseEvent(QMouseEvent* event) {
    const bool handled = mouse_.Release(event->button(), event->position());
    readouts_.Release(event->button(), event->position());
    if (!handled) event->ignore();
}

void TChartItem::hoverMoveEvent(QHoverEvent* event) {
    readouts_.Move(event->position());
}

void TChartItem::hoverLeaveEvent(QHoverEvent*) {
    readouts_.Hide();
}

void TChartItem::keyPressEvent(QKeyEvent* event) {
    if (readouts_.Key(event->key())) {
        AnnounceDataCursor(this);
        return;
    }
    if (!mouse_.Key(event->key())) event->ignore();
}

void TChartItem::wheelEvent(QWheelEvent* event) {
    mouse_.Wheel(event->angleDelta().y(), event->position());
}

void RegisterChartItem() {
    qmlRegisterType<TChartItem>("Twinscope", 1, 0, "ChartItem");
}

}  // namespace twinscope
