#include "ControlName.h"

#include <cctype>
#include <charconv>

namespace zelt::session {

std::optional<ControlName> ControlName::parse(std::string_view word)
{
    const std::size_t open = word.find('(');
    const std::string_view name = word.substr(0, open);
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front()))) return std::nullopt;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return std::nullopt;
    ControlName out{std::string(name), -1};
    if (open == std::string_view::npos) return out;
    if (word.back() != ')' || word.size() < open + 3) return std::nullopt;
    const char* first = word.data() + open + 1;
    const char* last = word.data() + word.size() - 1;
    auto [end, ec] = std::from_chars(first, last, out.index);
    if (ec != std::errc() || end != last || out.index < 0) return std::nullopt;
    return out;
}

} // namespace zelt::session
