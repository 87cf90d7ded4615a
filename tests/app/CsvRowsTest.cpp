#include "twinscope/readings/CsvRows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "app/InputText.h"
#include "app/ReadingsCsv.h"
#include "app/ReadingsFile.h"

namespace twinscope {
namespace {

// The numbers as the standard library reads them: what every number read must stay.
std::optional<double> FullParse(std::string_view text, bool decimalComma) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::string buffer(text);
    if (text.empty() || buffer.size() >= 64) return std::nullopt;
    if (decimalComma) std::replace(buffer.begin(), buffer.end(), ',', '.');
    double value = 0;
    const auto [end, error] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc{} || end != buffer.data() + buffer.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The same number, to the bit, or both refused.
void ExpectSameNumber(std::string_view text, bool decimalComma) {
    const std::optional<double> read = ParseCsvNumber(text, decimalComma);
    const std::optional<double> full = FullParse(text, decimalComma);
    ASSERT_EQ(read.has_value(), full.has_value()) << "'" << text << "'";
    if (read) {
        EXPECT_EQ(std::memcmp(&*read, &*full, sizeof(double)), 0) << "'" << text << "'";
    }
}

TEST(CsvRows, NumbersReadToTheBitAsTheFullParseReadsThem) {
    const char* const texts[] = {
        "71.5",
        "-3e2",
        "+80",
        "0",
        "-0",
        "-0.00",
        "0.1",
        "0.3",
        "1e-400",
        "2e-324",
        "5e-324",
        "4e-320",
        "1e400",
        "1e308",
        "inf",
        "nan",
        "-nan",
        ".5",
        "5.",
        "-.5",
        "-",
        "+",
        "1e",
        "00012",
        "1.2.3",
        "1,5",
        "10,25",
        "1.5",
        "0x1p3",
        " 1",
        "1 ",
        "--1",
        "+-5",
        "123456789012345",
        "1234567890123456",
        "9007199254740993",
        "0.000000000000001",
        "999999999999999.9",
        "12345678901234567890123456789012345678901234567890123456789012",
        "123456789012345678901234567890123456789012345678901234567890123",
        "2.2250738585072011e-308",
        "1.7976931348623159e308",
    };
    for (const char* text : texts) {
        ExpectSameNumber(text, false);
        ExpectSameNumber(text, true);
    }
    // Decimals of every length and sign that the readers meet.
    std::mt19937_64 random(28);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 3 == 0 ? "-" : "";
        const int whole = 1 + static_cast<int>(random() % 9);
        const int decimals = static_cast<int>(random() % 10);
        for (int k = 0; k < whole; ++k)
            text += static_cast<char>('0' + random() % 10);
        if (decimals > 0) text += '.';
        for (int k = 0; k < decimals; ++k)
            text += static_cast<char>('0' + random() % 10);
        ExpectSameNumber(text, false);
    }
}

TEST(CsvRows, EveryFieldOfTheSamplesReadsAsTheFullParseReadsIt) {
    const std::filesystem::path samples =
        std::filesystem::path(TWINSCOPE_SOURCE_DIR) / "docs/samples";
    int fields = 0;
    for (const auto& entry : std::filesystem::directory_iterator(samples)) {
        const std::string text = ReadInputText(entry.path().string());
        TCsvRows rows(text);
        while (const std::optional<std::string_view> row = rows.Next()) {
            for (std::string_view field : SplitCsvRow(*row, ',', rows.Line())) {
                ExpectSameNumber(field, false);
                ++fields;
            }
        }
    }
    EXPECT_GT(fields, 1000);
}

TEST(CsvRows, SplitsRowsAtTheSeparatorsOutsideQuotes) {
    using Fields = std::vector<std::string_view>;
    struct Row {
        const char* name;
        const char* row;
        char separator;
        Fields fields;
    } const table[] = {
        {"plain", "2015-01-01,7", ',', {"2015-01-01", "7"}},
        {"blanks around fields", " a ,\tb\t, c", ',', {"a", "b", "c"}},
        {"empty fields", ",,", ',', {"", "", ""}},
        {"empty row", "", ',', {""}},
        {"quoted as a whole", "\"A\", \"b, c\" ,\"\"", ',', {"A", "b, c", ""}},
        {"blanks inside quotes", "\" a \",b", ',', {"a", "b"}},
        {"quotes around other separators", "\"A\",1,\"x;y\"", ';', {"A\",1,\"x;y"}},
        {"a quote inside a field", "a\"b,c\"d,e", ',', {"a\"b,c\"d", "e"}},
        {"doubled quotes", "\"a\"\"b\",c", ',', {"a\"\"b", "c"}},
        {"text after the closing quote", "\"a\" b,c", ',', {"\"a\" b", "c"}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SplitCsvRow(row.row, row.separator, 1), row.fields);
    }
    TCsvFields split;
    EXPECT_EQ(split.Split("a,b", ',', 1), (Fields{"a", "b"}));
    EXPECT_EQ(split.Split("c", ',', 2), (Fields{"c"}));
    try {
        split.Split("1,\"2", ',', 7);
        ADD_FAILURE() << "no refusal";
    } catch (const ReadingsError& e) {
        EXPECT_STREQ(e.what(), "line 7: a quoted field is not closed");
    }
}

// Rows of one short line each, the text Step bytes and a half long.
std::string LongText() {
    std::string text;
    while (text.size() < TRowsWatch::Step * 5 / 2)
        text += "2015-01-01,45.0\n";
    return text;
}

TEST(CsvRows, AWatchIsToldEveryStepOfItsTextAndMayEndTheReading) {
    const std::string text = LongText();
    std::vector<std::size_t> reached;
    {
        const TRowsWatch watch(text, [&](std::size_t read) { reached.push_back(read); });
        TCsvRows rows(text);
        while (rows.Next()) {
        }
        // Another text is not the watch's.
        const std::string other = LongText();
        TCsvRows otherRows(other);
        while (otherRows.Next()) {
        }
    }
    ASSERT_EQ(reached.size(), 2u);
    EXPECT_GE(reached[0], TRowsWatch::Step);
    EXPECT_LT(reached[0], TRowsWatch::Step + 16);
    EXPECT_GE(reached[1], 2 * TRowsWatch::Step);

    const TRowsWatch watch(text, [](std::size_t) { throw ReadingsError(0, "was not read"); });
    TCsvRows rows(text);
    EXPECT_THROW(while (rows.Next()){}, ReadingsError);
}

// The file-backed memory of the process, from /proc/self/status.
std::int64_t ResidentFileKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("RssFile:")) return std::stoll(line.substr(8));
    }
    return 0;
}

TEST(CsvRows, AMappedFileLetsThePagesReadGo) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "twinscope-mapped-readings.csv";
    std::string text;
    while (text.size() < TRowsWatch::Step * 3)
        text += "2015-01-01T06:00,45.25\n";
    std::ofstream(path, std::ios::binary) << text;
    {
        TInputText input(path.string());
        ASSERT_EQ(input.Text().size(), text.size());
        const std::int64_t before = ResidentFileKilobytes();
        const TRowsWatch watch(input.Text(), [&](std::size_t read) { input.LetGoBefore(read); });
        EXPECT_EQ(ParseReadingsCsv(input.Text()).Dates.size(), text.size() / 23);
        // The whole text was read: at most the last step of it stays.
        EXPECT_LT(ResidentFileKilobytes() - before,
                  static_cast<std::int64_t>(2 * TRowsWatch::Step / 1024));
        EXPECT_FALSE(input.CutShort());
        // Pages let go come back when read again.
        EXPECT_EQ(input.Text(), text);
    }
    std::filesystem::remove(path);
}

// A pipe (as a shell's <(...) hands it over) is read once, from its start: its writer writes
// only once.
TEST(CsvRows, APipeIsReadAsItComes) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "twinscope-readings-pipe";
    const std::string text = "2015-01-01,45.0\n2015-01-02,46.5\n";
    const auto written = [&] {
        std::filesystem::remove(path);
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
        return std::thread([&] { std::ofstream(path, std::ios::binary) << text; });
    };
    std::thread writer = written();
    EXPECT_EQ(TInputText(path.string()).Text(), text);
    writer.join();
    writer = written();
    EXPECT_EQ(PointCount(ReadReadingsFile(path.string(), {})), 2);
    writer.join();
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace twinscope
