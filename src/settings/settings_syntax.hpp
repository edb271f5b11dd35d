#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "console/line_source.hpp"

namespace korvaline {

// One line of a settings file (saint.ini, a profile) by its form, blanks
// around it and around a key and its value left out.
struct SettingsLine {
    enum class Kind {
        kBlank,
        kComment,  // starts with ; or #
        kSection,  // [NAME] or [NAME:TARGET]
        kSetting,  // KEY=VALUE, KEY of letters, digits and underscores
        kOther,    // of no known form
    };
    Kind kind = Kind::kBlank;
    std::string_view name;  // of the section, or the key
    // What follows the colon of [NAME:TARGET]; `has_target` even where it is empty.
    std::string_view target;
    bool has_target = false;
    std::string_view value;

    // The section as the line names it: NAME, or NAME:TARGET.
    std::string section_text() const;
};

SettingsLine classify_settings_line(std::string_view line);

// The lines of a settings file, one at a time: a byte-order mark before the
// first is dropped, as editors on Windows may start a UTF-8 file with one;
// LF, CR LF and CR CR LF end a line. What can be wrong with a line as read
// is told, not thrown: a profile refuses it, a comparison passes over it.
class SettingsLines {
  public:
    enum class Fault {
        kNone,
        // Carriage returns and no line feed: the line endings of an old Mac
        // editor, which would run the whole file into one line.
        kBareCarriageReturns,
        kTooLong,  // longer than `longest`; the rest is left unread
    };

    SettingsLines(LineSource& source, std::size_t longest) : source_(source), longest_(longest) {}

    // The next line into `line`; false at the end.
    bool next(std::string& line);
    std::size_t number() const { return number_; }  // of the line last read, from 1
    Fault fault() const;

  private:
    LineSource& source_;
    std::size_t longest_;
    std::size_t number_ = 0;
};

}  // namespace korvaline
