// The command line read from any argument vector. It either ends the program at once, with a
// text and status 0 (help, version) or 2 (a usage error with its hint), or gives options within
// the bounds the program draws with.
//
// An input is the arguments after the program's name, each ended by a NUL byte.

#include <QStringList>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "app/CommandLine.h"
#include "app/ProgramIdentity.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"

namespace {

using namespace twinscope;

void Check(const TCommandLineExit& exit) {
    if (exit.Status != 0 && exit.Status != 2) __builtin_trap();
    if (exit.Text.isEmpty() || !exit.Text.endsWith('\n')) __builtin_trap();
    if (exit.Status == 2 && (!exit.Text.startsWith("twinscope: ") ||
                             !exit.Text.endsWith("Try 'twinscope --help' for more information.\n")))
        __builtin_trap();
}

void Check(const TProgramOptions& options) {
    if (options.DataFiles.isEmpty() &&
        (options.Reading.Format || options.Reading.Unit || !options.Reading.Columns.empty()))
        __builtin_trap();
    if (!options.RenderTo) return;
    const TRenderOptions& r = *options.RenderTo;
    if ((r.FileName == "-") != r.Format.has_value()) __builtin_trap();
    if (r.FileName != "-" && !PictureFormatOf(r.FileName.toStdString())) __builtin_trap();
    const QSize size = r.Size.value_or(QSize(965, 518));
    if (size.width() < 1 || size.height() < 1 || size.width() > 10000 || size.height() > 10000)
        __builtin_trap();
    if (!(r.Scale >= 0.1 && r.Scale <= 10)) __builtin_trap();
    if (std::ceil(std::max(size.width(), size.height()) * r.Scale) > 10000) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        SetProgramIdentity();
        RegisterQtCanvases();
        return true;
    }();
    (void)ready;
    fuzz::FuzzInput input(data, size);
    QStringList arguments{"twinscope"};
    while (!input.Empty())
        arguments << QString::fromLocal8Bit(input.Text());
    const auto parsed = ParseCommandLine(arguments);
    if (const auto* exit = std::get_if<TCommandLineExit>(&parsed)) {
        Check(*exit);
    } else {
        Check(std::get<TProgramOptions>(parsed));
    }
    return 0;
}
