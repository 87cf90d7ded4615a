#include "tests/support/RecordingCanvas.h"

#include <algorithm>

#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/Utf8.h"

namespace twinscope {

namespace {

// Blending canvases hand this back so that EndTransparency has something to close.
class TRecordedBlend : public TCanvasBlend {};

}  // namespace

std::vector<TRecordedCall> TRecordingCanvas::CallsOf(const std::string& operation) const {
    std::vector<TRecordedCall> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [&](const TRecordedCall& c) { return c.Operation == operation; });
    return found;
}

std::int32_t TRecordingCanvas::LineHeight(double points) {
    return static_cast<std::int32_t>(Round(points * 1.5));
}

std::int32_t TRecordingCanvas::CharWidth(double points) {
    return static_cast<std::int32_t>(Round(points * 0.75));
}

TRecordedCall& TRecordingCanvas::Record(const std::string& operation) {
    TRecordedCall& call = calls_.emplace_back();
    call.Operation = operation;
    call.Pen = Pen();
    call.Brush = Brush();
    call.Font = Font();
    call.BackMode = BackMode();
    call.BackColor = BackColor();
    call.TextAlign = TextAlign();
    return call;
}

void TRecordingCanvas::DoLine(TPoint from, TPoint to) {
    Record("Line").Points = {from, to};
}

void TRecordingCanvas::DoPolyline(std::span<const TPoint> points) {
    Record("Polyline").Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::DoShape(const TCanvasShape& shape) {
    static const char* const kNames[] = {"Rectangle", "RoundRect", "Ellipse", "Polygon"};
    TRecordedCall& call = Record(kNames[static_cast<int>(shape.Kind)]);
    call.Rect = shape.Bounds;
    call.Corner = shape.Corner;
    call.Points = shape.Points;
}

void TRecordingCanvas::DoArc(const TRect& rect, TPoint start, TPoint end) {
    TRecordedCall& call = Record("Arc");
    call.Rect = rect;
    call.Points = {start, end};
}

void TRecordingCanvas::DoFillRect(const TRect& rect) {
    Record("FillRect").Rect = rect;
}

void TRecordingCanvas::DoGradientFill(const TRect& rect, const TGradientData& gradient) {
    TRecordedCall& call = Record("GradientFill");
    call.Rect = rect;
    call.Gradient = gradient;
}

void TRecordingCanvas::DoTextOut(std::int32_t x, std::int32_t y, const std::string& text,
                                 double angle) {
    TRecordedCall& call = Record("TextOut");
    call.Points = {{x, y}};
    call.Text = text;
    call.Angle = angle;
}

TSize TRecordingCanvas::DoTextExtent(std::string_view line) {
    Record("TextExtent").Text = std::string(line);
    double points = FontSizeInUse();
    return {static_cast<std::int32_t>(CharacterCount(line)) * CharWidth(points),
            LineHeight(points)};
}

void TRecordingCanvas::DoClip(const TCanvasShape& shape, bool exclude) {
    static const char* const kNames[] = {"ClipRectangle", "ClipRoundRect", "ClipEllipse",
                                         "ClipPolygon"};
    TRecordedCall& call = Record(kNames[static_cast<int>(shape.Kind)]);
    call.Rect = shape.Bounds;
    call.Corner = shape.Corner;
    call.Points = shape.Points;
    call.Exclude = exclude;
}

void TRecordingCanvas::DoUnclip() {
    Record("Unclip");
}

std::unique_ptr<TCanvasBlend> TRecordingCanvas::DoBeginBlend(const TRect& rect,
                                                             std::int32_t percent) {
    TRecordedCall& call = Record("BeginTransparency");
    call.Rect = rect;
    call.Percent = percent;
    return std::make_unique<TRecordedBlend>();
}

void TRecordingCanvas::DoEndBlend(TCanvasBlend&, std::int32_t percent) {
    Record("EndTransparency").Percent = percent;
}

void TRecordingCanvas::DoBeginFrame(TPaintTarget&, const TRect& bounds) {
    Record("BeginFrame").Rect = bounds;
}

void TRecordingCanvas::DoEndFrame(TPaintTarget&, const TRect& bounds) {
    Record("EndFrame").Rect = bounds;
    if (Buffered()) hasBuffer_ = true;
}

bool TRecordingCanvas::DoCopyBuffer(TPaintTarget&) {
    if (!hasBuffer_) return false;
    Record("CopyBuffer");
    return true;
}

void TRecordingCanvas::DoBeginGroup(const std::string& name) {
    Record("BeginGroup").Text = name;
}

void TRecordingCanvas::DoEndGroup() {
    Record("EndGroup");
}

}  // namespace twinscope
