#pragma once

#include "ScriptWord.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelt::session {

/// Splits a script line into words and writes texts back as quoted words.
///
/// Words are separated by blanks; a "#" outside a quoted text starts a
/// comment. A quoted text runs to the next unescaped double quote; inside
/// it \" is a quote, \\ a backslash, \n, \r and \t a line feed, a carriage
/// return and a tab (so that a recorded multi-line description fits on one
/// line).
class ScriptLexer {
public:
    struct Result {
        std::vector<ScriptWord> words;
        /// Empty when the line reads; otherwise why it does not.
        std::string error;
    };

    static Result split(std::string_view line);
    /// The text as a quoted word that split() reads back as it is.
    static std::string quote(std::string_view text);
};

} // namespace zelt::session
