#include "files/file_exists.hpp"

#include <string>

#include "files/absolute_path.hpp"
#include "platform/name_exists.hpp"

namespace korvaline {

namespace {

bool exists_named(const FixedText& name, bool in_full) {
    const std::string path = name.trimmed();
    // The system would test only the part before the NUL: another name.
    if (path.find('\0') != std::string::npos) {
        return false;
    }
    return name_exists(path, [&] { return name_in_messages(path, in_full); });
}

bool frame_exists_named(const FixedText& name, bool in_full) {
    return exists_named(name, in_full) && !names_a_device(name.trimmed());
}

}  // namespace

bool file_exists(const FixedText& name) {
    return exists_named(name, false);
}

bool frame_file_exists(const FixedText& name) {
    return frame_exists_named(name, false);
}

ExistenceTest frame_file_test(bool in_full) {
    return [in_full](const FixedText& name) { return frame_exists_named(name, in_full); };
}

}  // namespace korvaline
