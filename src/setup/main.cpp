// korvaline: prepares saint.ini for the integration of one crystal's frames.

#include <exception>
#include <string>

#include "console/console.hpp"
#include "console/line_source.hpp"
#include "core/setup_record.hpp"
#include "frames/run_discovery.hpp"
#include "p4p/lattice_codes.hpp"
#include "p4p/p4p_reader.hpp"
#include "p4p/p4p_selection.hpp"
#include "platform/input_file.hpp"
#include "platform/standard_streams.hpp"
#include "settings/settings_writer.hpp"
#include "setup/banner.hpp"
#include "setup/project_dialogue.hpp"

namespace {

void run_phases(korvaline::Console& console) {
    using namespace korvaline;
    SetupRecord record;
    show_banner(console);
    ask_project_name(record, console);
    console.announce("Initializing...");
    discover_runs(record, console);
    select_p4p_file(record, console);
    read_p4p_file(record, console);
    derive_lattice_codes(record);
    note_unknown_symbols(record, console);
    write_settings_file(record, console);
}

}  // namespace

int main() {
    using namespace korvaline;
    prepare_standard_streams();
    try {
        LineSource input(InputFile::standard_input("standard input"));
        Console console(input, write_standard_output, write_standard_error);
        run_phases(console);
        return 0;
    } catch (const std::exception& failure) {
        write_standard_error("korvaline: " + std::string(failure.what()) + "\n");
        return 1;
    }
}
