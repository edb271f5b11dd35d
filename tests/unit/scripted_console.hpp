#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/console.hpp"
#include "console/line_source.hpp"
#include "files/file_exists.hpp"

namespace korvaline {

// A console whose user types `typed`, and a directory that exists only as a
// set of names. Every name the program asks about is recorded, in order.
class ScriptedConsole {
  public:
    ScriptedConsole(std::string typed, std::set<std::string> existing)
        : input_(LineSource::from_text(std::move(typed))),
          existing_(std::move(existing)),
          console(
              input_, [this](std::string_view bytes) { output_.append(bytes); },
              [this](std::string_view bytes) { notes.append(bytes); }) {}

    ExistenceTest exists() {
        return [this](const FixedText& name) {
            asked.push_back(name.trimmed());
            return existing_.count(name.trimmed()) > 0;
        };
    }
    std::string output() {
        console.flush();
        return output_;
    }

  private:
    LineSource input_;
    std::set<std::string> existing_;
    std::string output_;

  public:
    std::string notes;  // what went to standard error
    Console console;
    std::vector<std::string> asked;
};

}  // namespace korvaline
