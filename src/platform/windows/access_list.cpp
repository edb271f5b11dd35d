#include "platform/windows/access_list.hpp"

// With the settings <windows.h> was given above.
#include <aclapi.h>

#include <string_view>

namespace korvaline {

namespace {

// A file's access list (DACL), as read once.
class AccessList {
  public:
    explicit AccessList(const std::string& path) {
        read_ = ::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                        nullptr, nullptr, &list_, nullptr,
                                        &descriptor_) == ERROR_SUCCESS;
    }
    explicit AccessList(HANDLE file) {
        read_ = ::GetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                  &list_, nullptr, &descriptor_) == ERROR_SUCCESS;
    }
    ~AccessList() { ::LocalFree(descriptor_); }
    AccessList(const AccessList&) = delete;
    AccessList& operator=(const AccessList&) = delete;

    bool read() const { return read_; }
    PACL list() const { return list_; }

    bool is_protected() const {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        return ::GetSecurityDescriptorControl(descriptor_, &control, &revision) &&
               (control & SE_DACL_PROTECTED) != 0;
    }

    bool same_as(const AccessList& other) const {
        return is_protected() == other.is_protected() && entries() == other.entries();
    }

  private:
    std::string_view entries() const {
        ACL_SIZE_INFORMATION size{};
        if (list_ == nullptr ||
            !::GetAclInformation(list_, &size, sizeof size, AclSizeInformation)) {
            return {};
        }
        return {reinterpret_cast<const char*>(list_), size.AclBytesInUse};
    }

    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    PACL list_ = nullptr;
    bool read_ = false;
};

}  // namespace

void keep_access_list(const std::string& old_path, HANDLE file) noexcept {
    const AccessList old_list(old_path);
    const AccessList new_list(file);
    if (!old_list.read() || !new_list.read() || old_list.same_as(new_list)) {
        return;
    }
    const SECURITY_INFORMATION what =
        DACL_SECURITY_INFORMATION |
        (old_list.is_protected() ? PROTECTED_DACL_SECURITY_INFORMATION
                                 : UNPROTECTED_DACL_SECURITY_INFORMATION);
    ::SetSecurityInfo(file, SE_FILE_OBJECT, what, nullptr, nullptr, old_list.list(), nullptr);
}

}  // namespace korvaline
