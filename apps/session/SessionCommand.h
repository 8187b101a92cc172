#pragma once

#include "ScriptStep.h"

#include <zelt/view/Widget.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::session {

class SessionRunner;

/// One command of the script language: its name (one or two words), what it
/// takes, the runner's handler that does it and its help text.
struct SessionCommand {
    /// A control of the form, a quoted text, a whole number, a bare word,
    /// any one word.
    enum class Arg { Control, Text, Number, Word, Any };
    struct Param {
        Arg arg;
        std::string_view name;
        bool optional = false;
        /// The words a Word takes (any when empty).
        std::vector<std::string> choices = {};
        /// The kinds of control a Control takes.
        std::vector<view::WidgetKind> kinds = {};
    };
    /// Does the step; a reason when it cannot be done.
    using Handler = std::optional<std::string> (SessionRunner::*)(const ScriptStep&);

    std::string_view name;
    std::vector<Param> params;
    Handler handler;
    std::string_view help;
    /// False for the steps that only look (expect) or prepare the next one
    /// (answer): the answers queued before a step that acts are for that step.
    bool acts = true;
    /// A check of the arguments beyond their kinds; empty when they suit.
    std::string (*check)(const ScriptStep& step) = nullptr;

    /// "type CONTROL TEXT", optional arguments in brackets.
    std::string usage() const;
};

} // namespace zelt::session
