#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvaline {

// Text of a fixed width, filled with blanks. Assigning a longer text cuts it
// at the width without notice; this cut is where every name-length limit of
// the program comes from. Characters are bytes; only ' ' counts as a blank.
class FixedText {
  public:
    explicit FixedText(std::size_t width);

    // The first width() characters of `source`, or `source` filled with blanks.
    void assign(std::string_view source);

    // The content without its trailing blanks; leading and inner blanks stay.
    std::string trimmed() const;

    // Position (from 1) of the first occurrence of `needle` in the whole
    // content, trailing blanks included; 0 when it does not occur.
    std::size_t find(std::string_view needle) const;

    // Equal when the shorter of the two, filled with blanks, matches the other.
    bool equals(std::string_view other) const;

    std::size_t width() const { return content_.size(); }

    // All width() characters.
    std::string_view text() const { return content_; }

  private:
    std::string content_;
};

// Whether `text` holds more than blanks beyond its first `width` characters:
// text that a field of that width cuts.
bool holds_text_beyond(std::string_view text, std::size_t width);

}  // namespace korvaline
