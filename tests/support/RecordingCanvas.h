#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/chart/canvas/Canvas3D.h"

namespace twinscope {

// One call that reached the recording canvas, with the state in force when it was made.
// Operations and the fields they fill:
//   "Line"                Points: from, to (LineTo, Line, HorizLine, VertLine and their 3D forms)
//   "Polyline"            Points
//   "Rectangle", "RoundRect" (Corner), "Ellipse", "Polygon" (Points)    Rect: bounds
//   "Arc"                 Rect, Points: start, end
//   "FillRect"            Rect
//   "GradientFill"        Rect, Gradient
//   "TextOut"             Points: anchor; Text; Angle
//   "TextExtent"          Text: the one line measured
//   "ClipRectangle", "ClipRoundRect", "ClipEllipse", "ClipPolygon"      Rect, Corner, Points,
//                         Exclude
//   "Unclip"
//   "BeginTransparency"   Rect (never empty); Percent      "EndTransparency"   Percent
//   "BeginFrame"          Rect: the target bounds      "EndFrame"   Rect
//   "CopyBuffer"
//   "BeginGroup"          Text: the name       "EndGroup"
struct TRecordedCall {
    std::string Operation;
    std::vector<TPoint> Points;
    TRect Rect;
    TSize Corner;
    std::string Text;
    double Angle = 0;
    std::int32_t Percent = 0;
    bool Exclude = false;
    TGradientData Gradient;

    TPenData Pen;
    TBrushData Brush;
    TFontData Font;
    TCanvasBackMode BackMode = cbmOpaque;
    TColor BackColor = clWhite;
    TTextAlign TextAlign = 0;
};

// A canvas that draws nothing and records every call, for tests of what the chart draws.
//
// Text metrics are fixed, so layouts are exact and independent of installed fonts. With s the
// font size in use (points):
//   - one line is Round(s x 1.5) pixels high (8 points: 12) and each code point in it is
//     Round(s x 0.75) pixels wide (8 points: 6); an empty line is 0 wide;
//   - a text of several lines (separated by LF, CR or CR LF) is as wide as its widest line
//     and as high as its lines together; FontHeight is the height of "W";
//   - the offsets of the font's visible shadow and emboss are added, as on every canvas.
// The recording canvas draws nowhere, so any target serves its frames.
class TNoTarget : public TPaintTarget {};

class TRecordingCanvas : public TCanvas3D {
public:
    std::string ClassName() const override { return "TRecordingCanvas"; }
    std::string Description() const override { return "Recording"; }

    const std::vector<TRecordedCall>& Calls() const { return calls_; }
    std::vector<TRecordedCall> CallsOf(const std::string& operation) const;
    void ClearCalls() { calls_.clear(); }

    // What a line of text measures under the fixed metrics.
    static std::int32_t LineHeight(double points);
    static std::int32_t CharWidth(double points);

protected:
    void DoLine(TPoint from, TPoint to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoShape(const TCanvasShape& shape) override;
    void DoArc(const TRect& rect, TPoint start, TPoint end) override;
    void DoFillRect(const TRect& rect) override;
    void DoGradientFill(const TRect& rect, const TGradientData& gradient) override;
    void DoTextOut(std::int32_t x, std::int32_t y, const std::string& text, double angle) override;
    TSize DoTextExtent(std::string_view line) override;
    void DoClip(const TCanvasShape& shape, bool exclude) override;
    void DoUnclip() override;
    std::unique_ptr<TCanvasBlend> DoBeginBlend(const TRect& rect, std::int32_t percent) override;
    void DoEndBlend(TCanvasBlend& blend, std::int32_t percent) override;
    void DoBeginFrame(TPaintTarget& target, const TRect& bounds) override;
    void DoEndFrame(TPaintTarget& target, const TRect& bounds) override;
    bool DoCopyBuffer(TPaintTarget& target) override;
    void DoBeginGroup(const std::string& name) override;
    void DoEndGroup() override;

private:
    TRecordedCall& Record(const std::string& operation);

    std::vector<TRecordedCall> calls_;
    bool hasBuffer_ = false;
};

}  // namespace twinscope
