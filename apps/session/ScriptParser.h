#pragma once

#include "ScriptStep.h"
#include "SessionError.h"

#include <zelt/view/Form.h>

#include <string>
#include <string_view>
#include <vector>

namespace zelt::session {

/// Reads a whole script before anything runs: every line is split, its
/// command found and its arguments checked (control names against the form),
/// so that a script with a mistake reports every bad line and runs nothing.
class ScriptParser {
public:
    struct Result {
        std::vector<ScriptStep> steps;
        std::vector<SessionError> errors;
    };

    static Result parse(std::string_view script, const std::string& file, const view::Form& form);

private:
    /// Why the line's words do not make a step; empty when `step` is set.
    static std::string readStep(const std::vector<ScriptWord>& words, const view::Form& form, ScriptStep& step);
};

} // namespace zelt::session
