#include "twinscope/platform/ChartExport.h"

#include <cmath>
#include <memory>
#include <string>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

// The resolution the canvases lay text out for.
constexpr int kPictureDpi = 96;

constexpr std::string_view kFormatNames[] = {"png", "svg", "pdf"};

// What failed, for the message: "save the chart as "c.png"", "write the chart to standard output".
[[noreturn]] void Fail(const QString& action, const QString& reason) {
    throw RuntimeError(QStringLiteral("Cannot %1: %2").arg(action, reason).toStdString());
}

QString SaveAction(const QString& fileName) {
    return QStringLiteral("save the chart as \"%1\"").arg(fileName);
}

void CheckLayout(const QString& action, std::int32_t width, std::int32_t height, double ratio) {
    if (width <= 0 || height <= 0) {
        Fail(action, QStringLiteral("the size %1 x %2 is not positive").arg(width).arg(height));
    }
    if (!(ratio > 0) || !std::isfinite(ratio)) {
        Fail(action, QStringLiteral("the device pixel ratio %1 is not positive").arg(ratio));
    }
}

// The chart laid out at the export size for as long as the export runs. Its window gets its
// own size back and a repaint, which also puts back the geometry the mouse works with.
class TExportLayout {
public:
    TExportLayout(TCustomChartPanel& chart, std::int32_t width, std::int32_t height)
        : chart_(chart), width_(chart.Width()), height_(chart.Height()),
          repaint_(chart.RepaintOnChange()) {
        chart_.SetRepaintOnChange(false);
        chart_.SetBounds(width, height);
    }
    ~TExportLayout() {
        chart_.SetBounds(width_, height_);
        chart_.SetRepaintOnChange(repaint_);
        chart_.Invalidate();
    }
    TExportLayout(const TExportLayout&) = delete;
    TExportLayout& operator=(const TExportLayout&) = delete;

private:
    TCustomChartPanel& chart_;
    std::int32_t width_;
    std::int32_t height_;
    bool repaint_;
};

// The class of the canvas the chart draws its window with.
std::string ChartCanvasClass(const TCustomChartPanel& chart) {
    return chart.Canvas() ? chart.Canvas()->ClassName() : chart.DefaultCanvas();
}

// Vector output needs drawing calls that stay shapes: the chart's own canvas class when it
// draws so, otherwise the first registered class that does (the aliased canvas writes its
// lines as runs of pixels).
std::string VectorCanvasClass(const TCustomChartPanel& chart) {
    const std::string own = ChartCanvasClass(chart);
    const std::unique_ptr<TCanvas3D> vector = SelectVectorSafeCanvas(own);
    return vector ? vector->ClassName() : own;
}

// Draws the chart onto an open painter through a canvas of its own, so that the window's
// canvas and its buffer stay as they are.
void Render(TCustomChartPanel& chart, QPainter& painter, const std::string& canvasClass,
            bool buffered, std::int32_t width, std::int32_t height,
            const TPictureOverlay& overlay) {
    std::unique_ptr<TCanvas3D> canvas = SelectCanvas(canvasClass, nullptr);
    canvas->SetBuffered(buffered);
    TQtPaintTarget target(painter);
    TExportLayout layout(chart, width, height);
    chart.RenderChart(*canvas, target, TRect{0, 0, width, height});
    if (overlay) overlay(painter, canvas->ClassName());
}

QSize Displayed(std::int32_t width, std::int32_t height, double ratio) {
    return QSize(static_cast<int>(std::ceil(width * ratio)),
                 static_cast<int>(std::ceil(height * ratio)));
}

void WritePng(TCustomChartPanel& chart, QIODevice& device, const QString& action,
              std::int32_t width, std::int32_t height, double ratio,
              const TPictureOverlay& overlay) {
    QImage image(Displayed(width, height, ratio), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) Fail(action, QStringLiteral("the image is too large"));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        Render(chart, painter, ChartCanvasClass(chart), true, width, height, overlay);
    }
    if (!image.save(&device, "PNG")) Fail(action, device.errorString());
}

void WriteSvg(TCustomChartPanel& chart, QIODevice& device, const QString& action,
              std::int32_t width, std::int32_t height, double ratio,
              const TPictureOverlay& overlay) {
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setResolution(kPictureDpi);
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setSize(Displayed(width, height, ratio));
    QPainter painter;
    if (!painter.begin(&svg)) Fail(action, device.errorString());
    Render(chart, painter, VectorCanvasClass(chart), false, width, height, overlay);
    painter.end();
}

// The page is the displayed size in points; the painter's window keeps the chart's own
// coordinates, so that lines and text stay vectors at any ratio.
void WritePdf(TCustomChartPanel& chart, QIODevice& device, const QString& action,
              std::int32_t width, std::int32_t height, double ratio,
              const TPictureOverlay& overlay) {
    QPdfWriter pdf(&device);
    pdf.setResolution(kPictureDpi);
    pdf.setCreator(QStringLiteral("Twinscope"));
    pdf.setPageMargins(QMarginsF());
    // In inches: page sizes in points are whole numbers.
    pdf.setPageSize(QPageSize(QSizeF(width * ratio / kPictureDpi, height * ratio / kPictureDpi),
                              QPageSize::Inch, QString(), QPageSize::ExactMatch));
    QPainter painter;
    if (!painter.begin(&pdf)) Fail(action, device.errorString());
    painter.setWindow(0, 0, width, height);
    Render(chart, painter, VectorCanvasClass(chart), false, width, height, overlay);
    if (!painter.end()) Fail(action, device.errorString());
}

void Write(TCustomChartPanel& chart, QIODevice& device, const QString& action,
           TPictureFormat format, std::int32_t width, std::int32_t height, double ratio,
           const TPictureOverlay& overlay) {
    RegisterQtCanvases();
    switch (format) {
        case TPictureFormat::Png:
            WritePng(chart, device, action, width, height, ratio, overlay);
            break;
        case TPictureFormat::Svg:
            WriteSvg(chart, device, action, width, height, ratio, overlay);
            break;
        case TPictureFormat::Pdf:
            WritePdf(chart, device, action, width, height, ratio, overlay);
            break;
    }
}

}  // namespace

std::optional<TPictureFormat> PictureFormatNamed(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kFormatNames); ++i) {
        if (name == kFormatNames[i]) return static_cast<TPictureFormat>(i);
    }
    return std::nullopt;
}

std::optional<TPictureFormat> PictureFormatOf(const std::string& fileName) {
    const QString suffix = QFileInfo(QString::fromStdString(fileName)).suffix().toLower();
    return PictureFormatNamed(suffix.toStdString());
}

void SaveChartImage(TCustomChartPanel& chart, const std::string& fileName, std::int32_t width,
                    std::int32_t height, double devicePixelRatio, const TPictureOverlay& overlay) {
    const QString name = QString::fromStdString(fileName);
    const QString action = SaveAction(name);
    const std::optional<TPictureFormat> format = PictureFormatOf(fileName);
    if (!format) Fail(action, QStringLiteral("the file name must end in .png, .svg or .pdf"));
    CheckLayout(action, width, height, devicePixelRatio);
    const QDir folder = QFileInfo(name).absoluteDir();
    if (!folder.exists()) {
        Fail(action, QStringLiteral("the folder \"%1\" does not exist").arg(folder.path()));
    }
    // The image goes to a temporary file beside the target and replaces it only when complete.
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) Fail(action, file.errorString());
    Write(chart, file, action, *format, width, height, devicePixelRatio, overlay);
    if (!file.commit()) Fail(action, file.errorString());
}

void WriteChartPicture(TCustomChartPanel& chart, QIODevice& device, const std::string& deviceName,
                       TPictureFormat format, std::int32_t width, std::int32_t height,
                       double devicePixelRatio, const TPictureOverlay& overlay) {
    const QString action =
        QStringLiteral("write the chart to %1").arg(QString::fromStdString(deviceName));
    CheckLayout(action, width, height, devicePixelRatio);
    Write(chart, device, action, format, width, height, devicePixelRatio, overlay);
}

}  // namespace twinscope
