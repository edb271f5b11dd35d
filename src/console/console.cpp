#include "console/console.hpp"

#include <utility>

#include "core/failure.hpp"
#include "platform/places.hpp"

namespace korvaline {

Console::Console(LineSource& input, OutputSink output, OutputSink notes)
    : input_(input), output_(std::move(output)), notes_(std::move(notes)) {}

Console::~Console() {
    try {
        flush();
    } catch (...) {
        // The failure that ends the program is already on its way.
    }
}

void Console::write_line(std::string_view text) {
    pending_.append(text);
    pending_.push_back('\n');
}

void Console::message(std::string_view text) {
    std::string line(1, ' ');
    line.append(text);
    write_line(line);
}

void Console::announce(std::string_view text) {
    write_line("");
    message(text);
}

void Console::note(std::string_view name, std::string_view text) {
    flush();
    notes_given_.push_back({name, std::string(text)});
    notes_("korvaline: note: " + printable(text) + " [" + std::string(name) + "]\n");
}

void Console::repeatable_note(std::string_view name, std::string_view text) {
    Repeats& repeats = repeats_.try_emplace(std::string(name)).first->second;
    if (repeats.given < kRepeatsNoted) {
        ++repeats.given;
        note(name, text);
    } else {
        ++repeats.passed_over;
    }
}

void Console::note_repeats_passed_over(std::string_view name, std::string_view what) {
    const auto repeats = repeats_.find(name);
    if (repeats != repeats_.end() && repeats->second.passed_over > 0) {
        note(name, std::to_string(std::exchange(repeats->second.passed_over, 0)) + " more " +
                       std::string(what));
    }
}

bool Console::read_answer(FixedText& field, std::string_view awaited,
                          const FixedText* looked_for_in_vain) {
    flush();
    std::string line;
    if (!input_.read_line(field.width(), line)) {
        std::string message = "standard input ended while waiting for " + std::string(awaited);
        if (looked_for_in_vain != nullptr) {
            message += "; " + missing_here(*looked_for_in_vain);
        }
        throw Failure(message);
    }
    field.assign(line);
    return input_.last_line_was_cut();
}

void Console::flush() {
    if (!pending_.empty()) {
        // Cleared first: lines that could not be written are not tried again.
        const std::string lines = std::exchange(pending_, {});
        output_(lines);
    }
}

std::string this_directory() {
    const std::string directory = current_directory();
    return directory.empty() ? "the current directory" : directory;
}

std::string missing_here(const FixedText& name) {
    return name.trimmed() + " does not exist in " + this_directory();
}

}  // namespace korvaline
