#pragma once

#include "console/console.hpp"
#include "core/given_answers.hpp"
#include "core/setup_record.hpp"
#include "files/file_exists.hpp"

namespace korvaline {

// Offers <run-1 base name>.p4p, lets the user accept it or type another
// name, and insists until the name is that of an existing file. Fills
// `p4p_name`; this is the program's last question.
void select_p4p_file(SetupRecord& record, Console& console,
                     const ExistenceTest& exists = file_exists);

// Takes the P4P file given on the command line: the one named, or the one
// offered when the offer is accepted in advance. A file that does not exist
// is a Failure naming it and the directory.
void take_p4p_file(SetupRecord& record, const GivenAnswers& given, Console& console,
                   const ExistenceTest& exists = file_exists);

}  // namespace korvaline
