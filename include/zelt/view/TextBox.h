#pragma once

#include "zelt/view/Widget.h"

#include <string>
#include <string_view>

namespace zelt::view {

/// A text box. Setting the text fires Change when the text differs; typing
/// goes key by key through KeyPress (which may discard the key by setting it
/// to 0), then the edit and its Change, then KeyUp.
class TextBox : public Widget {
public:
    /// The Backspace key.
    static constexpr int kBackspace = 8;
    /// The Enter key.
    static constexpr int kEnter = 13;

    /// An empty, unlocked, single-line box.
    TextBox(std::string name, int index = -1) : Widget(WidgetKind::TextBox, std::move(name), index) {}

    /// The text (UTF-8).
    const std::string& text() const noexcept { return text_; }
    /// A program change: fires Change when the text differs. The box with the
    /// focus selects the whole new text; any other puts the caret at the start.
    void setText(std::string text);
    /// Whether the user's keys and edits are refused.
    bool locked() const noexcept { return locked_; }
    /// Locks or unlocks the box.
    void setLocked(bool locked);
    /// Whether Enter inserts a line break.
    bool multiLine() const noexcept { return multiLine_; }
    /// Sets whether Enter inserts a line break.
    void setMultiLine(bool multiLine) { multiLine_ = multiLine; }
    /// Selection in bytes of the UTF-8 text.
    int selStart() const noexcept { return selStart_; }
    /// The length of the selection, in bytes.
    int selLength() const noexcept { return selLength_; }
    /// Selects bytes of the text; clamped to the text.
    void setSelection(int start, int length);
    /// Selects the whole text.
    void selectAll() { setSelection(0, static_cast<int>(text_.size())); }

    /// The user types one key (a Unicode code point, 8 backspace, 13 Enter).
    void typeKey(int key);
    /// The user types each character of a UTF-8 text in turn.
    void typeText(std::string_view keys);
    /// The user changes the text without typing a key (pasting, deleting):
    /// Change fires, KeyPress does not. Ignored on a locked box.
    void userEdit(std::string text, int caret);
    /// The user double-clicks the box.
    void userDoubleClick();

    /// Whether a text the user produced (a typed key, a paste, a deletion)
    /// may stand; a refused edit leaves the text as it was. Program changes
    /// are not asked.
    std::function<bool(std::string_view text)> Accepts;
    /// Fired when the text changes, by the program or the user.
    std::function<void()> Change;
    /// Fired with each typed key before it is applied; setting it to 0 discards it.
    std::function<void(int& keyAscii)> KeyPress;
    /// Fired after each typed key, applied or not.
    std::function<void(int keyCode, int shift)> KeyUp;
    /// Fired by a double click.
    std::function<void()> DblClick;

private:
    void applyKey(int key);
    /// Puts a text the user produced in place, the caret after the edit.
    void replaceByUser(std::string text, std::size_t caret);

    std::string text_;
    bool locked_ = false;
    bool multiLine_ = false;
    int selStart_ = 0;
    int selLength_ = 0;
};

} // namespace zelt::view
