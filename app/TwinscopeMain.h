#pragma once

#include <QMainWindow>
#include <optional>
#include <vector>

#include "app/ReadingsFile.h"
#include "app/WindowContent.h"
#include "twinscope/chart/panel/ChartLegend.h"
#include "twinscope/chart/panel/CustomAxisOwner.h"
#include "twinscope/platform/DatabaseSeries.h"
#include "twinscope/readings/YearOverlay.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace twinscope {

class TBandSeries;
class TBarSeries;
class TChartSeries;
class TChartWidget;
class TDateTimePicker;
class TLineSeries;
class TMappedColumnFile;

// Values for the window's inputs, as a user types and picks them; an unset one is left alone.
struct TPlotInputs {
    std::optional<QString> Minimum;
    std::optional<QString> Maximum;
    std::optional<TDateTime> Begin;
    std::optional<TDateTime> End;
};

// What a plot across a new year shows when the day scale cannot follow.
inline constexpr const char* NonMonotonicLabelsMessage = "non-monotonic labels not implemented";

// What the legend lists: the points of the first line, the lines by name, or nothing.
enum class TLegendShown : std::uint8_t { Values, Series, None };

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
    // Hides the bands, or shows them again.
    void menuBandClick();
    void FormDestroy();

    TChart& Chart() const;
    // Puts the values into the edit boxes and pickers; the next plot reads them.
    void EnterPlotInputs(const TPlotInputs& inputs);
    // The chart shows these readings instead of its stored points or the readings before: the
    // first series in the stored line, each further one in a line of its own in the next free
    // palette colour. More than one line, or more than 50 points, are listed by line in the
    // legend; fewer as stored. Readings that do not fit into memory raise OutOfMemoryError and
    // leave the chart as it was. A column file's line is drawn from the disk; when the file
    // is shortened while shown, the line empties and the window says so. Daily amounts (rain,
    // snow) are drawn as bars on the right axis in mm, with a scale in inches beside it; the
    // readings' bands are drawn beneath the lines, and the "band" menu command shows them.
    void ReplaceReadings(const TReadingsFile& readings);
    // The plot inputs that show the whole of the readings: from the first to the last date, the
    // °F range rounded outwards to whole increments of the left axis. Readings of one instant
    // get a day, readings of one temperature an increment.
    TPlotInputs InputsShowing(const TReadingsFile& readings);
    // Puts InputsShowing into the inputs, except those given; when the dates shown come from the
    // readings and reach across a new year, the day scale reads across it (SetWrapDayScale).
    void OpenOnReadings(const TReadingsFile& readings, const TPlotInputs& given = {});
    void ShowLegend(TLegendShown shown);
    // How a readings file dropped onto the window is read; the command line's --data options.
    void SetReadingOptions(const TReadingOptions& options) { readingOptions_ = options; }
    // Off by default: a plot across a new year keeps the day-of-the-year scale and says
    // NonMonotonicLabelsMessage. On, such a plot gets a day scale that reads across new years
    // (WrappingDayScale) in its place.
    bool WrapDayScale() const { return wrapDayScale_; }
    void SetWrapDayScale(bool on) { wrapDayScale_ = on; }
    // Reads readings files as the command line's --data does, shows their readings and plots
    // the whole of them; a file that cannot be read, or readings that do not fit into memory,
    // are refused with a message, and the chart keeps what it showed. A long load says how far
    // it has come in the status line, beside a button that cancels it (then nothing changes).
    void LoadReadingsFiles(const QStringList& paths);
    // The years of the first line of readings laid over each other against the day of the year
    // (AddYearOverlay), in place of the lines over their dates; none puts those back with the
    // inputs they had. The inputs take the slots' whole year and the readings' °F range, the
    // bottom axis is labelled by months; the next plot shows it. Years without readings are
    // said on standard error.
    void OverlayYears(std::optional<TLeapDay> leapDay);
    std::optional<TLeapDay> YearsOverlaid() const { return overlaid_; }
    // Where 29 February goes when the menu command lays the years over each other.
    void SetLeapDay(TLeapDay leapDay) { leapDay_ = leapDay; }
    // The menu command, there once readings are read from a file: the years laid over each
    // other or not, then "plot".
    void menuOverlayClick();
    // Whether a line drawn by a database waits for its answer, and what the databases said
    // went wrong, each as "ADDRESS: reason" (shown in the status line as it comes).
    bool DatabaseWaiting() const;
    const std::vector<std::string>& DatabaseFailures() const { return databaseFailures_; }

    // The button of a long load, shown while one runs.
    QPushButton* btnCancelLoad = nullptr;

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
    QAction* menuOverlay = nullptr;
    QAction* menuBand = nullptr;

    TCustomAxisOwner<tLeftCelsiusScale> CelsiusScale;
    TCustomAxisOwner<tBottomDayOfTheYearScale> DayOfYearScale;
    TCustomAxisOwner<tBottomCalendarScale> WrappingDayScale;
    // Inches beside the right axis's mm, while bars of amounts are shown.
    TCustomAxisOwner<tScale> InchScale;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateComponents(const TWindowContent& content);
    void LoadChart(const TWindowContent& content);

    QWidget* client_ = nullptr;
    // The chart is anchored to all four sides: these distances stay as stored.
    QMargins chartAnchors_;
    // The lines of readings after the first, which the next readings replace.
    std::vector<TLineSeries*> moreReadings_;
    // The bars and bands of the readings, which the next readings replace.
    std::vector<TBarSeries*> bars_;
    std::vector<TBandSeries*> bands_;
    void ReplaceBarsAndBands(const TReadingsFile& readings,
                             const std::vector<const TReadings*>& amounts);
    void ShowInchScale();
    void ShowLossOf(TMappedColumnFile& file, TLineSeries& line);
    // The lines drawn by databases, and what went wrong with them ("ADDRESS: reason").
    std::vector<std::shared_ptr<TDatabaseSeries>> databases_;
    std::vector<std::string> databaseFailures_;
    TLegendStyle storedLegendStyle_ = lsAuto;
    TReadingOptions readingOptions_;
    bool wrapDayScale_ = false;
    bool loadShown_ = false;
    bool loadCanceled_ = false;
    // The status line and the cancel button while a load runs; the rest of the window waits.
    void ShowLoadProgress(const std::string& note);
    void EndLoadProgress();
    std::optional<TLeapDay> overlaid_;
    TLeapDay leapDay_ = TLeapDay::Show;
    std::vector<TChartSeries*> overlayLines_;
    TPlotInputs inputsBeforeOverlay_;
    TLegendStyle legendBeforeOverlay_ = lsAuto;
    bool exactDatesBeforeOverlay_ = false;
};

}  // namespace twinscope
