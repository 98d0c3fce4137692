// dxftool: loads and saves drawings through the host's database, and lists
// their texts and text styles.
#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>

#include "cadhost/db/acdb_all.h"
#include "tools/dxftool/listing.h"

namespace {

bool load(AcDbDatabase& db, const std::string& path) {
    if (db.readDxfFile(std::filesystem::path(path)) == Acad::eOk) return true;
    std::cerr << "dxftool: " << db.lastErrorMessage() << '\n';
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Reads and writes DXF drawings through the embedded host's database"};
    app.require_subcommand(1);
    std::string in, out;
    auto* roundtrip = app.add_subcommand("roundtrip", "load IN and save it as OUT");
    roundtrip->add_option("IN", in, "drawing to read")->required();
    roundtrip->add_option("OUT", out, "file to write")->required();
    auto* list = app.add_subcommand("list", "list the TEXT, ATTRIB, MTEXT and DIMENSION entities");
    list->add_option("IN", in, "drawing to read")->required();
    auto* styles = app.add_subcommand("styles", "list the text styles and their font files");
    styles->add_option("IN", in, "drawing to read")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }

    // A save past the file size limit fails with its reason (EFBIG) instead
    // of ending the program with the work in it.
    std::signal(SIGXFSZ, SIG_IGN);
    AcDbDatabase db(false);
    if (!load(db, in)) return 1;
    if (*roundtrip) {
        if (db.dxfOut(std::filesystem::path(out)) != Acad::eOk) {
            std::cerr << "dxftool: " << db.lastErrorMessage() << '\n';
            return 1;
        }
    } else if (*list) {
        dxftool::listTexts(db, std::cout);
    } else if (*styles) {
        dxftool::listStyles(db, std::cout);
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "dxftool: cannot write the listing\n";
        return 1;
    }
    return 0;
}
