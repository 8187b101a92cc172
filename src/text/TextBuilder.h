#pragma once

#include "zelt/text/Currency.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zelt::text {

/// Writes a long text (an export, a result document) into one string:
/// pieces go with a bump pointer into a small block that stays in the cache
/// (literal pieces copied with their length known at compile time, numbers
/// formatted in place), and each full block is appended to the text, which
/// is reserved once from the size guessed at the start. The numbers are in
/// the invariant form ('.' separator) that exchange texts use.
class TextBuilder {
public:
    explicit TextBuilder(std::size_t expectedSize) { text_.reserve(expectedSize); }
    TextBuilder(const TextBuilder&) = delete;
    TextBuilder& operator=(const TextBuilder&) = delete;

    template <std::size_t N>
    [[gnu::always_inline]] TextBuilder& operator<<(const char (&literal)[N])
    {
        return raw(literal, N - 1);
    }
    [[gnu::always_inline]] TextBuilder& operator<<(std::string_view piece) { return raw(piece.data(), piece.size()); }

    /// The amount's shortest form ("12.5", "-3").
    TextBuilder& amount(Currency value)
    {
        room(Currency::kMaxChars);
        at_ = value.toChars(at_);
        return *this;
    }
    /// The text written so far; the builder is left empty.
    std::string take()
    {
        flush();
        return std::move(text_);
    }

private:
    static constexpr std::size_t kBlock = 16384;

    std::size_t pending() const noexcept { return static_cast<std::size_t>(at_ - block_); }
    [[gnu::always_inline]] TextBuilder& raw(const char* piece, std::size_t n)
    {
        if (n == 0) return *this; // an empty view may have no data pointer for memcpy
        if (n > kBlock - pending()) {
            flush();
            if (n > kBlock) {
                text_.append(piece, n);
                return *this;
            }
        }
        std::memcpy(at_, piece, n);
        at_ += n;
        return *this;
    }
    [[gnu::always_inline]] void room(std::size_t n)
    {
        if (n > kBlock - pending()) flush();
    }
    void flush()
    {
        text_.append(block_, pending());
        at_ = block_;
    }

    std::string text_;
    char block_[kBlock];
    char* at_ = block_;
};

} // namespace zelt::text
