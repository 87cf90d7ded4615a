#include "twinscope/platform/ChartExport.h"

#include <cmath>
#include <memory>
#include <string>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

enum class TImageFormat { Png, Svg };

// The resolution the canvases lay text out for.
constexpr int kPictureDpi = 96;

[[noreturn]] void Fail(const QString& fileName, const QString& reason) {
    throw RuntimeError(
        QStringLiteral("Cannot save the chart as \"%1\": %2").arg(fileName, reason).toStdString());
}

TImageFormat FormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png")) return TImageFormat::Png;
    if (suffix == QLatin1String("svg")) return TImageFormat::Svg;
    Fail(fileName, QStringLiteral("the file name must end in .png or .svg"));
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
            bool buffered, std::int32_t width, std::int32_t height) {
    std::unique_ptr<TCanvas3D> canvas = SelectCanvas(canvasClass, nullptr);
    canvas->SetBuffered(buffered);
    TQtPaintTarget target(painter);
    TExportLayout layout(chart, width, height);
    chart.RenderChart(*canvas, target, TRect{0, 0, width, height});
}

void WritePng(TCustomChartPanel& chart, QSaveFile& file, std::int32_t width,
              std::int32_t height, double ratio) {
    QImage image(static_cast<int>(std::ceil(width * ratio)),
                 static_cast<int>(std::ceil(height * ratio)), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) Fail(file.fileName(), QStringLiteral("the image is too large"));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        Render(chart, painter, ChartCanvasClass(chart), true, width, height);
    }
    if (!image.save(&file, "PNG")) Fail(file.fileName(), file.errorString());
}

void WriteSvg(TCustomChartPanel& chart, QSaveFile& file, std::int32_t width,
              std::int32_t height, double ratio) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setResolution(kPictureDpi);
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setSize(QSize(static_cast<int>(std::ceil(width * ratio)),
                      static_cast<int>(std::ceil(height * ratio))));
    QPainter painter;
    if (!painter.begin(&svg)) Fail(file.fileName(), file.errorString());
    Render(chart, painter, VectorCanvasClass(chart), false, width, height);
    painter.end();
}

}  // namespace

void SaveChartImage(TCustomChartPanel& chart, const std::string& fileName, std::int32_t width,
                    std::int32_t height, double devicePixelRatio) {
    const QString name = QString::fromStdString(fileName);
    const TImageFormat format = FormatOf(name);
    if (width <= 0 || height <= 0) {
        Fail(name, QStringLiteral("the size %1 x %2 is not positive").arg(width).arg(height));
    }
    if (!(devicePixelRatio > 0) || !std::isfinite(devicePixelRatio)) {
        Fail(name, QStringLiteral("the device pixel ratio %1 is not positive").arg(devicePixelRatio));
    }
    const QDir folder = QFileInfo(name).absoluteDir();
    if (!folder.exists()) {
        Fail(name, QStringLiteral("the folder \"%1\" does not exist").arg(folder.path()));
    }
    RegisterQtCanvases();

    // The image goes to a temporary file beside the target and replaces it only when complete.
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) Fail(name, file.errorString());
    if (format == TImageFormat::Png) {
        WritePng(chart, file, width, height, devicePixelRatio);
    } else {
        WriteSvg(chart, file, width, height, devicePixelRatio);
    }
    if (!file.commit()) Fail(name, file.errorString());
}

}  // namespace twinscope
