#pragma once

#include <QMainWindow>

#include "app/WindowContent.h"
#include "twinscope/chart/panel/CustomAxisOwner.h"
#include "twinscope/scales/ScaleManager.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace twinscope {

class TChartWidget;
class TDateTimePicker;
class TLineSeries;

// The program's window: the temperature chart, the Fahrenheit limits, the dates, the "plot"
// button and the grid command. Its handlers turn the user's input into the ranges of the
// chart's left (°F) and bottom (date) axes and keep the secondary scales in step.
class TfmTwinscope : public QMainWindow {
public:
    explicit TfmTwinscope(const TWindowContent& content = StoredWindowContent());
    ~TfmTwinscope() override;

    // Handlers, bound to the window's events.
    void FormShow();
    void btnPlotClick();
    void menuGridClick();
    void FormDestroy();

    TChart& Chart() const;
    TChartWidget* chartTest = nullptr;
    TLineSeries* seriesActualData = nullptr;
    QGroupBox* grpFahrenheitLimits = nullptr;
    QLineEdit* lbedMinimum = nullptr;
    QLineEdit* lbedMaximum = nullptr;
    QGroupBox* grpDateLimits = nullptr;
    QLabel* lbBegin = nullptr;
    QLabel* lbEnd = nullptr;
    QLabel* lbAnchor = nullptr;
    TDateTimePicker* dtpBegin = nullptr;
    TDateTimePicker* dtpEnd = nullptr;
    TDateTimePicker* dtpAnchor = nullptr;
    QPushButton* btnPlot = nullptr;
    QAction* menuGrid = nullptr;

    TCustomAxisOwner<tLeftCelsiusScale> CelsiusScale;
    TCustomAxisOwner<tBottomDayOfTheYearScale> DayOfYearScale;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateComponents(const TWindowContent& content);
    void LoadChart(const TWindowContent& content);

    QWidget* client_ = nullptr;
    // The chart is anchored to all four sides: these distances stay as stored.
    QMargins chartAnchors_;
};

}  // namespace twinscope
