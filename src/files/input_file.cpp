#include "files/input_file.hpp"

#include <algorithm>
#include <utility>

#include "core/failure.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

// What is wrong with a file found open is that it cannot be read.
constexpr std::string_view kFoundOnceOpen = "cannot read ";

}  // namespace

InputFile::InputFile(OpenedFile file, std::string name)
    : file_(std::move(file)), name_(std::move(name)) {}

InputFile InputFile::standard_input(std::string name) {
    return InputFile(OpenedFile::not_owned(standard_input_handle()), std::move(name));
}

// A file asked for by name that is not there cannot be opened.
InputFile InputFile::open_regular_file(const std::string& path, const std::string& name) {
    return InputFile(OpenedFile::from(open_file(path, OpenFor::reading), name, kFoundOnceOpen),
                     name);
}

std::optional<InputFile> InputFile::open_if_present(const std::string& path,
                                                    const std::string& name, std::string* refusal) {
    const Opening opening = open_file(path, OpenFor::reading);
    if (opening.outcome == Opened::absent) {
        return std::nullopt;
    }
    if (opening.outcome == Opened::dangling_link) {
        throw Failure("cannot open " + name + ": it is a symbolic link to " +
                      quoted(opening.detail) + ", which does not exist");
    }
    if (opening.outcome == Opened::refused && refusal != nullptr) {
        *refusal = system_error_text(opening.error);
        return std::nullopt;
    }
    return InputFile(OpenedFile::from(opening, name, kFoundOnceOpen), name);
}

std::optional<InputFile> InputFile::open_if_present_unless_link(const std::string& path,
                                                                const std::string& name) {
    const Opening opening = open_file(path, OpenFor::reading_unless_link);
    if (opening.outcome == Opened::absent) {
        return std::nullopt;
    }
    return InputFile(OpenedFile::from(opening, name, kFoundOnceOpen), name);
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    if (handed_ == read_.size()) {
        handed_ = 0;
        const int error = read_some(file_.handle(), size, read_);
        if (error != 0) {
            fail_with_system_error("cannot read " + name_, error);
        }
    }
    const std::size_t handed = std::min(size, read_.size() - handed_);
    read_.copy(buffer, handed, handed_);
    handed_ += handed;
    return handed;
}

}  // namespace korvaline
