// tarsiltext: the Hebrew text engine and its neighbours for scripts.  Each
// subcommand reads records from standard input and writes one record per
// input record (see records.h).
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>

#include "tools/tarsiltext/codec_commands.h"
#include "tools/tarsiltext/engine_commands.h"
#include "tools/tarsiltext/ini_commands.h"
#include "tools/tarsiltext/records.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kInputError = 1;

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    CLI::App app{"Hebrew text engine on records of standard input", "tarsiltext"};
    app.require_subcommand(1, 1);

    tarsil::tools::RecordOptions records;
    // Someone reading the output as it comes sees each record at once.
    records.flushEachRecord = isatty(STDOUT_FILENO) != 0;
    tarsil::tools::AddRecordFlags(app, records);

    tarsil::tools::addEngineCommands(app, records);
    tarsil::tools::addCodecCommands(app, records);
    tarsil::tools::addIniCommands(app, records);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);  // --help
        std::cerr << "tarsiltext: " << e.what() << "\n"
                  << "usage: tarsiltext [-0] [--utf8] <subcommand> [options] < records"
                     " (--help lists the subcommands)\n";
        return kUsageError;
    } catch (const tarsil::tools::RecordError& e) {
        std::cout.flush();
        std::cerr << "tarsiltext: " << e.what() << "\n";
        return kInputError;
    }
    std::cout.flush();
    return std::cout ? 0 : kInputError;
}
