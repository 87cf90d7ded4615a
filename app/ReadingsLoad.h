#pragma once

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

// Reads the files ("-": standard input) as ReadReadingsFile does. A file that cannot be read
// refuses them all: nothing half-read is shown.
TReadingsLoad LoadReadingsFiles(const std::vector<std::string>& paths,
                                const TReadingOptions& options);

}  // namespace twinscope
