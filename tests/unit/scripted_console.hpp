#pragma once

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "setup/console.hpp"
#include "setup/file_exists.hpp"
#include "setup/line_source.hpp"

namespace korvaline {

// A console whose user types `typed`, and a directory that exists only as a
// set of names. Every name the program asks about is recorded, in order.
class ScriptedConsole {
  public:
    ScriptedConsole(std::string typed, std::set<std::string> existing)
        : input_(LineSource::from_text(std::move(typed))),
          existing_(std::move(existing)),
          console(input_, output_) {}

    ExistenceTest exists() {
        return [this](const FixedText& name) {
            asked.push_back(name.trimmed());
            return existing_.count(name.trimmed()) > 0;
        };
    }
    std::string output() const { return output_.str(); }

  private:
    LineSource input_;
    std::set<std::string> existing_;
    std::ostringstream output_;

  public:
    Console console;
    std::vector<std::string> asked;
};

}  // namespace korvaline
