#include "app/ReadingsLoad.h"

#include <algorithm>
#include <iterator>

#include "app/InputText.h"

namespace twinscope {

TReadingsLoad LoadReadingsFiles(const std::vector<std::string>& paths,
                                const TReadingOptions& options, const TLoadProgress& progress) {
    TReadingsLoad load;
    TReadingsFile& all = load.Readings;
    for (const std::string& path : paths) {
        try {
            TReadProgress fileProgress;
            if (progress) {
                fileProgress = [&](std::size_t read, std::size_t size) {
                    progress(path, read, size);
                };
            }
            TReadingsFile file = ReadReadingsFile(path, options, fileProgress);
            load.Notes.push_back(InputName(path) + ": " + ReadNote(file));
            all.Series.insert(all.Series.end(), std::make_move_iterator(file.Series.begin()),
                              std::make_move_iterator(file.Series.end()));
            all.MissingValues += file.MissingValues;
            all.FlaggedValues += file.FlaggedValues;
            all.Rows += file.Rows;
            all.Stations.insert(all.Stations.end(), file.Stations.begin(), file.Stations.end());
            all.Layout = file.Layout;
        } catch (const ReadingsError& e) {
            return TReadingsLoad{.Refusal = InputName(path) + ": " + e.what()};
        }
    }
    NameLinesByStation(all);
    if (options.Band) {
        try {
            all.Bands = BandsOf(all, *options.Band);
        } catch (const ReadingsError& e) {
            const std::string name = paths.size() == 1 ? InputName(paths[0]) : "the readings";
            return TReadingsLoad{.Refusal = name + ": " + e.what()};
        }
    }
    return load;
}

std::string ProgressNote(const std::string& path, std::size_t read, std::size_t size) {
    const std::size_t percent = size == 0 ? 100 : std::min<std::size_t>(100, read * 100 / size);
    return InputName(path) + ": " + std::to_string(percent) + " % read";
}

}  // namespace twinscope
