// The window's stored content read, the window built from it, its first plot run and its chart
// painted. Content that cannot be loaded must say why and build nothing; a window that was built
// must paint without raising.

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>

#include "app/WindowStart.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/platform/TwinscopeApplication.h"
#include "twinscope/runtime/MessageHook.h"

namespace {

using namespace twinscope;

// The chart is painted into an image no larger than this: what lies beyond is clipped anyway.
constexpr int LargestImageSide = 1024;

void Paint(TChart& chart) {
    QImage image(std::clamp(chart.Width(), 1, LargestImageSide),
                 std::clamp(chart.Height(), 1, LargestImageSide),
                 QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    TQtPaintTarget target(painter);
    try {
        chart.Paint(target);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "the paint raised: %s\n", e.what());
        __builtin_trap();
    }
}

void BuildAndPaint(const QByteArray& content) {
    MessageCollector shown;
    const TWindowStart start = BuildWindow(content);
    if (!start.Window) {
        if (start.Failure.empty()) __builtin_trap();
        return;
    }
    // The first plot reads the stored edit boxes and pickers; a refusal is shown, as on screen.
    RunHandler([&] { start.Window->FormShow(); });
    Paint(start.Window->Chart());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static TTwinscopeApplication application(*argc, *argv);
    RegisterQtCanvases();
    // The font caches, kept for the whole run, fill here and not inside an input, where the
    // leak check would take them for leaks.
    BuildAndPaint(StoredWindowText());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BuildAndPaint(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
