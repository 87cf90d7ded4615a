#include "app/WindowContent.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Exceptions.h"

// The resources live in a static library: their registration must be asked for by name.
static void InitWindowResources() {
    Q_INIT_RESOURCE(TwinscopeMain);
}

namespace twinscope {

namespace {

[[noreturn]] void Malformed(const QString& what) {
    throw StreamReadError("The window's stored content is malformed: " + what.toStdString());
}

TStoredProperties ReadProperties(const QJsonArray& pairs) {
    TStoredProperties properties;
    for (const QJsonValue& entry : pairs) {
        const QJsonArray pair = entry.toArray();
        if (pair.size() != 2 || !pair[0].isString())
            Malformed("a property is not a name-value pair");
        const QJsonValue value = pair[1];
        TStoredValue stored;
        if (value.isBool()) {
            stored = value.toBool();
        } else if (value.isDouble()) {
            stored = value.toDouble();
        } else if (value.isString()) {
            stored = value.toString().toStdString();
        } else {
            Malformed("property " + pair[0].toString() + " has no usable value");
        }
        properties.emplace_back(pair[0].toString().toStdString(), std::move(stored));
    }
    return properties;
}

// Places and sizes stay within what a widget can take, so that every sum of them fits an int.
constexpr int LargestExtent = 16777215;
// A font larger than this many pixels shows nothing readable.
constexpr int LargestFontHeight = 32767;

// The largest window buffer the program asks for, in pixels: an 8K screen's worth and more.
constexpr qint64 LargestBufferArea = qint64{1} << 26;

// The stored client size, made smaller where the window's buffer could not be allocated: Qt's
// styles paint through painters that could not start on a missing buffer, and crash. The shape
// is kept.
QSize BufferableSize(QSize stored) {
    QSize size = stored;
    const qint64 area = qint64{size.width()} * size.height();
    if (area > LargestBufferArea) {
        const double scale = std::sqrt(static_cast<double>(LargestBufferArea) / area);
        size =
            QSize(static_cast<int>(size.width() * scale), static_cast<int>(size.height() * scale));
    }
    while (!size.isEmpty() && QImage(size, QImage::Format_ARGB32_Premultiplied).isNull())
        size /= 2;
    return size;
}

[[noreturn]] void RefuseProperty(const QString& property, const QString& why) {
    throw StreamReadError("Stored property '" + property.toStdString() + "': " + why.toStdString());
}

// A whole number from lo to hi; an absent value is 0.
int WholeNumber(const QJsonValue& value, const QString& property, int lo, int hi) {
    if (value.isUndefined()) return 0;
    const double d = value.toDouble(std::nan(""));
    if (!value.isDouble() || d != std::trunc(d) || d < lo || d > hi) {
        RefuseProperty(property,
                       QString("a whole number from %1 to %2 was expected").arg(lo).arg(hi));
    }
    return static_cast<int>(d);
}

QRect ReadBounds(const QJsonValue& value, const QString& component) {
    const QJsonArray b = value.toArray();
    if (b.isEmpty()) return {};
    if (b.size() != 4) Malformed("bounds need left, top, width and height");
    const QString property = component + ".bounds";
    return QRect(WholeNumber(b[0], property, -LargestExtent, LargestExtent),
                 WholeNumber(b[1], property, -LargestExtent, LargestExtent),
                 WholeNumber(b[2], property, 0, LargestExtent),
                 WholeNumber(b[3], property, 0, LargestExtent));
}

}  // namespace

TWindowContent ParseWindowContent(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull()) Malformed(error.errorString());
    const QJsonObject root = document.object();

    TWindowContent content;
    const QJsonObject form = root["form"].toObject();
    content.Caption = form["caption"].toString();
    content.ClientSize =
        BufferableSize(QSize(WholeNumber(form["clientWidth"], "clientWidth", 0, LargestExtent),
                             WholeNumber(form["clientHeight"], "clientHeight", 0, LargestExtent)));
    content.Color = form["color"].toString() == "clAqua" ? 0xFFFF00 : clBtnFace;
    const QJsonObject font = form["font"].toObject();
    content.FontName = font["name"].toString();
    content.FontPixelHeight =
        std::abs(WholeNumber(font["height"], "font.height", -LargestFontHeight, LargestFontHeight));
    content.FontBold = font["style"].toArray().contains(QJsonValue("fsBold"));

    for (const QJsonValue& value : root["components"].toArray()) {
        const QJsonObject c = value.toObject();
        TStoredComponent component;
        component.Name = c["name"].toString();
        component.Class = c["class"].toString();
        component.Parent = c["parent"].toString();
        component.Bounds = ReadBounds(c["bounds"], component.Name);
        component.Caption = c.contains("label") ? c["label"].toString() : c["caption"].toString();
        component.Text = c["text"].toString();
        component.DateTime = c["dateTime"].toDouble();
        try {
            DecodeDate(component.DateTime);
            DecodeTime(component.DateTime);
        } catch (const ConversionError& e) {
            RefuseProperty(component.Name + ".dateTime", e.what());
        }
        if (component.Name.isEmpty() || component.Class.isEmpty()) {
            Malformed("a component without name or class");
        }
        content.Components.push_back(component);
    }

    content.ChartProperties = ReadProperties(root["chartTest"].toArray());
    const QJsonObject series = root["seriesActualData"].toObject();
    if (series.isEmpty()) Malformed("the series is missing");
    content.SeriesName = "seriesActualData";
    content.SeriesProperties = ReadProperties(series["properties"].toArray());
    return content;
}

QSize MinimumClientSize(const TWindowContent& content) {
    // The smallest chart that still shows both axes with their scales and labels apart.
    constexpr QSize MinimumChart(320, 240);
    QSet<QString> names;
    for (const TStoredComponent& c : content.Components)
        names.insert(c.Name);
    QRect controls;
    QRect chart;
    for (const TStoredComponent& c : content.Components) {
        if (c.Class == "TChart") {
            chart = c.Bounds;
        } else if (!names.contains(c.Parent)) {
            controls |= c.Bounds;  // a control on the window itself; menu items have no bounds
        }
    }
    const QSize client = content.ClientSize;
    const int rightAnchor = client.width() - chart.right() - 1;
    const int bottomAnchor = client.height() - chart.bottom() - 1;
    return QSize(std::max(controls.right() + 1 + controls.left(),
                          chart.left() + MinimumChart.width() + rightAnchor),
                 std::max(controls.bottom() + 1 + controls.left(),
                          chart.top() + MinimumChart.height() + bottomAnchor));
}

QByteArray StoredWindowText() {
    InitWindowResources();
    QFile file(":/TwinscopeMain.json");
    if (!file.open(QIODevice::ReadOnly)) Malformed("the resource cannot be opened");
    return file.readAll();
}

TWindowContent StoredWindowContent() {
    return ParseWindowContent(StoredWindowText());
}

}  // namespace twinscope
