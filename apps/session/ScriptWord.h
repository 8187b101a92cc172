#pragma once

#include <string>

namespace zelt::session {

/// One word of a script line: a bare word (a command, a control name, a
/// number) or a quoted text with its escapes resolved.
struct ScriptWord {
    std::string text;
    bool quoted = false;
};

} // namespace zelt::session
