#include "twinscope/platform/ChartWidget.h"

#include <optional>

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/platform/QtFormatSettings.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

namespace {

std::optional<TMouseButton> ChartButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return mbLeft;
        case Qt::RightButton:
            return mbRight;
        case Qt::MiddleButton:
            return mbMiddle;
        default:
            return std::nullopt;
    }
}

TShiftState ChartShift(Qt::KeyboardModifiers modifiers) {
    TShiftState keys;
    if (modifiers & Qt::ShiftModifier) keys.Include(ssShift);
    if (modifiers & Qt::AltModifier) keys.Include(ssAlt);
    if (modifiers & Qt::ControlModifier) keys.Include(ssCtrl);
    return keys;
}

}  // namespace

TChartWidget::TChartWidget(QWidget* parent) : QWidget(parent) {
    RegisterQtCanvases();
    SetDefaultFormatSettings(FormatSettingsFromLocale(locale()));
    // The chart paints its whole area every time: no erase, so nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    chart_.SetBounds(width(), height());
    chart_.SetOnRepaintRequest([this] { update(); });
}

TChartWidget::~TChartWidget() { chart_.SetOnRepaintRequest(nullptr); }

void TChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TQtPaintTarget target(painter);
    chart_.Paint(target);
    // Without a canvas the chart drew nothing (and said why): a plain background rather than
    // whatever the unerased surface held.
    if (!chart_.Canvas()) painter.fillRect(rect(), palette().window());
}

void TChartWidget::resizeEvent(QResizeEvent* event) {
    chart_.SetBounds(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

// The chart draws the zoom rectangle and asks for the repaints it needs itself; the widget
// only hands the mouse on. While a button is held Qt keeps sending the moves to this widget,
// also outside it, which is the capture a scroll needs.
void TChartWidget::mousePressEvent(QMouseEvent* event) {
    const std::optional<TMouseButton> button = ChartButton(event->button());
    if (!button) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    chart_.Mouse().MouseDown(*button, p.x(), p.y(), ChartShift(event->modifiers()));
}

void TChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    chart_.Mouse().MouseMove(p.x(), p.y());
}

void TChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<TMouseButton> button = ChartButton(event->button());
    if (!button) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    chart_.Mouse().MouseUp(*button, p.x(), p.y());
}

void TChartWidget::wheelEvent(QWheelEvent* event) {
    chart_.Mouse().MouseWheel(event->angleDelta().y());
}

}  // namespace twinscope
