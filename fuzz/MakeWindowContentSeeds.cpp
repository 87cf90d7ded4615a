// Writes the seeds of the window content fuzzer into the directory given as argument: the
// window's own stored content, compact, and pieces of it.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <filesystem>
#include <span>

#include "app/WindowContent.h"
#include "fuzz/SeedFiles.h"

namespace {

void Save(const std::filesystem::path& file, const QByteArray& bytes) {
    twinscope::fuzz::SaveSeed(file, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                              static_cast<std::size_t>(bytes.size())));
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = twinscope::fuzz::SeedDirectory(argc, argv);
    const QByteArray stored = twinscope::StoredWindowText();
    const QJsonObject root = QJsonDocument::fromJson(stored).object();
    Save(dir / "stored.json", stored);
    Save(dir / "compact.json", QJsonDocument(root).toJson(QJsonDocument::Compact));

    // Without the chart's settings, and with a series of no points.
    QJsonObject bare = root;
    bare["chartTest"] = QJsonArray();
    QJsonObject series = bare["seriesActualData"].toObject();
    QJsonArray properties;
    for (const QJsonValue& p : series["properties"].toArray()) {
        if (p.toArray()[0].toString() != "Data") properties.append(p);
    }
    properties.append(QJsonArray{"Data", "0000000000"});
    series["properties"] = properties;
    bare["seriesActualData"] = series;
    Save(dir / "bare.json", QJsonDocument(bare).toJson(QJsonDocument::Compact));
    return 0;
}
