#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace zelt::text {

/// The text in capitals (ASCII letters; other bytes as they are).
inline std::string upperCased(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

/// Equal without regard to case (ASCII letters).
inline bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

/// Replaces every occurrence of `from`, left to right, never inside what was put in.
inline void replaceAll(std::string& text, std::string_view from, std::string_view to)
{
    if (from.empty()) return;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace zelt::text
