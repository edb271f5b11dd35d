#include "files/append_file.hpp"

#include <utility>

#include "core/failure.hpp"
#include "platform/file_operations.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

constexpr std::string_view kFoundOnceOpen = "cannot open ";

}  // namespace

std::optional<AppendFile> AppendFile::open_existing(const std::string& path,
                                                    const std::string& name) {
    const Opening opening = open_file(path, OpenFor::appending);
    if (opening.outcome == Opened::absent) {
        return std::nullopt;
    }
    return AppendFile(OpenedFile::from(opening, name, kFoundOnceOpen), name);
}

AppendFile AppendFile::create_like(const std::string& path, const std::string& like,
                                   const std::string& name) {
    const Opening made = open_file(path, OpenFor::creating_to_append);
    if (made.outcome == Opened::already_there) {
        if (std::optional<AppendFile> made_meanwhile = open_existing(path, name)) {
            return std::move(*made_meanwhile);
        }
    }
    AppendFile file(OpenedFile::from(made, name, kFoundOnceOpen), name);
    give_new_file_the_owner_and_mode_of(path, like);
    return file;
}

void AppendFile::append(std::string_view record) {
    std::size_t written = 0;
    const int error = write_once(file_.handle(), record, written);
    if (error != 0) {
        fail_with_system_error("cannot write " + name_, error);
    }
    if (written != record.size()) {
        throw Failure("cannot write " + name_ + ": only " + std::to_string(written) + " of " +
                      std::to_string(record.size()) + " bytes were written");
    }
}

}  // namespace korvaline
