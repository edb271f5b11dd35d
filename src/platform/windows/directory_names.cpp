#include "platform/directory_names.hpp"

#include <string_view>

#include "core/backup_names.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

std::vector<std::string> directory_names_starting_with(const std::string& path) {
    const std::string_view file = file_name_part(path);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileExA((path + "*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        // The pattern also matches short 8.3 names; only the long ones count.
        if (std::string_view(found.cFileName).starts_with(file)) {
            names.emplace_back(found.cFileName);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

}  // namespace korvaline
