// A run of input events on the program's chart, handed on as the widget hands them: presses,
// moves and releases of the three buttons (zoom and scroll drags, clicks that pin readouts),
// wheel turns with the wheel zooming at the cursor, pinches, the navigation keys and Escape,
// with a paint now and then. After each event the axes hold finite ranges in order and the
// pinned readouts are read again without raising; no paint raises.
//
// An input is a series of events: a byte for the kind and its bytes after it (places as two
// 16-bit coordinates, reaching well outside the chart).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>

#include "FuzzInput.h"
#include "tests/support/ReadoutChart.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/platform/ChartMouseInput.h"
#include "twinscope/platform/ReadoutInput.h"

namespace {

using namespace twinscope;

constexpr int Width = 640;
constexpr int Height = 400;

QPointF Place(fuzz::FuzzInput& in) {
    const auto x = static_cast<std::int16_t>(in.Byte() | in.Byte() << 8);
    const auto y = static_cast<std::int16_t>(in.Byte() | in.Byte() << 8);
    // Mostly within the chart, at times far outside it or between pixels.
    const double scale = (x & 1) ? 1 : 0.02;
    return {x * scale + (y & 2 ? 0.5 : 0), y * scale};
}

Qt::MouseButton Button(std::uint8_t b) {
    constexpr Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    return buttons[b % 3];
}

void Paint(TChart& chart) {
    TRecordingCanvas canvas;
    TNoTarget target;
    try {
        chart.RenderChart(canvas, target, {0, 0, Width, Height});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "the paint raised: %s\n", e.what());
        __builtin_trap();
    }
}

void CheckAxes(const TChart& chart) {
    for (const TChartAxis* axis : chart.Axes()) {
        const double low = axis->Minimum();
        const double high = axis->Maximum();
        if (!std::isfinite(low) || !std::isfinite(high) || low > high) {
            std::fprintf(stderr, "an axis holds %g to %g\n", low, high);
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    TChart chart;
    testing::FillReadoutChart(chart);
    chart.Mouse().SetWheelZoomsAtCursor(true);
    Paint(chart);
    TChartMouseInput mouse(chart, {});
    TReadoutInput readouts(
        chart, [](const std::vector<TRect>&) {}, [](const TReadout&) {});
    constexpr int Keys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,    Qt::Key_Down,
                            Qt::Key_Plus,   Qt::Key_Equal, Qt::Key_Minus, Qt::Key_Home,
                            Qt::Key_Escape, Qt::Key_A};
    for (int events = 0; !in.Empty() && events < 200; ++events) {
        const std::uint8_t kind = in.Byte();
        switch (kind % 8) {
            case 0: {
                const Qt::MouseButton button = Button(in.Byte());
                const QPointF at = Place(in);
                readouts.Press(button, at);
                const auto modifiers = (kind & 0x10) ? Qt::ShiftModifier : Qt::NoModifier;
                mouse.Press(button, at, Qt::KeyboardModifiers(modifiers));
                break;
            }
            case 1: {
                const QPointF at = Place(in);
                mouse.Move(at);
                readouts.Move(at);
                break;
            }
            case 2: {
                // A readout shown, pinned or unpinned at a pixel, or hidden, as the host does.
                const QPointF at = Place(in);
                const TPoint pixel{static_cast<std::int32_t>(at.x()),
                                   static_cast<std::int32_t>(at.y())};
                if (kind & 0x10) {
                    readouts.TogglePinAt(pixel);
                } else if (kind & 0x20) {
                    readouts.Hide();
                } else {
                    readouts.ShowAt(pixel);
                }
                break;
            }
            case 3: {
                const Qt::MouseButton button = Button(in.Byte());
                const QPointF at = Place(in);
                mouse.Release(button, at);
                readouts.Release(button, at);
                break;
            }
            case 4: {
                const auto delta = static_cast<std::int16_t>(in.Byte() | in.Byte() << 8);
                mouse.Wheel(delta, Place(in));
                break;
            }
            case 5: {
                const double zoom = (static_cast<std::int8_t>(in.Byte())) / 64.0;
                mouse.Pinch(zoom, Place(in));
                break;
            }
            case 6: {
                const int key = Keys[in.Byte() % std::size(Keys)];
                if (!readouts.Key(key)) mouse.Key(key);
                break;
            }
            default:
                Paint(chart);
                break;
        }
        CheckAxes(chart);
        static_cast<void>(readouts.Pinned());
    }
    Paint(chart);
    CheckAxes(chart);
    return 0;
}
