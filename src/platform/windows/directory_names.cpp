#include "platform/directory_names.hpp"

#include <string_view>

#include "platform/windows/windows_api.hpp"

namespace korvaline {

NamesBeside names_beside(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    NamesBeside beside{separator == std::string::npos ? path : path.substr(separator + 1), {}};
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileExA((path + "*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return beside;
    }
    do {
        // The pattern also matches short 8.3 names; only the long ones count.
        if (std::string_view(found.cFileName).starts_with(beside.file)) {
            beside.names.emplace_back(found.cFileName);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return beside;
}

}  // namespace korvaline
