#include "platform/file_exists.hpp"

#include <string>

#include "platform/name_exists.hpp"

namespace korvaline {

bool file_exists(const FixedText& name) {
    const std::string path = name.trimmed();
    // The system would test only the part before the NUL: another name.
    if (path.find('\0') != std::string::npos) {
        return false;
    }
    return name_exists(path);
}

bool frame_file_exists(const FixedText& name) {
    return file_exists(name) && !names_a_device(name.trimmed());
}

}  // namespace korvaline
