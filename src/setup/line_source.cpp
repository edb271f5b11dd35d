#include "setup/line_source.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "setup/failure.hpp"

namespace korvaline {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kNoDescriptor = -1;

}  // namespace

LineSource::LineSource(int fd, std::string name)
    : fd_(fd), owns_fd_(false), name_(std::move(name)), buffer_(kBufferSize) {}

LineSource LineSource::open_file(const std::string& path, const std::string& name) {
    if (path.find('\0') != std::string::npos) {
        throw Failure("cannot open " + name + ": the name holds a NUL byte");
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fail_with_errno("cannot open " + name, errno);
    }
    LineSource source(fd, name);
    source.owns_fd_ = true;
    return source;
}

LineSource LineSource::from_text(std::string text) {
    LineSource source(kNoDescriptor, "text");
    source.end_ = text.size();
    source.buffer_.assign(text.begin(), text.end());
    return source;
}

LineSource::LineSource(LineSource&& other) noexcept
    : fd_(std::exchange(other.fd_, kNoDescriptor)),
      owns_fd_(std::exchange(other.owns_fd_, false)),
      name_(std::move(other.name_)),
      buffer_(std::move(other.buffer_)),
      next_(other.next_),
      end_(other.end_) {}

LineSource::~LineSource() {
    if (owns_fd_) {
        ::close(fd_);
    }
}

bool LineSource::refill() {
    if (fd_ == kNoDescriptor) {
        return false;
    }
    ssize_t count = 0;
    do {
        count = ::read(fd_, buffer_.data(), buffer_.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        fail_with_errno("cannot read " + name_, errno);
    }
    next_ = 0;
    end_ = static_cast<std::size_t>(count);
    return count > 0;
}

void LineSource::skip_rest_of_line() {
    while (next_ < end_ || refill()) {
        const void* feed = std::memchr(buffer_.data() + next_, '\n', end_ - next_);
        if (feed != nullptr) {
            next_ = static_cast<std::size_t>(static_cast<const char*>(feed) - buffer_.data()) + 1;
            return;
        }
        next_ = end_;
    }
}

bool LineSource::read_line(std::size_t keep, std::string& line) {
    line.clear();
    if (next_ == end_ && !refill()) {
        return false;
    }
    // A carriage return is held back until the next character shows whether
    // it ends the line or is part of the text.
    bool held_return = false;
    while (next_ < end_ || refill()) {
        const char c = buffer_[next_++];
        if (c == '\n') {
            return true;
        }
        if (held_return && line.size() < keep) {
            line.push_back('\r');
        }
        held_return = c == '\r';
        if (!held_return && line.size() < keep) {
            line.push_back(c);
        }
        if (line.size() == keep) {
            skip_rest_of_line();
            return true;
        }
    }
    return true;
}

}  // namespace korvaline
