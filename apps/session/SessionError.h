#pragma once

#include <string>

namespace zelt::session {

/// A script line that cannot be read or a step that cannot be done: where,
/// and why.
struct SessionError {
    std::string file;
    int line = 0;
    std::string message;

    /// "session.zss:12: unknown control txtFieldd(1)".
    std::string text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

} // namespace zelt::session
