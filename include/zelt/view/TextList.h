#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::view {

/// A list of texts kept back to back in one buffer: a column of 100,000 line
/// numbers is two allocations, not 100,000 strings.
class TextList {
public:
    /// Room for `count` texts of `chars` characters in all.
    void reserve(std::size_t count, std::size_t chars)
    {
        ends_.reserve(count);
        chars_.reserve(chars);
    }
    /// Appends a text; std::length_error beyond 4 GiB of characters.
    void push_back(std::string_view text)
    {
        if (chars_.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("text list too long");
        chars_.append(text);
        ends_.push_back(static_cast<std::uint32_t>(chars_.size()));
    }
    /// Takes the last text away; none is an error the caller avoids.
    void pop_back() noexcept
    {
        ends_.pop_back();
        chars_.resize(ends_.empty() ? 0 : ends_.back());
    }
    /// The number of texts.
    std::size_t size() const noexcept { return ends_.size(); }
    /// True when there is none.
    bool empty() const noexcept { return ends_.empty(); }
    /// Text i; valid until the list changes. No range check.
    std::string_view operator[](std::size_t i) const noexcept
    {
        const std::uint32_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(chars_).substr(begin, ends_[i] - begin);
    }

private:
    std::string chars_;
    std::vector<std::uint32_t> ends_;
};

} // namespace zelt::view
