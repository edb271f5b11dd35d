#include "platform/identity.hpp"

#include <array>

#include "platform/windows/windows_api.hpp"

namespace korvaline {

std::string running_user_name() {
    std::array<char, 257> name{};
    DWORD length = static_cast<DWORD>(name.size());
    if (!::GetUserNameA(name.data(), &length) || length == 0) {
        return "";
    }
    return std::string(name.data(), length - 1);
}

std::string group_name(unsigned long group) {
    return std::to_string(group);
}

}  // namespace korvaline
