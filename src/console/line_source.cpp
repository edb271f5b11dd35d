#include "console/line_source.hpp"

#include <cstring>
#include <utility>

namespace korvaline {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

LineSource::LineSource(std::optional<InputFile> input, std::string name)
    : input_(std::move(input)), name_(std::move(name)) {}

LineSource::LineSource(InputFile input) : LineSource(std::nullopt, input.name()) {
    input_.emplace(std::move(input));
    buffer_.resize(kBufferSize);
}

LineSource LineSource::from_text(std::string text) {
    LineSource source(std::nullopt, "text");
    source.end_ = text.size();
    source.buffer_.assign(text.begin(), text.end());
    return source;
}

bool LineSource::refill() {
    if (!input_) {
        return false;
    }
    next_ = 0;
    end_ = input_->read(buffer_.data(), buffer_.size());
    return end_ > 0;
}

// Looks at characters that the line does not keep, up to `last`, or up to
// the first that is text where the rest is left at the cut; returns where it
// stopped.
const char* LineSource::look_at_dropped(const char* first, const char* last, Rest rest) {
    for (; first != last; ++first) {
        if (*first == '\r') {
            seen_carriage_return_ = true;
        } else if (*first != ' ') {
            last_line_was_cut_ = true;
            if (rest == Rest::kLeftAtTheCut) {
                return first;
            }
        }
    }
    return last;
}

void LineSource::skip_rest_of_line(Rest rest) {
    while (!(rest == Rest::kLeftAtTheCut && last_line_was_cut_) && (next_ < end_ || refill())) {
        const char* start = buffer_.data() + next_;
        const char* stop = buffer_.data() + end_;
        const auto* feed = static_cast<const char*>(
            std::memchr(start, '\n', static_cast<std::size_t>(stop - start)));
        const char* looked = look_at_dropped(start, feed != nullptr ? feed : stop, rest);
        next_ = static_cast<std::size_t>(looked - buffer_.data());
        if (looked == feed) {
            seen_line_feed_ = true;
            ++next_;
            return;
        }
    }
}

bool LineSource::read_line(std::size_t keep, std::string& line, Rest rest) {
    line.clear();
    last_line_was_cut_ = false;
    if (next_ == end_ && !refill()) {
        return false;
    }
    // Carriage returns are held back until the next character shows whether
    // they end the line or are part of the text.
    std::size_t held_returns = 0;
    while (next_ < end_ || refill()) {
        const char c = buffer_[next_++];
        if (c == '\n') {
            seen_line_feed_ = true;
            return true;
        }
        if (c == '\r') {
            seen_carriage_return_ = true;
            ++held_returns;
            continue;
        }
        for (; held_returns > 0 && line.size() < keep; --held_returns) {
            line.push_back('\r');
        }
        if (line.size() < keep) {
            line.push_back(c);
        } else {
            look_at_dropped(&c, &c + 1, rest);
        }
        if (line.size() == keep) {
            skip_rest_of_line(rest);
            return true;
        }
    }
    return true;
}

}  // namespace korvaline
