#pragma once

#include "ScriptWord.h"

#include <optional>
#include <vector>

namespace zelt::session {

struct SessionCommand;

/// One line of a script that does something: its line number, its command
/// and its arguments, one a parameter of the command (none where the script
/// left an optional one out), checked against the command.
struct ScriptStep {
    int line = 0;
    const SessionCommand* command = nullptr;
    std::vector<std::optional<ScriptWord>> args;

    /// The argument at i, or null when the script left an optional one out.
    const ScriptWord* arg(std::size_t i) const { return i < args.size() && args[i] ? &*args[i] : nullptr; }
};

} // namespace zelt::session
