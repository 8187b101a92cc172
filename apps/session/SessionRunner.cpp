#include "SessionRunner.h"

#include "ControlName.h"
#include "HostMembers.h"
#include "ModeNames.h"
#include "ScriptLexer.h"
#include "SessionCommand.h"
#include "SessionHost.h"
#include "ShownText.h"

#include <zelt/text/Date.h>

namespace zelt::session {

namespace {

// The step as the script wrote it.
std::string stepText(const ScriptStep& step)
{
    std::string out(step.command->name);
    for (const auto& a : step.args)
        if (a) out += " " + (a->quoted ? ScriptLexer::quote(a->text) : a->text);
    return out;
}

int number(const ScriptWord* word, int otherwise) { return word ? std::stoi(word->text) : otherwise; }

// Grid cells a step prints of the current line: its line number and description.
constexpr int kLineColumn = 1;
constexpr int kDescriptionColumn = 12;

} // namespace

SessionRunner::SessionRunner(SessionHost& host, std::ostream& out, std::ostream& err) : host_(host), out_(out), err_(err) {}

int SessionRunner::run(const std::vector<ScriptStep>& steps, const std::string& file)
{
    file_ = file;
    unmet_ = 0;
    for (const ScriptStep& step : steps) {
        step_ = &step;
        out_ << file << ":" << step.line << ": " << stepText(step) << "\n";
        if (step.command->acts) boxesBefore_ = host_.messageBoxes().shown().size();
        Outcome why;
        try {
            why = (this->*step.command->handler)(step);
        } catch (const std::exception& e) {
            why = std::string("the step failed: ") + e.what();
        }
        if (step.command->acts) host_.messageBoxes().endStep();
        if (why) {
            out_.flush();
            err_ << SessionError{file, step.line, *why}.text() << "\n";
            return 2;
        }
    }
    out_ << (unmet_ ? std::to_string(unmet_) + " expectation(s) not met\n" : "every expectation met\n");
    return unmet_ ? 1 : 0;
}

view::Widget& SessionRunner::control(const ScriptWord& word) const
{
    // The parser has checked the name against the same form.
    return *ControlName::parse(word.text)->find(host_.control().form());
}

SessionRunner::Outcome SessionRunner::unreachable(const view::Widget& widget)
{
    if (!widget.visible()) return widget.qualifiedName() + " is hidden: the clerk cannot reach it";
    if (!widget.enabled()) return widget.qualifiedName() + " is disabled: the clerk cannot use it";
    return std::nullopt;
}

void SessionRunner::shows(const view::Widget& widget)
{
    out_ << "  " << widget.qualifiedName() << " shows " << ScriptLexer::quote(shownText(widget)) << "\n";
}

void SessionRunner::expectation(const std::string& what, const std::string& expected, const std::string& found)
{
    if (expected == found) {
        out_ << "  ok\n";
        return;
    }
    ++unmet_;
    out_ << "  NOT MET: found " << ScriptLexer::quote(found) << "\n";
    out_.flush();
    err_ << SessionError{file_, step_->line,
                         "expected " + what + " " + ScriptLexer::quote(expected) + ", found " + ScriptLexer::quote(found)}
                .text()
         << "\n";
}

SessionRunner::Outcome SessionRunner::setLocale(const ScriptStep& step)
{
    host_.control().setLocale(step.arg(0)->text == "fr-CA" ? text::Locale::frCA() : text::Locale::enUS());
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::setToday(const ScriptStep& step)
{
    host_.setToday(*text::Date::parse(step.arg(0)->text, text::Locale::enUS()));
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::loadSample(const ScriptStep& step)
{
    host_.loadSample(step.arg(0) ? *ModeNames::parse(step.arg(0)->text) : Mode::UpdateMode);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::switchMode(const ScriptStep& step)
{
    host_.switchMode(*ModeNames::parse(step.arg(0)->text));
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::letProperty(const ScriptStep& step)
{
    const HostMember* member = HostMembers::find(HostMember::Use::Let, step.arg(0)->text);
    try {
        member->apply(host_.control(), step.arg(1)->text);
    } catch (const std::exception& e) {
        out_ << "  raised: " << e.what() << "\n";
    }
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::callMember(const ScriptStep& step)
{
    const HostMember* member = HostMembers::find(HostMember::Use::Call, step.arg(0)->text);
    try {
        const std::string said = member->apply(host_.control(), step.arg(1) ? step.arg(1)->text : std::string());
        if (!said.empty()) out_ << "  " << said << "\n";
    } catch (const std::exception& e) {
        out_ << "  raised: " << e.what() << "\n";
    }
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::click(const ScriptStep& step)
{
    view::Widget& w = control(*step.arg(0));
    if (auto why = unreachable(w)) return why;
    switch (w.kind()) {
    case view::WidgetKind::CommandButton: static_cast<view::CommandButton&>(w).userClick(); break;
    case view::WidgetKind::CheckBox: static_cast<view::CheckBox&>(w).userClick(); break;
    case view::WidgetKind::OptionButton: static_cast<view::OptionButton&>(w).userClick(); break;
    case view::WidgetKind::MenuEntry: static_cast<view::MenuEntry&>(w).userClick(); break;
    case view::WidgetKind::Label: static_cast<view::Label&>(w).userClick(); break;
    default: return "the clerk cannot click a " + kindName(w.kind());
    }
    shows(w);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::doubleClick(const ScriptStep& step)
{
    view::Widget& w = control(*step.arg(0));
    if (auto why = unreachable(w)) return why;
    if (w.kind() == view::WidgetKind::TextBox) static_cast<view::TextBox&>(w).userDoubleClick();
    else static_cast<view::Label&>(w).userDoubleClick();
    shows(w);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::type(const ScriptStep& step)
{
    auto& box = static_cast<view::TextBox&>(control(*step.arg(0)));
    if (auto why = unreachable(box)) return why;
    if (box.locked()) return box.qualifiedName() + " is locked: the clerk cannot type in it";
    box.setFocus();
    box.selectAll();
    // A line break is one Enter key, however the text writes it.
    std::string keys = step.arg(1)->text;
    for (std::size_t at; (at = keys.find("\r\n")) != std::string::npos;) keys.erase(at, 1);
    box.typeText(keys);
    shows(box);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::select(const ScriptStep& step)
{
    auto& combo = static_cast<view::ComboBox&>(control(*step.arg(0)));
    if (auto why = unreachable(combo)) return why;
    if (combo.locked()) return combo.qualifiedName() + " is locked: the clerk cannot pick from it";
    const std::string& entry = step.arg(1)->text;
    std::string listed;
    for (int i = 0; i < combo.listCount(); ++i) {
        if (combo.itemText(i) == entry) {
            combo.userSelect(i);
            shows(combo);
            return std::nullopt;
        }
        listed += (i ? ", " : "") + ScriptLexer::quote(combo.itemText(i));
    }
    return combo.qualifiedName() + " lists no entry " + ScriptLexer::quote(entry) +
           (listed.empty() ? std::string(" (it lists nothing)") : " (it lists " + listed + ")");
}

SessionRunner::Outcome SessionRunner::pick(const ScriptStep& step)
{
    auto& picker = static_cast<view::DatePicker&>(control(*step.arg(0)));
    if (auto why = unreachable(picker)) return why;
    const std::string& text = step.arg(1)->text;
    const auto date = text::Date::parse(text, text::Locale::enUS());
    if (!text.empty() && !date) return "a date is written yyyy-mm-dd, not " + text;
    picker.userPick(date);
    shows(picker);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::gridRow(const ScriptStep& step, int& row, int& col) const
{
    const view::Grid& grid = host_.control().form().grdOrdItems;
    row = number(step.arg(0), 0);
    col = number(step.arg(1), kLineColumn);
    if (auto why = unreachable(grid)) return why;
    if (row < grid.fixedRows() || row >= grid.rows())
        return "the grid has no line at row " + std::to_string(row) + " (its lines are rows " +
               std::to_string(grid.fixedRows()) + " to " + std::to_string(grid.rows() - 1) + ")";
    if (col >= grid.cols()) return "the grid has no column " + std::to_string(col);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::gridClick(const ScriptStep& step)
{
    int row = 0, col = 0;
    if (auto why = gridRow(step, row, col)) return why;
    view::Grid& grid = host_.control().form().grdOrdItems;
    const ScriptWord* key = step.arg(2);
    const auto select = !key ? view::Grid::Select::Only
                        : key->text == "shift" ? view::Grid::Select::Extend
                                               : view::Grid::Select::Toggle;
    // A click with the mouse: pressed, released, clicked.
    grid.userMouseDown(view::MouseButton::Left, row, col);
    grid.userMouseUp(view::MouseButton::Left, row, col);
    grid.userClick(row, col, select);
    out_ << "  current row " << grid.row() << ": line " << ScriptLexer::quote(grid.text(grid.row(), kLineColumn)) << ", "
         << ScriptLexer::quote(grid.text(grid.row(), kDescriptionColumn)) << "; " << grid.selectedRows().size()
         << " selected\n";
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::gridRightClick(const ScriptStep& step)
{
    int row = 0, col = 0;
    if (auto why = gridRow(step, row, col)) return why;
    view::Grid& grid = host_.control().form().grdOrdItems;
    // A right click acts on the line under the pointer: it is selected first.
    if (row != grid.row() || grid.highlightStyle() == 0) grid.userClick(row, col);
    grid.userMouseDown(view::MouseButton::Right, row, col);
    grid.userMouseUp(view::MouseButton::Right, row, col);
    out_ << "  current row " << grid.row() << "; the pop-up menu was asked for " << host_.control().form().popupCount()
         << " time(s)\n";
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::answer(const ScriptStep& step)
{
    // The command table lets only SessionMessageBoxes::words() through.
    host_.messageBoxes().queue(SessionMessageBoxes::parse(step.arg(0)->text).value_or(view::MessageBoxAnswer::Ok));
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::expectShown(const ScriptStep& step)
{
    const view::Widget& w = control(*step.arg(0));
    expectation(w.qualifiedName(), step.arg(1)->text, shownText(w));
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::expectMessage(const ScriptStep& step)
{
    const auto& shown = host_.messageBoxes().shown();
    const std::string found = shown.size() > boxesBefore_ ? shown.back().text : "(no message box in the last step)";
    expectation("the message", step.arg(0)->text, found);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::expectCell(const ScriptStep& step)
{
    const view::Grid& grid = host_.control().form().grdOrdItems;
    const int row = number(step.arg(0), 0);
    const int col = number(step.arg(1), 0);
    const std::string found = row < grid.rows() && col < grid.cols() ? std::string(grid.text(row, col)) : "(no such cell)";
    expectation("cell (" + std::to_string(row) + ", " + std::to_string(col) + ")", step.arg(2)->text, found);
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::expectLines(const ScriptStep& step)
{
    const view::Grid& grid = host_.control().form().grdOrdItems;
    expectation("the number of lines", step.arg(0)->text, std::to_string(grid.rows() - grid.fixedRows()));
    return std::nullopt;
}

SessionRunner::Outcome SessionRunner::exportOrder(const ScriptStep&)
{
    const std::string text = SessionHost::exportText(host_.control());
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        out_ << "  " << text.substr(start, end - start) << "\n";
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace zelt::session
