#include "app/TwinscopeMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <map>

#include "app/ColumnReadings.h"
#include "app/DatabaseReadings.h"
#include "app/InputText.h"
#include "app/ReadingsLoad.h"
#include "app/YearOverlayChart.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/chart/series/BarSeries.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/platform/DateTimePicker.h"
#include "twinscope/platform/MappedColumnFile.h"
#include "twinscope/platform/QtDateTime.h"
#include "twinscope/platform/TwinscopeApplication.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/FormatFloat.h"
#include "twinscope/runtime/MessageHook.h"
#include "twinscope/runtime/StrToFloat.h"
#include "twinscope/scales/NiceIncrement.h"

namespace twinscope {

namespace {
// The gap between a labelled edit box and its label on the left.
constexpr int LabelSpacing = 8;
// More points than this do not fit into a legend of values beside the plot.
constexpr std::int64_t MostPointsListed = 50;
constexpr double MillimetresPerInch = 25.4;
// The inch scale's colour, a dark blue apart from the °C scale's.
constexpr TColor InchScaleColor = 0x800000;
// Bars of rain or snow in a blue apart from the lines' palette colours.
constexpr TColor BarsColor = 0xD08030;

// The local files of a drag; none when it carries anything else.
QStringList DraggedFiles(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return {};
        files << url.toLocalFile();
    }
    return files;
}

// An overlay's bottom axis names the months of its slots' year.
constexpr const char* MonthFormat = "mmm";
// The bottom axis's increment: a month over an overlay, else the window's own ten days.
constexpr double OverlayIncrement = DateTimeStepTable[dtOneMonth];
constexpr double DatesIncrement = 10;

// The points of a line as readings.
TReadings ReadingsOf(const TChartSeries& line) {
    TReadings readings{.Name = line.Title()};
    const std::int32_t n = line.PointCount();
    readings.Dates.reserve(static_cast<std::size_t>(n));
    readings.Temperatures.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) {
        if (line.IsGap(i)) continue;
        readings.Dates.push_back(line.XValues().Value(i));
        readings.Temperatures.push_back(line.YValues().Value(i));
    }
    return readings;
}

QColor ToQColor(TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
}  // namespace

TfmTwinscope::TfmTwinscope(const TWindowContent& content) {
    setWindowTitle(content.Caption);
    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ToQColor(content.Color));
    client_->setPalette(palette);
    QFont font(content.FontName);
    font.setPixelSize(content.FontPixelHeight);
    font.setBold(content.FontBold);
    setFont(font);
    setCentralWidget(client_);

    CreateComponents(content);
    client_->setMinimumSize(MinimumClientSize(content));
    LoadChart(content);
    setAcceptDrops(true);

    resize(content.ClientSize.width(),
           content.ClientSize.height() + menuBar()->sizeHint().height());
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TfmTwinscope::~TfmTwinscope() {
    FormDestroy();
}

TChart& TfmTwinscope::Chart() const {
    return chartTest->Chart();
}

void TfmTwinscope::CreateComponents(const TWindowContent& content) {
    std::map<QString, QWidget*> parents{{"fmTwinscope", client_}};
    for (const TStoredComponent& c : content.Components) {
        QWidget* parent = parents.count(c.Parent) ? parents[c.Parent] : client_;
        QWidget* widget = nullptr;
        if (c.Class == "TChart") {
            chartTest = new TChartWidget(parent);
            // The stored size is the chart's own, whether or not the window is shown yet.
            chartTest->Chart().SetBounds(c.Bounds.width(), c.Bounds.height());
            widget = chartTest;
            const QSize client = content.ClientSize;
            chartAnchors_ =
                QMargins(c.Bounds.left(), c.Bounds.top(), client.width() - c.Bounds.right() - 1,
                         client.height() - c.Bounds.bottom() - 1);
        } else if (c.Class == "TGroupBox") {
            auto* box = new QGroupBox(c.Caption, parent);
            (c.Name == "grpFahrenheitLimits" ? grpFahrenheitLimits : grpDateLimits) = box;
            widget = box;
        } else if (c.Class == "TLabeledEdit") {
            auto* edit = new QLineEdit(c.Text, parent);
            auto* label = new QLabel(c.Caption, parent);
            label->setBuddy(edit);
            const int labelWidth = label->sizeHint().width();
            label->setGeometry(c.Bounds.left() - LabelSpacing - labelWidth, c.Bounds.top(),
                               labelWidth, c.Bounds.height());
            (c.Name == "lbedMinimum" ? lbedMinimum : lbedMaximum) = edit;
            widget = edit;
        } else if (c.Class == "TLabel") {
            auto* label = new QLabel(c.Caption, parent);
            (c.Name == "lbBegin" ? lbBegin : c.Name == "lbEnd" ? lbEnd : lbAnchor) = label;
            widget = label;
        } else if (c.Class == "TDateTimePicker") {
            auto* picker = new TDateTimePicker(c.DateTime, parent);
            (c.Name == "dtpBegin" ? dtpBegin : c.Name == "dtpEnd" ? dtpEnd : dtpAnchor) = picker;
            widget = picker;
        } else if (c.Class == "TButton") {
            btnPlot = new QPushButton(c.Caption, parent);
            btnPlot->setDefault(true);
            widget = btnPlot;
        } else if (c.Class == "TMenuItem") {
            menuGrid = menuBar()->addAction(c.Caption);
            continue;
        } else {
            throw StreamReadError("The window's stored content names an unknown control class '" +
                                  c.Class.toStdString() + "'");
        }
        widget->setObjectName(c.Name);
        widget->setGeometry(c.Bounds);
        parents[c.Name] = widget;
    }
    if (!chartTest || !lbedMinimum || !lbedMaximum || !dtpBegin || !dtpEnd || !dtpAnchor ||
        !btnPlot || !menuGrid) {
        throw StreamReadError("The window's stored content lacks one of its controls");
    }
    setTabOrder(chartTest, lbedMinimum);
    setTabOrder(lbedMinimum, lbedMaximum);
    setTabOrder(lbedMaximum, dtpBegin);
    setTabOrder(dtpBegin, dtpEnd);
    setTabOrder(dtpEnd, dtpAnchor);
    setTabOrder(dtpAnchor, btnPlot);

    // Handlers run with the default exception display, so no exception crosses Qt's frames.
    QObject::connect(btnPlot, &QPushButton::clicked, this,
                     [this] { RunHandler([this] { btnPlotClick(); }); });
    QObject::connect(menuGrid, &QAction::triggered, this,
                     [this] { RunHandler([this] { menuGridClick(); }); });
    // Shown while the readings have bands.
    menuBand = menuBar()->addAction("band");
    menuBand->setCheckable(true);
    menuBand->setChecked(true);
    menuBand->setVisible(false);
    QObject::connect(menuBand, &QAction::triggered, this,
                     [this] { RunHandler([this] { menuBandClick(); }); });
}

void TfmTwinscope::LoadChart(const TWindowContent& content) {
    TChart& chart = Chart();
    chart.BeginLoading();
    ApplyChartProperties(chart, content.ChartProperties);
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetName(content.SeriesName.toStdString());
    series.SetLoadingFromStream(true);
    ApplySeriesProperties(series, chart, content.SeriesProperties);
    series.SetParentChart(&chart);
    series.SetLoadingFromStream(false);
    chart.EndLoading();
    seriesActualData = &series;
    storedLegendStyle_ = chart.Legend().LegendStyle();
}

void TfmTwinscope::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) RunHandler([this] { FormShow(); });
}

void TfmTwinscope::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize client = client_->size();
    chartTest->setGeometry(chartAnchors_.left(), chartAnchors_.top(),
                           client.width() - chartAnchors_.left() - chartAnchors_.right(),
                           client.height() - chartAnchors_.top() - chartAnchors_.bottom());
}

void TfmTwinscope::keyPressEvent(QKeyEvent* event) {
    // Edit boxes and pickers pass Enter on to their window: the default button takes it, as it
    // would in a dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        btnPlot->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfmTwinscope::EnterPlotInputs(const TPlotInputs& inputs) {
    if (inputs.Minimum) lbedMinimum->setText(*inputs.Minimum);
    if (inputs.Maximum) lbedMaximum->setText(*inputs.Maximum);
    if (inputs.Begin) dtpBegin->SetDateTime(*inputs.Begin);
    if (inputs.End) dtpEnd->SetDateTime(*inputs.End);
}

void TfmTwinscope::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TfmTwinscope::dropEvent(QDropEvent* event) {
    const QStringList files = DraggedFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    LoadReadingsFiles(files);
}

void TfmTwinscope::ShowLoadProgress(const std::string& note) {
    if (!btnCancelLoad) {
        btnCancelLoad = new QPushButton("Cancel", this);
        connect(btnCancelLoad, &QPushButton::clicked, this, [this] { loadCanceled_ = true; });
        statusBar()->addPermanentWidget(btnCancelLoad);
    }
    if (!loadShown_) {
        loadShown_ = true;
        // Only the button answers until the load ends.
        client_->setEnabled(false);
        menuBar()->setEnabled(false);
        setAcceptDrops(false);
        statusBar()->show();
    }
    statusBar()->showMessage(QString::fromStdString(note));
    QCoreApplication::processEvents();
}

void TfmTwinscope::EndLoadProgress() {
    loadCanceled_ = false;
    if (!loadShown_) return;
    loadShown_ = false;
    statusBar()->clearMessage();
    statusBar()->hide();
    client_->setEnabled(true);
    menuBar()->setEnabled(true);
    setAcceptDrops(true);
}

void TfmTwinscope::LoadReadingsFiles(const QStringList& paths) {
    std::vector<std::string> names;
    for (const QString& path : paths)
        names.push_back(path.toStdString());
    const auto progress = [this](const std::string& path, std::size_t read, std::size_t size) {
        ShowLoadProgress(ProgressNote(path, read, size));
        if (loadCanceled_) throw ReadingsError(0, "the load was canceled");
    };
    const TReadingsLoad load = twinscope::LoadReadingsFiles(names, readingOptions_, progress);
    const bool canceled = loadCanceled_;
    EndLoadProgress();
    if (canceled) return;
    if (!load.Refusal.empty()) {
        ShowMessage(load.Refusal);
        return;
    }
    try {
        ReplaceReadings(load.Readings);
    } catch (const OutOfMemoryError& e) {
        ShowMessage((names.size() == 1 ? InputName(names[0]) : "the readings") + ": " + e.what());
        return;
    }
    for (const std::string& note : load.Notes)
        std::cerr << "twinscope: " << note << '\n';
    OpenOnReadings(load.Readings);
    RunHandler([this] { btnPlotClick(); });
}

TPlotInputs TfmTwinscope::InputsShowing(const TReadingsFile& readings) {
    double first = std::numeric_limits<double>::infinity();
    double last = -first;
    double low = first;
    double high = -first;
    for (const TReadings& r : readings.Series) {
        if (const TDatabaseReadings* database = DatabaseOf(r)) {
            const TDatabaseQueries::TExtremes& e = database->Extent;
            first = std::min(first, e.X.low);
            last = std::max(last, e.X.high);
            low = std::min(low, e.Y.low);
            high = std::max(high, e.Y.high);
        }
        if (r.Dates.empty()) continue;
        first = std::min(first, r.Dates.front());
        last = std::max(last, r.Dates.back());
        // Amounts stand on the right axis, which follows them by itself.
        if (r.Amount) continue;
        const auto [lo, hi] = std::minmax_element(r.Temperatures.begin(), r.Temperatures.end());
        low = std::min(low, *lo);
        high = std::max(high, *hi);
    }
    if (!(first <= last)) return {};
    // The plot gives the axis the increment of its range: the range grows to whole increments
    // until the increment of the grown range is the one it grew by.
    // The steps are those of the linear axis, which the plot then takes: a logarithmic axis
    // refuses a range that reaches zero with its message at the plot, not here.
    TChartAxis& left = Chart().LeftAxis();
    const double minimum = left.Minimum();
    const double maximum = left.Maximum();
    const double increment = left.Increment();
    const bool logarithmic = left.Logarithmic();
    const bool automatic[] = {left.Automatic(), left.AutomaticMinimum(), left.AutomaticMaximum()};
    left.SetLogarithmic(false);
    double from = low;
    double to = high > low ? high : low + 1;
    for (int round = 0; round < 8; ++round) {
        left.SetMinMax(from, to);
        SetNiceIncrement(left);
        const double step = left.Increment();
        const double grownFrom = std::floor(low / step) * step;
        double grownTo = std::ceil(high / step) * step;
        if (!(grownTo > grownFrom)) grownTo = grownFrom + step;
        const bool settled = grownFrom == from && grownTo == to;
        from = grownFrom;
        to = grownTo;
        if (settled) break;
    }
    left.SetMinMax(minimum, maximum);
    left.SetIncrement(increment);
    left.SetAutomatic(automatic[0]);
    left.SetAutomaticMinimum(automatic[1]);
    left.SetAutomaticMaximum(automatic[2]);
    left.SetLogarithmic(logarithmic);
    return TPlotInputs{.Minimum = QString::fromStdString(FormatFloat("", from)),
                       .Maximum = QString::fromStdString(FormatFloat("", to)),
                       .Begin = first,
                       .End = last > first ? last : first + 1};
}

void TfmTwinscope::OpenOnReadings(const TReadingsFile& readings, const TPlotInputs& given) {
    TPlotInputs inputs = InputsShowing(readings);
    if (given.Minimum) inputs.Minimum = given.Minimum;
    if (given.Maximum) inputs.Maximum = given.Maximum;
    const bool datesFromReadings = !given.Begin || !given.End;
    if (given.Begin) inputs.Begin = given.Begin;
    if (given.End) inputs.End = given.End;
    EnterPlotInputs(inputs);
    if (datesFromReadings && inputs.Begin && inputs.End &&
        CalendarYear(*inputs.Begin) != CalendarYear(*inputs.End)) {
        SetWrapDayScale(true);
    }
}

bool TfmTwinscope::DatabaseWaiting() const {
    return std::any_of(databases_.begin(), databases_.end(),
                       [](const auto& database) { return database->Waiting(); });
}

void TfmTwinscope::ShowLossOf(TMappedColumnFile& file, TLineSeries& line) {
    // Heard within a paint: the message and the emptied line wait until it is over.
    file.OnLost = [this, &line, path = file.Path()](const std::string& reason) {
        QMetaObject::invokeMethod(
            this,
            [this, &line, message = InputName(path) + ": " + reason] {
                if (std::find(moreReadings_.begin(), moreReadings_.end(), &line) !=
                        moreReadings_.end() ||
                    &line == seriesActualData) {
                    line.ClearPoints();
                }
                ShowMessage(message);
            },
            Qt::QueuedConnection);
    };
}

void TfmTwinscope::ReplaceReadings(const TReadingsFile& readings) {
    TChart& chart = Chart();
    OverlayYears(std::nullopt);
    std::vector<const TReadings*> temperatures;
    std::vector<const TReadings*> amounts;
    for (const TReadings& r : readings.Series)
        (r.Amount ? amounts : temperatures).push_back(&r);
    // Room for every line first, beside the lines shown, which stay as they are when the
    // readings do not fit.
    std::vector<TLineSeries*> lines;
    try {
        for (std::size_t i = 0; i < temperatures.size(); ++i) {
            TLineSeries* series = seriesActualData;
            if (i > 0) {
                series = &chart.CreateSeries<TLineSeries>();
                series->XValues().SetDateTime(true);
                series->SetParentChart(&chart);
            }
            lines.push_back(series);
            series->ReservePoints(temperatures[i]->Dates.size());
        }
    } catch (const OutOfMemoryError&) {
        for (std::size_t i = 1; i < lines.size(); ++i)
            chart.FreeSeries(*lines[i]);
        throw;
    }
    // The lines drawn by databases stop asking; each goes with its line's points.
    databases_.clear();
    databaseFailures_.clear();
    for (TLineSeries* series : moreReadings_)
        chart.FreeSeries(*series);
    moreReadings_.assign(lines.begin() + std::min<std::size_t>(lines.size(), 1), lines.end());
    try {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const TReadings& r = *temperatures[i];
            lines[i]->SetTitle(r.Name);
            lines[i]->ClearPoints();
            if (TMappedColumnFile* columns = ColumnFileOf(r)) {
                lines[i]->ShowBorrowedPoints(columns->Points());
                ShowLossOf(*columns, *lines[i]);
                continue;
            }
            if (const TDatabaseReadings* database = DatabaseOf(r)) {
                std::shared_ptr<TDatabaseSeries> shown =
                    TDatabaseSeries::Show(*lines[i], database->Source);
                shown->OnFailure = [this,
                                    address = database->Source.Address](const std::string& reason) {
                    databaseFailures_.push_back(address + ": " + reason);
                    statusBar()->show();
                    statusBar()->showMessage(QString::fromStdString(databaseFailures_.back()));
                };
                // The line answers again: what it said went wrong is over.
                shown->OnAnswer = [this, said = QString::fromStdString(database->Source.Address + ": ")] {
                    if (statusBar()->currentMessage().startsWith(said)) statusBar()->clearMessage();
                };
                databases_.push_back(std::move(shown));
                continue;
            }
            lines[i]->ReservePoints(r.Dates.size());
            lines[i]->AppendPoints(r.Dates, r.Temperatures);
        }
    } catch (const OutOfMemoryError&) {
        // The memory that the first line let go was taken meanwhile: no line is left half
        // drawn.
        for (TLineSeries* series : lines)
            series->ClearPoints();
        throw;
    }
    if (temperatures.empty()) seriesActualData->ClearPoints();
    ReplaceBarsAndBands(readings, amounts);
    const bool many = readings.Series.size() > 1 || !readings.Bands.empty() ||
                      PointCount(readings) > MostPointsListed;
    chart.Legend().SetLegendStyle(many ? lsSeries : storedLegendStyle_);
    if (!menuOverlay) {
        menuOverlay = menuBar()->addAction("overlay years");
        menuOverlay->setCheckable(true);
        QObject::connect(menuOverlay, &QAction::triggered, this,
                         [this] { RunHandler([this] { menuOverlayClick(); }); });
    }
}

void TfmTwinscope::OverlayYears(std::optional<TLeapDay> leapDay) {
    TChart& chart = Chart();
    for (TChartSeries* line : overlayLines_)
        chart.FreeSeries(*line);
    overlayLines_.clear();
    const bool wasOverlaid = overlaid_.has_value();
    overlaid_.reset();
    std::vector<TLineSeries*> readingLines{seriesActualData};
    readingLines.insert(readingLines.end(), moreReadings_.begin(), moreReadings_.end());
    const auto showReadingLines = [&](bool shown) {
        for (TLineSeries* line : readingLines)
            line->SetActive(shown);
    };
    if (menuOverlay) menuOverlay->setChecked(false);
    TChartAxis& bottom = chart.BottomAxis();
    // The plot checks each new end against the other: dates the overlay moves to or from
    // would be refused where the two ranges do not overlap.
    const auto enterDates = [&](const TPlotInputs& inputs) {
        EnterPlotInputs(inputs);
        // Dates out of order are left to the plot's own message.
        if (*inputs.End > *inputs.Begin) bottom.SetMinMax(*inputs.Begin, *inputs.End);
    };
    if (!leapDay) {
        if (!wasOverlaid) return;
        showReadingLines(true);
        bottom.SetDateTimeFormat("");
        bottom.SetExactDateTime(exactDatesBeforeOverlay_);
        chart.Legend().SetLegendStyle(legendBeforeOverlay_);
        enterDates(inputsBeforeOverlay_);
        return;
    }
    TReadingsFile shown{.Series = {ReadingsOf(*seriesActualData)}};
    const TYearOverlayLines lines =
        AddYearOverlay(chart, shown.Series.front(), *leapDay, seriesActualData->SeriesColor());
    if (const std::string note = EmptyYearsNote(lines.EmptyYears); !note.empty())
        std::cerr << "twinscope: " << note << '\n';
    if (!wasOverlaid) {
        inputsBeforeOverlay_ = {.Minimum = lbedMinimum->text(),
                                .Maximum = lbedMaximum->text(),
                                .Begin = dtpBegin->DateTime(),
                                .End = dtpEnd->DateTime()};
        legendBeforeOverlay_ = chart.Legend().LegendStyle();
        exactDatesBeforeOverlay_ = bottom.ExactDateTime();
    }
    overlaid_ = leapDay;
    overlayLines_ = lines.Series;
    showReadingLines(false);
    // Months begin the labels: the steps follow the calendar.
    bottom.SetDateTimeFormat(MonthFormat);
    bottom.SetExactDateTime(true);
    chart.Legend().SetLegendStyle(lsSeries);
    TPlotInputs inputs = InputsShowing(shown);
    inputs.Begin = lines.First;
    inputs.End = lines.Last;
    enterDates(inputs);
    if (menuOverlay) menuOverlay->setChecked(true);
}

void TfmTwinscope::menuOverlayClick() {
    OverlayYears(overlaid_ ? std::nullopt : std::optional(leapDay_));
    btnPlotClick();
}

void TfmTwinscope::ReplaceBarsAndBands(const TReadingsFile& readings,
                                       const std::vector<const TReadings*>& amounts) {
    TChart& chart = Chart();
    for (TBarSeries* series : bars_)
        chart.FreeSeries(*series);
    for (TBandSeries* series : bands_)
        chart.FreeSeries(*series);
    bars_.clear();
    bands_.clear();
    InchScale.Free();
    try {
        // Drawn beneath the lines: the bars first, then the bands.
        for (const TBandReadings& b : readings.Bands) {
            auto& band = chart.CreateSeries<TBandSeries>();
            bands_.push_back(&band);
            band.XValues().SetDateTime(true);
            band.SetParentChart(&chart);
            band.SetTitle(b.Name);
            // The lines draw the edges.
            band.SetShowEdges(false);
            band.AppendBand(b.Dates, b.Lows, b.Highs);
            chart.MoveSeriesTo(band, 0);
        }
        for (const TReadings* r : amounts) {
            auto& bars = chart.CreateSeries<TBarSeries>();
            bars_.push_back(&bars);
            bars.XValues().SetDateTime(true);
            bars.SetParentChart(&chart);
            bars.SetVertAxis(aRightAxis);
            bars.SetTitle(r->Name + " (mm)");
            bars.SetSeriesColor(BarsColor);
            bars.AppendPoints(r->Dates, r->Temperatures);
            chart.MoveSeriesTo(bars, 0);
        }
    } catch (const OutOfMemoryError&) {
        for (TChartSeries* series : bars_)
            series->ClearPoints();
        for (TChartSeries* series : bands_)
            series->ClearPoints();
        throw;
    }
    menuBand->setVisible(!bands_.empty());
    menuBand->setChecked(true);
    // Before the window shows, the scale waits for the °C scale, which stands first.
    if (CelsiusScale) ShowInchScale();
}

void TfmTwinscope::ShowInchScale() {
    InchScale.Free();
    if (bars_.empty()) return;
    TChart& chart = Chart();
    chart.RightAxis().Title().SetCaption("mm");
    InchScale = CreateOwnedAxis<tScale>(
        chart, chart.RightAxis(), "in", [](double mm) { return mm / MillimetresPerInch; },
        [](double in) { return in * MillimetresPerInch; }, "", "", InchScaleColor);
    InchScale->SetFollowsLive(true);
}

void TfmTwinscope::menuBandClick() {
    for (TBandSeries* band : bands_)
        band->SetActive(menuBand->isChecked());
}

void TfmTwinscope::ShowLegend(TLegendShown shown) {
    TChartLegend& legend = Chart().Legend();
    legend.SetVisible(shown != TLegendShown::None);
    if (shown == TLegendShown::Values) legend.SetLegendStyle(lsValues);
    if (shown == TLegendShown::Series) legend.SetLegendStyle(lsSeries);
}

void TfmTwinscope::FormShow() {
    CelsiusScale.Free();
    CelsiusScale = CreateOwnedAxis<tLeftCelsiusScale>(Chart());
    ShowInchScale();
    btnPlotClick();
}

void TfmTwinscope::btnPlotClick() {
    TChart& chart = Chart();
    chart.LeftAxis().SetMinimum(StrToFloat(lbedMinimum->text().toStdString()));
    chart.LeftAxis().SetMaximum(StrToFloat(lbedMaximum->text().toStdString()));
    SetNiceIncrement(chart.LeftAxis());
    if (CelsiusScale) CelsiusScale->FollowMaster();

    const TDateTime begin = dtpBegin->DateTime();
    const TDateTime end = dtpEnd->DateTime();
    if (!(end > begin)) {
        ShowMessage("date range error");
        return;
    }
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetMinimum(begin);
    bottom.SetMaximum(end);
    bottom.SetIncrement(overlaid_ ? OverlayIncrement : DatesIncrement);
    if (CalendarYear(bottom.Minimum()) == CalendarYear(bottom.Maximum())) {
        WrappingDayScale.Free();
        DayOfYearScale.Free();
        DayOfYearScale = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
        DayOfYearScale->FollowMaster();
    } else if (wrapDayScale_) {
        DayOfYearScale.Free();
        WrappingDayScale.Free();
        WrappingDayScale = CreateOwnedAxis<tBottomCalendarScale>(chart, calDayOfYear);
    } else {
        ShowMessage(NonMonotonicLabelsMessage);
    }
}

void TfmTwinscope::menuGridClick() {
    if (CelsiusScale) menuGrid->setText(QString::fromStdString(CelsiusScale->ToggleGrid()));
}

void TfmTwinscope::FormDestroy() {
    CelsiusScale.Free();
    DayOfYearScale.Free();
    WrappingDayScale.Free();
    InchScale.Free();
}

}  // namespace twinscope
