#pragma once

#include <zelt/control/Mode.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::session {

/// The modes by the names a script gives them (Add, Update, View,
/// LineCancel) or by their numbers (0 to 3).
class ModeNames {
public:
    static std::optional<Mode> parse(std::string_view word);
    static std::string_view name(Mode mode);
    /// Every word parse() takes.
    static std::vector<std::string> words();
};

} // namespace zelt::session
