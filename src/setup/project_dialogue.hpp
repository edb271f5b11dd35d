#pragma once

#include <string>
#include <string_view>

#include "console/console.hpp"
#include "core/setup_record.hpp"
#include "files/file_exists.hpp"

namespace korvaline {

// Asks for the project name until the first frame file of its run 1,
// <name>1.001 (cut at 20 characters), exists. Fills `project_name`.
void ask_project_name(SetupRecord& record, Console& console,
                      const ExistenceTest& exists = frame_file_exists);

// Takes the project name given on the command line: without its first frame
// file there is no project here, and that is a Failure naming the file and
// the directory.
void take_project_name(SetupRecord& record, std::string_view given, Console& console,
                       const ExistenceTest& exists = frame_file_exists);

// The project of the current directory, found by one listing of it: the
// NAME of its one first frame NAME1.001, where NAME has 1 to 15 characters
// (so that no name of the project is cut). None, or several, is a Failure
// that says so and names up to five of them, as is a directory that cannot
// be read. An entry that the listing does not show for certain (a link) is
// given to `exists`.
std::string find_project_name(const ExistenceTest& exists = frame_file_exists);

}  // namespace korvaline
