#include "SessionCommands.h"

#include "HostMembers.h"
#include "ModeNames.h"
#include "SessionMessageBoxes.h"
#include "SessionRunner.h"

#include <zelt/text/Date.h>

#include <algorithm>
#include <sstream>

namespace zelt::session {

namespace {

using Arg = SessionCommand::Arg;
using Kind = view::WidgetKind;
using R = SessionRunner;

std::string checkMember(const ScriptStep& step, HostMember::Use use)
{
    const std::string& name = step.arg(0)->text;
    const HostMember* member = HostMembers::find(use, name);
    if (!member)
        return (use == HostMember::Use::Let ? "unknown property " : "unknown member ") + name + " (the script knows " +
               HostMembers::names(use) + ")";
    const ScriptWord* value = step.arg(1);
    return HostMembers::check(*member, value ? std::optional<ScriptWord>(*value) : std::nullopt);
}

std::string checkDate(const ScriptStep& step)
{
    const std::string& text = step.arg(0)->text;
    const auto date = text::Date::parse(text, text::Locale::enUS());
    return date && date->toIso() == text ? std::string() : "a date is written yyyy-mm-dd, not " + text;
}

} // namespace

std::string SessionCommand::usage() const
{
    std::string out(name);
    for (const Param& p : params) out += " " + (p.optional ? "[" + std::string(p.name) + "]" : std::string(p.name));
    return out;
}

const std::vector<SessionCommand>& SessionCommands::table()
{
    static const std::vector<Kind> clickable = {Kind::CommandButton, Kind::CheckBox, Kind::OptionButton, Kind::MenuEntry,
                                         Kind::Label};
    static const std::vector<Kind> showing = {Kind::TextBox, Kind::ComboBox, Kind::CheckBox, Kind::OptionButton,
                                       Kind::Label, Kind::CommandButton, Kind::DatePicker, Kind::Frame, Kind::MenuEntry};
    static const std::vector<SessionCommand> commands = {
        {"locale", {{Arg::Word, "NAME", false, {"en-US", "fr-CA"}}}, &R::setLocale,
         "number conventions of the control (en-US by default); set it before loading", true},
        {"today", {{Arg::Word, "DATE"}}, &R::setToday, "the control's date, yyyy-mm-dd (the machine's by default); put it before loading", true,
         checkDate},
        {"load sample", {{Arg::Word, "MODE", true, ModeNames::words()}}, &R::loadSample,
         "opens the sample order afresh in MODE (Update by default), as the demo host does", true},
        {"mode", {{Arg::Word, "MODE", false, ModeNames::words()}}, &R::switchMode,
         "opens the order as it stands in MODE, as the demo's Mode menu does", true},
        {"let", {{Arg::Word, "PROPERTY"}, {Arg::Any, "VALUE"}}, &R::letProperty, "sets a property as the host does", true,
         [](const ScriptStep& s) { return checkMember(s, HostMember::Use::Let); }},
        {"call", {{Arg::Word, "MEMBER"}, {Arg::Any, "VALUE", true}}, &R::callMember,
         "calls a member as the host does and prints what it returns", true,
         [](const ScriptStep& s) { return checkMember(s, HostMember::Use::Call); }},
        {"click", {{Arg::Control, "CONTROL", false, {}, clickable}}, &R::click,
         "the clerk clicks a button, check box, option button, menu entry or label", true},
        {"dblclick", {{Arg::Control, "CONTROL", false, {}, {Kind::TextBox, Kind::Label}}}, &R::doubleClick,
         "the clerk double-clicks a text box or label", true},
        {"type", {{Arg::Control, "CONTROL", false, {}, {Kind::TextBox}}, {Arg::Text, "TEXT"}}, &R::type,
         "the clerk selects all of a text box and types TEXT key by key; the box keeps the focus", true},
        {"select", {{Arg::Control, "CONTROL", false, {}, {Kind::ComboBox}}, {Arg::Text, "ENTRY"}}, &R::select,
         "the clerk picks the entry of that text from a combo box", true},
        {"pick", {{Arg::Control, "CONTROL", false, {}, {Kind::DatePicker}}, {Arg::Text, "DATE"}}, &R::pick,
         "the clerk picks a date (yyyy-mm-dd, \"\" for none) in a date picker", true},
        {"grid click",
         {{Arg::Number, "ROW"}, {Arg::Number, "COL", true}, {Arg::Word, "KEY", true, {"shift", "ctrl"}}},
         &R::gridClick, "the clerk clicks a grid row (column 1 by default), with Shift or Ctrl held", true},
        {"grid right-click", {{Arg::Number, "ROW"}, {Arg::Number, "COL", true}}, &R::gridRightClick,
         "the clerk right-clicks a grid row", true},
        {"answer", {{Arg::Word, "ANSWER", false, SessionMessageBoxes::words()}}, &R::answer,
         "the clerk's answer to the next message box the next step shows", false},
        {"expect message", {{Arg::Text, "TEXT"}}, &R::expectMessage, "the last message box the last acting step showed said TEXT", false},
        {"expect cell", {{Arg::Number, "ROW"}, {Arg::Number, "COL"}, {Arg::Text, "TEXT"}}, &R::expectCell,
         "the grid cell holds TEXT", false},
        {"expect lines", {{Arg::Number, "COUNT"}}, &R::expectLines, "the order has COUNT lines", false},
        {"expect", {{Arg::Control, "CONTROL", false, {}, showing}, {Arg::Text, "TEXT"}}, &R::expectShown,
         "the control shows TEXT (a check box 0, 1 or 2; an option button True or False)", false},
        {"export", {}, &R::exportOrder, "prints readData, ExemptItems and GetSalesTaxesNFees, as the demo's Export does",
         true},
    };
    return commands;
}

const SessionCommand* SessionCommands::match(const std::vector<ScriptWord>& words, std::size_t& used)
{
    const SessionCommand* best = nullptr;
    for (const SessionCommand& c : table()) {
        std::istringstream name{std::string(c.name)};
        std::size_t n = 0;
        bool fits = true;
        for (std::string part; name >> part; ++n)
            if (n >= words.size() || words[n].quoted || words[n].text != part) fits = false;
        if (fits && (!best || n > used)) {
            best = &c;
            used = n;
        }
    }
    return best;
}

std::string SessionCommands::help()
{
    std::size_t width = 0;
    for (const SessionCommand& c : table()) width = std::max(width, c.usage().size());
    std::string out;
    for (const SessionCommand& c : table()) {
        const std::string usage = c.usage();
        out += "  " + usage + std::string(width + 2 - usage.size(), ' ') + std::string(c.help) + "\n";
    }
    out += "\n  let takes: " + HostMembers::names(HostMember::Use::Let) + "\n  call takes: " +
           HostMembers::names(HostMember::Use::Call) + "\n";
    return out;
}

} // namespace zelt::session
