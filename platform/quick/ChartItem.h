#pragma once

#include <QQuickPaintedItem>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/platform/ChartMouseInput.h"
#include "twinscope/platform/ReadoutInput.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The chart as a Qt Quick item: the QML type ChartItem of the module Twinscope 1.0, once
// RegisterChartItem has run. It paints the chart at its size, hands the mouse to the chart's
// zoom and scroll as the widget does, shows and pins the same readouts, answers the same keys
// (the navigation and the data cursor, with the focus), announces the same signals and is a
// QAccessible::Chart as the widget is (TChartItemAccessible).
class TWINSCOPE_EXPORT TChartItem : public QQuickPaintedItem {
    Q_OBJECT

public:
    explicit TChartItem(QQuickItem* parent = nullptr);
    ~TChartItem() override;

    TChart& Chart() { return chart_; }
    const TChart& Chart() const { return chart_; }
    TReadoutInput& Readouts() { return readouts_; }
    const TReadoutInput& Readouts() const { return readouts_; }

    void paint(QPainter* painter) override;

signals:
    void rangeChanged(twinscope::TChartAxis* axis);
    void zoomed();
    void zoomUndone();
    void scrolled();
    void clicked(twinscope::TChartClickedPart part);
    void readoutChanged(const twinscope::TReadout& readout);

protected:
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TChart chart_;
    TChartMouseInput mouse_;
    TReadoutInput readouts_;
};

// Makes ChartItem known to QML as "import Twinscope"; call it before loading the QML.
TWINSCOPE_EXPORT void RegisterChartItem();

}  // namespace twinscope
