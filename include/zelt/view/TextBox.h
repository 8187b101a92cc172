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
    static constexpr int kBackspace = 8;
    static constexpr int kEnter = 13;

    TextBox(std::string name, int index = -1) : Widget(WidgetKind::TextBox, std::move(name), index) {}

    const std::string& text() const noexcept { return text_; }
    /// A program change: fires Change when the text differs. The box with the
    /// focus selects the whole new text; any other puts the caret at the start.
    void setText(std::string text);
    bool locked() const noexcept { return locked_; }
    void setLocked(bool locked);
    bool multiLine() const noexcept { return multiLine_; }
    void setMultiLine(bool multiLine) { multiLine_ = multiLine; }
    /// Selection in bytes of the UTF-8 text.
    int selStart() const noexcept { return selStart_; }
    int selLength() const noexcept { return selLength_; }
    void setSelection(int start, int length);
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
    std::function<void()> Change;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(int keyCode, int shift)> KeyUp;
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
