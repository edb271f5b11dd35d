#include "console/line_source.hpp"

#include <cstring>
#include <utility>

namespace korvaline {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// CR CR LF: a CR LF file converted once more.
constexpr std::size_t kReturnsOfAnEnding = 2;

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

void LineSource::look_at_dropped(const char* first, const char* last) {
    for (; first != last; ++first) {
        if (*first == '\r') {
            seen_carriage_return_ = true;
        } else if (*first != ' ') {
            last_line_was_cut_ = true;
        }
    }
}

void LineSource::skip_rest_of_line() {
    while (next_ < end_ || refill()) {
        const char* start = buffer_.data() + next_;
        const char* stop = buffer_.data() + end_;
        const auto* feed = static_cast<const char*>(
            std::memchr(start, '\n', static_cast<std::size_t>(stop - start)));
        look_at_dropped(start, feed != nullptr ? feed : stop);
        if (feed != nullptr) {
            seen_line_feed_ = true;
            next_ = static_cast<std::size_t>(feed - buffer_.data()) + 1;
            return;
        }
        next_ = end_;
    }
}

// The line is cut before the character just read, which stays unread with
// the rest of the line.
bool LineSource::stop_before_last_character() {
    --next_;
    last_line_was_cut_ = true;
    return true;
}

bool LineSource::read_line(std::size_t keep, std::string& line, Rest rest) {
    line.clear();
    last_line_was_cut_ = false;
    if (next_ == end_ && !refill()) {
        return false;
    }
    const bool stop_at_cut = rest == Rest::kLeftAtTheCut;
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
            // Past the cut, no more returns than a line's ending has.
            if (stop_at_cut && line.size() + held_returns > keep + kReturnsOfAnEnding) {
                return stop_before_last_character();
            }
            continue;
        }
        for (; held_returns > 0 && line.size() < keep; --held_returns) {
            line.push_back('\r');
        }
        if (line.size() < keep) {
            line.push_back(c);
        } else if (stop_at_cut) {
            return stop_before_last_character();
        } else {
            look_at_dropped(&c, &c + 1);
        }
        if (line.size() == keep && !stop_at_cut) {
            skip_rest_of_line();
            return true;
        }
    }
    return true;
}

}  // namespace korvaline
