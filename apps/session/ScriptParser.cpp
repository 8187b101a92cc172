#include "ScriptParser.h"

#include "ControlName.h"
#include "ScriptLexer.h"
#include "SessionCommands.h"
#include "ShownText.h"

#include <algorithm>
#include <charconv>

namespace zelt::session {

namespace {

using Arg = SessionCommand::Arg;

bool isWholeNumber(const ScriptWord& w)
{
    int value = 0;
    auto [end, ec] = std::from_chars(w.text.data(), w.text.data() + w.text.size(), value);
    return !w.quoted && ec == std::errc() && end == w.text.data() + w.text.size() && value >= 0;
}

bool fits(const SessionCommand::Param& p, const ScriptWord& w)
{
    switch (p.arg) {
    case Arg::Control: return !w.quoted;
    case Arg::Text: return w.quoted;
    case Arg::Number: return isWholeNumber(w);
    case Arg::Word: return !w.quoted && (p.choices.empty() || std::ranges::find(p.choices, w.text) != p.choices.end());
    case Arg::Any: return true;
    }
    return false;
}

std::string list(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : ", ") + w;
    return out;
}

std::string kinds(const std::vector<view::WidgetKind>& kinds)
{
    std::string out;
    for (std::size_t i = 0; i < kinds.size(); ++i)
        out += (i == 0 ? "" : i + 1 == kinds.size() ? " or " : ", ") + kindName(kinds[i]);
    return out;
}

// Why the word does not suit the parameter.
std::string unfit(const SessionCommand& c, const SessionCommand::Param& p, const ScriptWord& w)
{
    const std::string name(p.name);
    switch (p.arg) {
    case Arg::Control: return name + " is a control name such as txtField(1), not a quoted text";
    case Arg::Text: return name + " is a quoted text, not " + w.text + " (" + c.usage() + ")";
    case Arg::Number: return name + " is a whole number, not " + (w.quoted ? "a quoted text" : w.text);
    case Arg::Word: return name + " is one of " + list(p.choices) + ", not " + (w.quoted ? "a quoted text" : w.text);
    case Arg::Any: break;
    }
    return name + " does not read";
}

// Why the control named by the word is not one the parameter takes.
std::string wrongControl(const SessionCommand& c, const SessionCommand::Param& p, const ScriptWord& w, const view::Form& form)
{
    const auto name = ControlName::parse(w.text);
    if (!name) return w.text + " is not a control name (cmdAdd, txtField(1))";
    const view::Widget* widget = name->find(form);
    if (!widget) {
        const bool array = form.find(name->name, -1) == nullptr &&
                           std::ranges::any_of(form.widgets(), [&](const view::Widget* x) { return x->name() == name->name; });
        return "unknown control " + w.text + (array && name->index < 0 ? " (it is a control array: give an index)" : "");
    }
    if (std::ranges::find(p.kinds, widget->kind()) == p.kinds.end())
        return w.text + " is a " + kindName(widget->kind()) + ": " + std::string(c.name) + " takes a " + kinds(p.kinds);
    return {};
}

} // namespace

std::string ScriptParser::readStep(const std::vector<ScriptWord>& words, const view::Form& form, ScriptStep& step)
{
    std::size_t used = 0;
    const SessionCommand* command = SessionCommands::match(words, used);
    if (!command) {
        std::string near;
        for (const SessionCommand& c : SessionCommands::table())
            if (c.name.substr(0, c.name.find(' ')) == words.front().text) near += (near.empty() ? "" : "; ") + c.usage();
        return "unknown command " + (words.front().quoted ? ScriptLexer::quote(words.front().text) : words.front().text) +
               (near.empty() ? " (zelt-session --help lists the commands)" : " (" + near + ")");
    }
    step.command = command;
    std::size_t next = used;
    for (const SessionCommand::Param& p : command->params) {
        if (next >= words.size() || !fits(p, words[next])) {
            if (p.optional) {
                step.args.emplace_back();
                continue;
            }
            if (next >= words.size()) return std::string(command->name) + " needs " + std::string(p.name) + " (" + command->usage() + ")";
            return unfit(*command, p, words[next]);
        }
        if (p.arg == Arg::Control) {
            std::string why = wrongControl(*command, p, words[next], form);
            if (!why.empty()) return why;
        }
        step.args.emplace_back(words[next++]);
    }
    if (next < words.size()) return "too many words after " + std::string(command->name) + " (" + command->usage() + ")";
    return command->check ? command->check(step) : std::string();
}

ScriptParser::Result ScriptParser::parse(std::string_view script, const std::string& file, const view::Form& form)
{
    Result out;
    int number = 0;
    std::size_t start = 0;
    while (start < script.size()) {
        std::size_t end = script.find('\n', start);
        if (end == std::string_view::npos) end = script.size();
        const std::string_view line = script.substr(start, end - start);
        start = end + 1;
        ++number;
        ScriptLexer::Result words = ScriptLexer::split(line);
        if (!words.error.empty()) {
            out.errors.push_back({file, number, words.error});
            continue;
        }
        if (words.words.empty()) continue;
        ScriptStep step;
        step.line = number;
        std::string why = readStep(words.words, form, step);
        if (!why.empty()) out.errors.push_back({file, number, why});
        else out.steps.push_back(std::move(step));
    }
    return out;
}

} // namespace zelt::session
