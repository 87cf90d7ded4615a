#pragma once

#include <cstdint>
#include <string>

#include "twinscope/chart/panel/CustomChartPanel.h"

namespace twinscope {

// Saves the chart as an image file, laid out at width x height logical pixels. The file name's
// extension chooses the format (case-insensitive):
// - ".png": a raster image of (width x height) x devicePixelRatio pixels, drawn by the chart's
//   own canvas class, so that at ratio 1 it holds the pixels the window shows at that size;
// - ".svg": a vector picture drawn by the anti-aliased canvas, with a view box of width x height
//   and a displayed size of (width x height) x devicePixelRatio.
// The chart's window is not touched: the chart is laid out at the export size for the time of
// the export only and asks for a repaint afterwards.
//
// Raises RuntimeError, leaving no file behind (an existing file keeps its content), when the
// extension is neither, the size or ratio is not positive, the folder does not exist or the
// file cannot be written. Needs a QGuiApplication (for the fonts); registers the Qt canvases.
void SaveChartImage(TCustomChartPanel& chart, const std::string& fileName, std::int32_t width,
                    std::int32_t height, double devicePixelRatio = 1.0);

}  // namespace twinscope
