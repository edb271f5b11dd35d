#include "settings/temporary_file.hpp"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>

#include "setup/failure.hpp"

namespace korvaline {

TemporaryFile::TemporaryFile(const std::string& target)
    : target_(target), path_(target + ".XXXXXX") {
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        fail_with_errno("cannot create a temporary file beside " + target_, errno);
    }
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_) {
        ::unlink(path_.c_str());
    }
}

void TemporaryFile::commit_to_target() {
    if (::fsync(fd_) != 0) {
        fail_with_errno("cannot sync " + target_, errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail_with_errno("cannot close " + target_, errno);
    }
    if (::rename(path_.c_str(), target_.c_str()) != 0) {
        fail_with_errno("cannot replace " + target_, errno);
    }
    committed_ = true;
}

}  // namespace korvaline
