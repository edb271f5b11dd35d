#include "core/account_names.hpp"

#include <vector>

namespace korvaline {

namespace {

std::vector<std::string_view> fields_of(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t colon = line.find(':', start);
        fields.push_back(line.substr(start, colon - start));
        if (colon == std::string_view::npos) {
            return fields;
        }
        start = colon + 1;
    }
}

}  // namespace

std::optional<std::string> account_name(std::string_view account_file, unsigned long id) {
    const std::string number = std::to_string(id);
    while (!account_file.empty()) {
        const std::size_t end = account_file.find('\n');
        const std::vector<std::string_view> fields = fields_of(account_file.substr(0, end));
        if (fields.size() >= 3 && fields[2] == number && !fields[0].empty()) {
            return std::string(fields[0]);
        }
        account_file.remove_prefix(end == std::string_view::npos ? account_file.size() : end + 1);
    }
    return std::nullopt;
}

}  // namespace korvaline
