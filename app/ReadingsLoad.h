#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/ReadingsFile.h"

namespace twinscope {

// The readings of several files, read one after the other, and what was said of them.
struct TReadingsLoad {
    // The lines of all files in one, in the order of the files.
    TReadingsFile Readings;
    // One line per file read, "FILE: what was read" (ReadNote).
    std::vector<std::string> Notes;
    // "FILE: line N: reason" for the first file refused; then nothing is read.
    std::string Refusal;
};

// Told how far a load has come: the file being read, the bytes of its text read and in all,
// every few megabytes. It may throw ReadingsError to end the load.
using TLoadProgress =
    std::function<void(const std::string& path, std::size_t read, std::size_t size)>;

// Reads the files ("-": standard input) as ReadReadingsFile does. A file that cannot be read
// refuses them all: nothing half-read is shown.
TReadingsLoad LoadReadingsFiles(const std::vector<std::string>& paths,
                                const TReadingOptions& options, const TLoadProgress& progress = {});

// How far the reading of a file has come, for the line that shows it ("FILE: 37 % read").
std::string ProgressNote(const std::string& path, std::size_t read, std::size_t size);

}  // namespace twinscope
