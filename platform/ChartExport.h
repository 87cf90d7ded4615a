#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "twinscope/chart/panel/CustomChartPanel.h"
#include "twinscope/runtime/Export.h"

class QIODevice;
class QPainter;

namespace twinscope {

enum class TPictureFormat : std::uint8_t { Png, Svg, Pdf };

// The format a file name's extension chooses (case-insensitive), if any.
TWINSCOPE_EXPORT std::optional<TPictureFormat> PictureFormatOf(const std::string& fileName);
// The format named "png", "svg" or "pdf", if any.
TWINSCOPE_EXPORT std::optional<TPictureFormat> PictureFormatNamed(std::string_view name);

// What is drawn over the chart once a picture holds it, while the chart is laid out at the
// picture's size: given the picture's painter and the class of the canvas that drew the chart.
using TPictureOverlay = std::function<void(QPainter& painter, const std::string& canvasClass)>;

// Saves the chart as an image file, laid out at width x height logical pixels. The file name's
// extension chooses the format (case-insensitive):
// - ".png": a raster image of (width x height) x devicePixelRatio pixels, drawn by the chart's
//   own canvas class, so that at ratio 1 it holds the pixels the window shows at that size;
// - ".svg": a vector picture drawn by the anti-aliased canvas, with a view box of width x height
//   and a displayed size of (width x height) x devicePixelRatio;
// - ".pdf": one page of vector lines and text, drawn likewise, the page as large as the SVG's
//   displayed size at 96 pixels per inch, rounded to whole points (1/72 inch).
// The chart's window is not touched: the chart is laid out at the export size for the time of
// the export only and asks for a repaint afterwards.
//
// Raises RuntimeError, leaving no file behind (an existing file keeps its content), when the
// extension is none of these, the size or ratio is not positive, the folder does not exist or the
// file cannot be written. Needs a QGuiApplication (for the fonts); registers the Qt canvases.
TWINSCOPE_EXPORT void SaveChartImage(TCustomChartPanel& chart, const std::string& fileName,
                                     std::int32_t width, std::int32_t height,
                                     double devicePixelRatio = 1.0,
                                     const TPictureOverlay& overlay = {});

// Writes the picture, as above, to an open device such as standard output; deviceName names it
// in messages. Raises RuntimeError when the size or ratio is not positive or the device refuses
// the bytes.
TWINSCOPE_EXPORT void WriteChartPicture(TCustomChartPanel& chart, QIODevice& device,
                                        const std::string& deviceName, TPictureFormat format,
                                        std::int32_t width, std::int32_t height,
                                        double devicePixelRatio = 1.0,
                                        const TPictureOverlay& overlay = {});

}  // namespace twinscope
