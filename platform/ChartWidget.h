#pragma once

#include <QWidget>

#include "twinscope/chart/panel/Chart.h"

namespace twinscope {

// The window control that hosts a chart: the chart's repaint requests become widget updates,
// a paint request paints the chart (from its buffer when nothing changed), the background is
// never erased, the chart's size follows the widget's, and the mouse goes to the chart's zoom
// and scroll.
//
// Ready to use as it is: it registers the Qt canvases before its chart first paints, and unless
// the program has chosen format settings of its own (SetCurrentFormatSettings), numbers and
// dates follow the widget's locale (the user's, unless the program set another default).
class TChartWidget : public QWidget {
public:
    explicit TChartWidget(QWidget* parent = nullptr);
    ~TChartWidget() override;

    TChart& Chart() { return chart_; }
    const TChart& Chart() const { return chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TChart chart_;
};

}  // namespace twinscope
