// korvaline: prepares saint.ini for the integration of one crystal's frames.

#include <csignal>
#include <exception>
#include <iostream>

#include "frames/run_discovery.hpp"
#include "p4p/lattice_codes.hpp"
#include "p4p/p4p_reader.hpp"
#include "p4p/p4p_selection.hpp"
#include "settings/settings_writer.hpp"
#include "setup/banner.hpp"
#include "setup/console.hpp"
#include "setup/failure.hpp"
#include "setup/line_source.hpp"
#include "setup/project_dialogue.hpp"
#include "setup/setup_record.hpp"

namespace {

void run_phases(korvaline::Console& console) {
    using namespace korvaline;
    SetupRecord record;
    show_banner(console);
    ask_project_name(record, console);
    console.announce("Initializing...");
    discover_runs(record, console);
    select_p4p_file(record, console);
    read_p4p_file(record);
    derive_lattice_codes(record);
    write_settings_file(record, console);
    console.flush();
}

int stop(const char* reason) {
    std::cout.flush();
    std::cerr << "korvaline: " << reason << '\n';
    return 1;
}

}  // namespace

int main() {
    // A closed pipe on standard output, or a file-size limit reached while
    // saving, should fail the write and be reported, not kill the program
    // silently and leave a temporary file behind.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        korvaline::LineSource input(0, "standard input");
        korvaline::Console console(input, std::cout);
        run_phases(console);
        return 0;
    } catch (const korvaline::Failure& failure) {
        return stop(failure.what());
    } catch (const std::exception& error) {
        return stop(error.what());
    }
}
