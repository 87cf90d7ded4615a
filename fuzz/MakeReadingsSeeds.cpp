// Writes the seeds of the readings file fuzzer into the directory given as argument: each sample
// under docs/ (the Meteostat one gzip-compressed) and a few rows of every format, each after
// three bytes of options (detected format, the file's unit, no columns asked for, unless the
// seed asks otherwise).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>

#include "fuzz/SeedFiles.h"

namespace {

struct Seed {
    const char* name;
    std::string options;  // format, unit, columns
    std::string text;
};

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = twinscope::fuzz::SeedDirectory(argc, argv);
    const std::filesystem::path docs = TWINSCOPE_SOURCE_DIR "/docs";
    const std::string none(3, '\0');
    const Seed seeds[] = {
        {"year", none, FileText(docs / "seattle-2015.csv")},
        {"ghcn", none, FileText(docs / "samples/ghcn-USW00024233-2015.csv")},
        {"meteostat-gz", none, FileText(docs / "samples/meteostat-72793-2015.csv.gz")},
        {"garden", std::string("\0\3\x10", 3), FileText(docs / "samples/garden-log-2015.csv")},
        {"ghcn-header", std::string("\0\0\x03", 3),
         "ID,DATE,ELEMENT,DATA_VALUE,M_FLAG,Q_FLAG,S_FLAG,OBS_TIME\n"
         "USW00024233,20150101,TMAX,56,,,W,2400\nUSW00024233,20150101,TMIN,-9999,,,W,\n"
         "USW00024233,20150102,TMIN,12,,I,W,\n"},
        {"meteostat-hourly", none,
         "2015-01-01,6,-10.0,-12.1,80,,,,,,,,\n2015-01-01,18,20.0,5.0,60,,,,,,,,3\n"},
        {"meteostat-hourly-header", none,
         "time,temp,dwpt,rhum,prcp,snow,wdir,wspd,wpgt,pres,tsun,coco\n"
         "2015-01-01 12:00:00,0.0,,,,,,,,,,\n"},
        {"noaa-cdo", none, FileText(docs / "samples/noaa-cdo-daily-2015.csv")},
        {"ghcn-access", none, FileText(docs / "samples/ghcn-access-USW00024233-2015.csv")},
        {"isd-lite", none, FileText(docs / "samples/isd-lite-727930-24233-2015")},
        {"ghcnh", none, FileText(docs / "samples/ghcnh-USW00024233-2023.psv")},
        {"ghcnh-two-stations-dew-point", std::string("\0\0\x80", 3),
         "STATION|DATE|dew_point_temperature|dew_point_temperature_Quality_Code|temperature\n"
         "A|2023-01-01T00:53:00|-1.5|1|2.0\nB|2023-01-01T00:00:00|4.0|7|\n"
         "A|2023-01-01T00:53:00||| 3.5\n"},
        // The same samples read in the format named, so that each reader meets whatever the
        // fuzzer makes of them, recognisable or not.
        {"meteostat-forced", std::string("\3\0\0", 3),
         "2015-01-01,5.1,1.2,9.4,0.0,,,,,,\n2015-01-02,,0.5,7.1,,,,,,,\n"},
        {"noaa-cdo-forced", std::string("\5\0\0", 3),
         FileText(docs / "samples/noaa-cdo-daily-2015.csv").substr(0, 2000)},
        {"ghcn-access-forced", std::string("\6\0\0", 3),
         FileText(docs / "samples/ghcn-access-USW00024233-2015.csv").substr(0, 2000)},
        {"isd-lite-forced", std::string("\7\0\0", 3),
         FileText(docs / "samples/isd-lite-727930-24233-2015").substr(0, 2000)},
        {"ghcnh-forced", std::string("\x08\0\0", 3),
         FileText(docs / "samples/ghcnh-USW00024233-2023.psv").substr(0, 3000)},
        {"noaa-cdo-metric-flags", std::string("\5\2\x20", 3),
         "\"STATION\",\"NAME\",\"LATITUDE\",\"LONGITUDE\",\"ELEVATION\",\"DATE\",\"TOBS\","
         "\"TOBS_ATTRIBUTES\"\n\"A\",\"a\",\"1\",\"2\",\"3\",\"2015-01-01\",\" "
         "0023\",\",,7,0700\"\n"
         "\"B\",\"a\",\"1\",\"2\",\"3\",\"2015-01-01\",\"\",\",I,7,\"\n"},
        {"semicolons", std::string("\4\2\0", 3), "Datum;Max;Min\r\n2015-01-01;10,5;-2\r\n"},
        {"two-columns", std::string("\1\0\0", 3),
         "\xEF\xBB\xBF\"2024-08-01T06:00\" , \"71.5\"\n\n2024-07-31 12:00;+80\n"},
    };
    for (const Seed& seed : seeds) {
        const std::string bytes = seed.options + seed.text;
        twinscope::fuzz::SaveSeed(
            dir / seed.name,
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    }
    return 0;
}
