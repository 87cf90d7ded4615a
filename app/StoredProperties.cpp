#include "app/StoredProperties.h"

#include <cmath>
#include <functional>
#include <map>
#include <string_view>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesStoredProperties.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

[[noreturn]] void Refuse(const std::string& property, const std::string& why) {
    throw StreamReadError("Stored property '" + property + "': " + why);
}

// Reads one stored value as the kind a property wants.
class ValueReader {
public:
    ValueReader(const std::string& property, const TStoredValue& value)
        : property_(property), value_(value) {}

    bool Bool() const {
        if (const bool* b = std::get_if<bool>(&value_)) return *b;
        Refuse(property_, "a boolean was expected");
    }
    double Number() const {
        if (const double* d = std::get_if<double>(&value_)) return *d;
        Refuse(property_, "a number was expected");
    }
    std::int32_t Integer() const {
        const double d = Number();
        if (d != std::trunc(d) || std::fabs(d) > 2147483647.0) {
            Refuse(property_, "a whole number was expected");
        }
        return static_cast<std::int32_t>(d);
    }
    const std::string& Text() const {
        if (const std::string* s = std::get_if<std::string>(&value_)) return *s;
        Refuse(property_, "a text was expected");
    }
    TColor Color() const {
        static const std::map<std::string, TColor, std::less<>> names{
            {"clBlack", clBlack},     {"clRed", clRed},         {"clBlue", clBlue},
            {"clGreen", clGreen},     {"clWhite", clWhite},     {"clSilver", clSilver},
            {"clGray", clGray},       {"clAqua", 0xFFFF00},     {"clDefault", clDefault},
            {"clNone", clNone},       {"clBtnFace", clBtnFace},
        };
        if (std::holds_alternative<double>(value_)) {
            return static_cast<TColor>(static_cast<std::uint32_t>(Integer()));
        }
        auto found = names.find(Text());
        if (found == names.end()) Refuse(property_, "unknown colour '" + Text() + "'");
        return found->second;
    }
    // A text of several lines, separated by line feeds.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::string::size_type start = 0;
        const std::string& text = Text();
        for (;;) {
            const auto end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            if (end == std::string::npos) return lines;
            start = end + 1;
        }
    }
    template <typename Enum>
    Enum Named(const std::map<std::string, Enum, std::less<>>& names) const {
        auto found = names.find(Text());
        if (found == names.end()) Refuse(property_, "unknown value '" + Text() + "'");
        return found->second;
    }
    std::vector<std::uint8_t> Bytes() const {
        const std::string& hex = Text();
        if (hex.size() % 2 != 0) Refuse(property_, "hex bytes of odd length");
        std::vector<std::uint8_t> bytes;
        bytes.reserve(hex.size() / 2);
        for (std::size_t i = 0; i < hex.size(); i += 2) {
            const int high = Digit(hex[i]);
            const int low = Digit(hex[i + 1]);
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
        return bytes;
    }

private:
    int Digit(char c) const {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        Refuse(property_, "not a hex digit");
    }

    const std::string& property_;
    const TStoredValue& value_;
};

template <typename Target>
using PropertyTable =
    std::map<std::string, std::function<void(Target&, const ValueReader&)>, std::less<>>;

const PropertyTable<TChartAxis>& AxisProperties() {
    static const PropertyTable<TChartAxis> table{
        {"Automatic", [](TChartAxis& a, const ValueReader& v) { a.SetAutomatic(v.Bool()); }},
        {"AutomaticMaximum",
         [](TChartAxis& a, const ValueReader& v) { a.SetAutomaticMaximum(v.Bool()); }},
        {"AutomaticMinimum",
         [](TChartAxis& a, const ValueReader& v) { a.SetAutomaticMinimum(v.Bool()); }},
        {"ExactDateTime",
         [](TChartAxis& a, const ValueReader& v) { a.SetExactDateTime(v.Bool()); }},
        {"Increment", [](TChartAxis& a, const ValueReader& v) { a.SetIncrement(v.Number()); }},
        {"Minimum", [](TChartAxis& a, const ValueReader& v) { a.SetMinimum(v.Number()); }},
        {"Maximum", [](TChartAxis& a, const ValueReader& v) { a.SetMaximum(v.Number()); }},
        {"PositionPercent",
         [](TChartAxis& a, const ValueReader& v) { a.SetPositionPercent(v.Number()); }},
        {"LabelsSize", [](TChartAxis& a, const ValueReader& v) { a.SetLabelsSize(v.Integer()); }},
        {"Axis.Color", [](TChartAxis& a, const ValueReader& v) { a.Axis().SetColor(v.Color()); }},
        {"Grid.Color", [](TChartAxis& a, const ValueReader& v) { a.Grid().SetColor(v.Color()); }},
        {"Grid.Width", [](TChartAxis& a, const ValueReader& v) { a.Grid().SetWidth(v.Integer()); }},
        {"LabelsFormat.Font.Color",
         [](TChartAxis& a, const ValueReader& v) { a.LabelsFont().SetColor(v.Color()); }},
        {"LabelsFormat.Margins.Bottom",
         [](TChartAxis& a, const ValueReader& v) {
             a.Labels().Format().Margins().SetBottom(v.Integer());
         }},
        {"Title.Angle", [](TChartAxis& a, const ValueReader& v) { a.Title().SetAngle(v.Integer()); }},
        {"Title.Caption",
         [](TChartAxis& a, const ValueReader& v) { a.Title().SetCaption(v.Text()); }},
        {"Title.Color", [](TChartAxis& a, const ValueReader& v) { a.Title().SetColor(v.Color()); }},
        {"Title.Font.Color",
         [](TChartAxis& a, const ValueReader& v) { a.Title().Font().SetColor(v.Color()); }},
    };
    return table;
}

const PropertyTable<TChart>& ChartProperties() {
    static const std::map<std::string, TMouseWheelStyle, std::less<>> wheelStyles{
        {"pmwNormal", pmwNormal}, {"pmwInverted", pmwInverted}, {"pmwNone", pmwNone}};
    static const PropertyTable<TChart> table{
        {"MarginLeft", [](TChart& c, const ValueReader& v) { c.SetMarginLeft(v.Integer()); }},
        {"MarginTop", [](TChart& c, const ValueReader& v) { c.SetMarginTop(v.Integer()); }},
        {"MarginRight", [](TChart& c, const ValueReader& v) { c.SetMarginRight(v.Integer()); }},
        {"MarginBottom", [](TChart& c, const ValueReader& v) { c.SetMarginBottom(v.Integer()); }},
        {"Panning.MouseWheel",
         [](TChart& c, const ValueReader& v) {
             c.Mouse().Panning().SetMouseWheel(v.Named(wheelStyles));
         }},
        {"View3D", [](TChart& c, const ValueReader& v) { c.SetView3D(v.Bool()); }},
        {"Legend.Alignment",
         [](TChart& c, const ValueReader& v) {
             static const std::map<std::string, TLegendAlignment, std::less<>> names{
                 {"laLeft", laLeft}, {"laRight", laRight}, {"laTop", laTop}, {"laBottom", laBottom}};
             c.Legend().SetAlignment(v.Named(names));
         }},
        {"Legend.CustomPosition",
         [](TChart& c, const ValueReader& v) { c.Legend().SetCustomPosition(v.Bool()); }},
        {"Legend.Left", [](TChart& c, const ValueReader& v) { c.Legend().SetLeft(v.Integer()); }},
        {"Legend.LeftPercent",
         [](TChart& c, const ValueReader& v) { c.Legend().SetLeftPercent(v.Integer()); }},
        {"Legend.PositionUnits",
         [](TChart& c, const ValueReader& v) {
             static const std::map<std::string, TChartUnits, std::less<>> names{
                 {"muPercent", muPercent}, {"muPixels", muPixels}};
             c.Legend().SetPositionUnits(v.Named(names));
         }},
        {"Legend.ResizeChart",
         [](TChart& c, const ValueReader& v) { c.Legend().SetResizeChart(v.Bool()); }},
        {"Legend.Top", [](TChart& c, const ValueReader& v) { c.Legend().SetTop(v.Integer()); }},
        {"Legend.TopPercent",
         [](TChart& c, const ValueReader& v) { c.Legend().SetTopPercent(v.Integer()); }},
        {"Title.Text", [](TChart& c, const ValueReader& v) { c.Title().SetText(v.Lines()); }},
        {"DefaultCanvas", [](TChart& c, const ValueReader& v) { c.SetDefaultCanvas(v.Text()); }},
        {"ColorPaletteIndex",
         [](TChart& c, const ValueReader& v) { c.SetColorPaletteIndex(v.Integer()); }},
    };
    return table;
}

const PropertyTable<TChartSeries>& SeriesProperties() {
    static const std::map<std::string, TChartListOrder, std::less<>> orders{
        {"loNone", loNone}, {"loAscending", loAscending}, {"loDescending", loDescending}};
    static const std::map<std::string, TSeriesPointerStyle, std::less<>> pointerStyles{
        {"psRectangle", psRectangle}, {"psCircle", psCircle},     {"psTriangle", psTriangle},
        {"psDiamond", psDiamond},     {"psSmallDot", psSmallDot}, {"psNothing", psNothing}};
    auto pointer = [](TChartSeries& s, const std::string& property) -> TSeriesPointer& {
        auto* line = dynamic_cast<TCustomSeries*>(&s);
        if (!line) Refuse(property, "the series has no point marker");
        return line->Pointer();
    };
    static const PropertyTable<TChartSeries> table{
        {"SeriesColor",
         [](TChartSeries& s, const ValueReader& v) { s.SetSeriesColor(v.Color()); }},
        {"Brush.BackColor",
         [](TChartSeries& s, const ValueReader& v) { s.Brush().SetBackColor(v.Color()); }},
        {"Pointer.InflateMargins",
         [pointer](TChartSeries& s, const ValueReader& v) {
             pointer(s, "Pointer.InflateMargins").InflateMargins = v.Bool();
         }},
        {"Pointer.Style",
         [pointer](TChartSeries& s, const ValueReader& v) {
             pointer(s, "Pointer.Style").Style = v.Named(pointerStyles);
         }},
        {"XValues.DateTime",
         [](TChartSeries& s, const ValueReader& v) { s.XValues().SetDateTime(v.Bool()); }},
        {"XValues.Name",
         [](TChartSeries& s, const ValueReader& v) { s.XValues().SetName(v.Text()); }},
        {"XValues.Order",
         [](TChartSeries& s, const ValueReader& v) { s.XValues().SetOrder(v.Named(orders)); }},
        {"YValues.Name",
         [](TChartSeries& s, const ValueReader& v) { s.YValues().SetName(v.Text()); }},
        {"YValues.Order",
         [](TChartSeries& s, const ValueReader& v) { s.YValues().SetOrder(v.Named(orders)); }},
    };
    return table;
}

// The standard axes by their stored names.
TChartAxis* AxisNamed(TChart& chart, std::string_view name) {
    if (name == "BottomAxis") return &chart.BottomAxis();
    if (name == "TopAxis") return &chart.TopAxis();
    if (name == "LeftAxis") return &chart.LeftAxis();
    if (name == "RightAxis") return &chart.RightAxis();
    return nullptr;
}

}  // namespace

void ApplyChartProperties(TChart& chart, const TStoredProperties& properties) {
    for (const auto& [name, value] : properties) {
        const ValueReader reader(name, value);
        const std::size_t dot = name.find('.');
        if (dot != std::string::npos) {
            if (TChartAxis* axis = AxisNamed(chart, std::string_view(name).substr(0, dot))) {
                auto found = AxisProperties().find(std::string_view(name).substr(dot + 1));
                if (found == AxisProperties().end()) Refuse(name, "unknown property");
                found->second(*axis, reader);
                continue;
            }
        }
        auto found = ChartProperties().find(name);
        if (found == ChartProperties().end()) Refuse(name, "unknown property");
        found->second(chart, reader);
    }
}

void ApplySeriesProperties(TChartSeries& series, TChart& chart,
                           const TStoredProperties& properties) {
    for (const auto& [name, value] : properties) {
        const ValueReader reader(name, value);
        if (name == "Data") {
            TSeriesStoredProperties stored;
            stored.Data = reader.Bytes();
            try {
                ReadStoredProperties(series, chart, stored);
            } catch (const StreamReadError& e) {
                Refuse(name, e.what());
            }
            continue;
        }
        auto found = SeriesProperties().find(name);
        if (found == SeriesProperties().end()) Refuse(name, "unknown property");
        found->second(series, reader);
    }
}

}  // namespace twinscope
