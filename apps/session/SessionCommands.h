#pragma once

#include "SessionCommand.h"

#include <string>
#include <vector>

namespace zelt::session {

/// Every command of the script language, in one table.
class SessionCommands {
public:
    static const std::vector<SessionCommand>& table();
    /// The command whose name the line's first words spell (the longest such
    /// name); `used` is set to the number of words its name takes.
    static const SessionCommand* match(const std::vector<ScriptWord>& words, std::size_t& used);
    /// The commands with their arguments and help, one a line.
    static std::string help();
};

} // namespace zelt::session
