#include "ModeNames.h"

#include <array>
#include <utility>

namespace zelt::session {

namespace {
constexpr std::array<std::pair<Mode, std::string_view>, 4> kModes{
    {{Mode::AddMode, "Add"}, {Mode::UpdateMode, "Update"}, {Mode::ViewMode, "View"}, {Mode::LineCancelMode, "LineCancel"}}};
}

std::optional<Mode> ModeNames::parse(std::string_view word)
{
    for (auto [mode, name] : kModes)
        if (word == name || word == std::to_string(static_cast<int>(mode))) return mode;
    return std::nullopt;
}

std::string_view ModeNames::name(Mode mode)
{
    for (auto [m, name] : kModes)
        if (m == mode) return name;
    return "?";
}

std::vector<std::string> ModeNames::words()
{
    std::vector<std::string> out;
    for (auto [mode, name] : kModes) out.emplace_back(name);
    for (auto [mode, name] : kModes) out.push_back(std::to_string(static_cast<int>(mode)));
    return out;
}

} // namespace zelt::session
