#include "app/WindowContent.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>

#include "twinscope/runtime/Exceptions.h"

// The resources live in a static library: their registration must be asked for by name.
static void InitWindowResources() { Q_INIT_RESOURCE(TwinscopeMain); }

namespace twinscope {

namespace {

[[noreturn]] void Malformed(const QString& what) {
    throw StreamReadError("The window's stored content is malformed: " + what.toStdString());
}

TStoredProperties ReadProperties(const QJsonArray& pairs) {
    TStoredProperties properties;
    for (const QJsonValue& entry : pairs) {
        const QJsonArray pair = entry.toArray();
        if (pair.size() != 2 || !pair[0].isString()) Malformed("a property is not a name-value pair");
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

QRect ReadBounds(const QJsonValue& value) {
    const QJsonArray b = value.toArray();
    if (b.isEmpty()) return {};
    if (b.size() != 4) Malformed("bounds need left, top, width and height");
    return QRect(b[0].toInt(), b[1].toInt(), b[2].toInt(), b[3].toInt());
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
    content.ClientSize = QSize(form["clientWidth"].toInt(), form["clientHeight"].toInt());
    content.Color = form["color"].toString() == "clAqua" ? 0xFFFF00 : clBtnFace;
    const QJsonObject font = form["font"].toObject();
    content.FontName = font["name"].toString();
    content.FontPixelHeight = std::abs(font["height"].toInt());
    content.FontBold = font["style"].toArray().contains(QJsonValue("fsBold"));

    for (const QJsonValue& value : root["components"].toArray()) {
        const QJsonObject c = value.toObject();
        TStoredComponent component;
        component.Name = c["name"].toString();
        component.Class = c["class"].toString();
        component.Parent = c["parent"].toString();
        component.Bounds = ReadBounds(c["bounds"]);
        component.Caption = c.contains("label") ? c["label"].toString() : c["caption"].toString();
        component.Text = c["text"].toString();
        component.DateTime = c["dateTime"].toDouble();
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

TWindowContent StoredWindowContent() {
    InitWindowResources();
    QFile file(":/TwinscopeMain.json");
    if (!file.open(QIODevice::ReadOnly)) Malformed("the resource cannot be opened");
    return ParseWindowContent(file.readAll());
}

}  // namespace twinscope
