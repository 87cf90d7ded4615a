#pragma once

#include <QMainWindow>
#include <optional>

#include "app/WindowContent.h"
#include "twinscope/chart/panel/CustomAxisOwner.h"
#include "twinscope/runtime/DateTime.h"
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
struct TReadings;

// Values for the window's inputs, as a user types and picks them; an unset one is left alone.
struct TPlotInputs {
    std::optional<QString> Minimum;
    std::optional<QString> Maximum;
    std::optional<TDateTime> Begin;
    std::optional<TDateTime> End;
};

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
    // Puts the values into the edit boxes and pickers; the next plot reads them.
    void EnterPlotInputs(const TPlotInputs& inputs);
    // The series shows these readings instead of its stored points.
    void ReplaceReadings(const TReadings& readings);

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
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateComponents(const TWindowContent& content);
    void LoadChart(const TWindowContent& content);

    QWidget* client_ = nullptr;
    // The chart is anchored to all four sides: these distances stay as stored.
    QMargins chartAnchors_;
};

}  // namespace twinscope
