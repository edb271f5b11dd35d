#include "platform/host_name.hpp"

#include <array>

#include "platform/windows/windows_api.hpp"

namespace korvaline {

std::string host_name() {
    std::array<char, MAX_COMPUTERNAME_LENGTH + 1> name{};
    DWORD size = static_cast<DWORD>(name.size());
    if (!::GetComputerNameA(name.data(), &size)) {
        return "";
    }
    return std::string(name.data(), size);
}

}  // namespace korvaline
