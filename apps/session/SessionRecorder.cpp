#include "SessionRecorder.h"

#include "ScriptLexer.h"
#include "SessionMessageBoxes.h"

#include <zelt/view/Form.h>

#include <algorithm>

namespace zelt::session {

namespace {
// The column a grid click goes to unless the script names another.
constexpr int kDefaultGridColumn = 1;
} // namespace

SessionRecorder::SessionRecorder(OrderedItems& control, RecordingMessageBoxes& boxes, std::ostream& out)
    : form_(control.form()), boxes_(boxes), out_(out)
{
    for (view::Widget* w : form_.widgets()) wrapWidget(*w);
    auto previous = form_.FocusChanged;
    form_.FocusChanged = [this, previous](view::Widget* w) {
        if (previous) previous(w);
        focusMoved(w);
    };
    restore_.push_back([this, previous] { form_.FocusChanged = previous; });
    boxes_.Answered = [this](const view::MessageBoxRequest& r, view::MessageBoxAnswer a) { answered(r, a); };
    restore_.push_back([this] { boxes_.Answered = nullptr; });
    focusMoved(form_.focusedWidget());
}

SessionRecorder::~SessionRecorder()
{
    flushTyping();
    for (const std::string& note : notes_) out_ << note << "\n";
    out_.flush();
    for (auto it = restore_.rbegin(); it != restore_.rend(); ++it) (*it)();
}

template <typename... A>
void SessionRecorder::wrap(std::function<void(A...)>& handler, std::type_identity_t<std::function<bool(A...)>> counts,
                           std::type_identity_t<std::function<std::string(A...)>> line)
{
    auto original = handler;
    restore_.push_back([&handler, original] { handler = original; });
    handler = [this, original, counts, line](A... args) {
        // The line is taken before the handler runs: what the clerk picked,
        // not what the handler made of it.
        const bool record = depth_ == 0 && line && (!counts || counts(args...));
        const std::string text = record ? line(args...) : std::string();
        // A click that takes no focus (a label) leaves the box being typed in
        // as it is: what was typed comes first all the same.
        if (record) flushTyping();
        ++depth_;
        try {
            if (original) original(args...);
        } catch (...) {
            --depth_;
            throw;
        }
        --depth_;
        if (!text.empty()) write(text);
    };
}

void SessionRecorder::wrapWidget(view::Widget& widget)
{
    using K = view::WidgetKind;
    const std::string name = widget.qualifiedName();
    auto clicked = [name] { return "click " + name; };
    auto focused = [&widget] { return widget.hasFocus(); };
    switch (widget.kind()) {
    case K::CommandButton: wrap(static_cast<view::CommandButton&>(widget).Click, nullptr, clicked); break;
    case K::MenuEntry: wrap(static_cast<view::MenuEntry&>(widget).Click, nullptr, clicked); break;
    case K::CheckBox: wrap(static_cast<view::CheckBox&>(widget).Click, focused, clicked); break;
    case K::OptionButton: wrap(static_cast<view::OptionButton&>(widget).Click, focused, clicked); break;
    case K::Label: {
        auto& label = static_cast<view::Label&>(widget);
        wrap(label.Click, nullptr, clicked);
        wrap(label.DblClick, nullptr, [name] { return "dblclick " + name; });
        break;
    }
    case K::TextBox: {
        auto& box = static_cast<view::TextBox&>(widget);
        wrap(box.DblClick, nullptr, [name] { return "dblclick " + name; });
        const int id = box.addObserver([this, &box] { textChanged(box); });
        restore_.push_back([&box, id] { box.removeObserver(id); });
        break;
    }
    case K::ComboBox: {
        auto& combo = static_cast<view::ComboBox&>(widget);
        wrap(combo.Click, focused, [name, &combo] { return "select " + name + " " + ScriptLexer::quote(combo.text()); });
        break;
    }
    case K::DatePicker: {
        auto& picker = static_cast<view::DatePicker&>(widget);
        wrap(picker.Change, focused, [name, &picker] {
            return "pick " + name + " " + ScriptLexer::quote(picker.value() ? picker.value()->toIso() : std::string());
        });
        break;
    }
    case K::Grid: {
        auto& grid = static_cast<view::Grid&>(widget);
        wrap(grid.Click, nullptr, [this] { return gridClickLine(); });
        // The rest of a click: run as part of it, written by nobody.
        wrap(grid.SelChange, nullptr, nullptr);
        wrap<view::MouseButton>(grid.MouseDown, nullptr, nullptr);
        wrap<view::MouseButton>(grid.MouseUp, [](view::MouseButton b) { return b == view::MouseButton::Right; },
                                [&grid](view::MouseButton) {
                                    return "grid right-click " + std::to_string(grid.mouseRow()) +
                                           (grid.mouseCol() == kDefaultGridColumn ? "" : " " + std::to_string(grid.mouseCol()));
                                });
        break;
    }
    default: break;
    }
}

std::string SessionRecorder::gridClickLine() const
{
    const view::Grid& grid = form_.grdOrdItems;
    const int row = grid.mouseRow();
    std::string out = "grid click " + std::to_string(row);
    if (grid.mouseCol() != kDefaultGridColumn) out += " " + std::to_string(grid.mouseCol());
    // The selection the click left tells which key was held: the line alone
    // (none), a range ending at it (Shift), anything else (Ctrl).
    const std::vector<int>& chosen = grid.selectedRows();
    if (row < grid.fixedRows() || (chosen.size() == 1 && chosen.front() == row)) return out;
    const bool range = !chosen.empty() && chosen.back() - chosen.front() + 1 == static_cast<int>(chosen.size()) &&
                       (chosen.front() == row || chosen.back() == row);
    return out + (range ? " shift" : " ctrl");
}

void SessionRecorder::focusMoved(view::Widget* widget)
{
    flushTyping();
    typingBox_ = widget && widget->kind() == view::WidgetKind::TextBox ? static_cast<view::TextBox*>(widget) : nullptr;
    textAtFocus_ = typed_ = typingBox_ ? typingBox_->text() : std::string();
}

void SessionRecorder::textChanged(view::TextBox& box)
{
    // The clerk's typing: the box has the focus and no action is running.
    // What its LostFocus makes of the text comes after the focus has moved on.
    if (depth_ == 0 && &box == typingBox_ && box.hasFocus()) typed_ = box.text();
}

void SessionRecorder::flushTyping()
{
    if (!typingBox_ || typed_ == textAtFocus_) return;
    textAtFocus_ = typed_;
    write("type " + typingBox_->qualifiedName() + " " + ScriptLexer::quote(typed_));
}

void SessionRecorder::host(const std::string& line, const std::function<void()>& action)
{
    flushTyping();
    ++depth_;
    try {
        action();
    } catch (...) {
        --depth_;
        throw;
    }
    --depth_;
    write(line);
}

void SessionRecorder::write(const std::string& line)
{
    for (const std::string& a : answers_) out_ << a << "\n";
    out_ << line << "\n";
    for (const std::string& n : notes_) out_ << n << "\n";
    answers_.clear();
    notes_.clear();
    out_.flush();
}

void SessionRecorder::answered(const view::MessageBoxRequest& request, view::MessageBoxAnswer answer)
{
    // An answer belongs to the action or the typing that raised the question;
    // one asked outside both (by a host call the recorder does not see) is
    // only noted: written as an answer, it would answer a later question.
    const bool ours = depth_ > 0 || (typingBox_ && typingBox_->hasFocus());
    const std::string said = "# the control said " + ScriptLexer::quote(request.text);
    if (request.buttons == view::MessageBoxButtons::YesNo && ours) {
        answers_.push_back("answer " + std::string(SessionMessageBoxes::name(answer)));
        notes_.push_back(said + ": " + SessionMessageBoxes::name(answer));
    } else if (ours) {
        notes_.push_back(said);
    } else {
        write(said + ": " + SessionMessageBoxes::name(answer));
    }
}

} // namespace zelt::session
