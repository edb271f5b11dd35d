#pragma once

#include <optional>
#include <string>

namespace korvaline {

// Answers given on the command line instead of typed. A question they answer
// is not asked, and the answer is not tried again: a file it names that does
// not exist ends the program.
struct GivenAnswers {
    std::optional<std::string> project_name;
    // The project is the one the current directory holds.
    bool find_project = false;
    std::optional<std::string> p4p_name;
    bool accept_offered_p4p = false;
};

}  // namespace korvaline
