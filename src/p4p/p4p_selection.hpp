#pragma once

#include "setup/console.hpp"
#include "setup/file_exists.hpp"
#include "setup/setup_record.hpp"

namespace korvaline {

// Offers <run-1 base name>.p4p, lets the user accept it or type another
// name, and insists until the name is that of an existing file. Fills
// `p4p_name`; this is the program's last question.
void select_p4p_file(SetupRecord& record, Console& console,
                     const ExistenceTest& exists = file_exists);

}  // namespace korvaline
