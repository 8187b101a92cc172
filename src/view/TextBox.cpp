#include "zelt/view/TextBox.h"

#include <algorithm>

namespace zelt::view {

namespace {
void appendUtf8(std::string& out, int cp)
{
    auto c = static_cast<unsigned>(cp);
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}
} // namespace

void TextBox::setText(std::string text)
{
    if (text == text_) return;
    text_ = std::move(text);
    // A program change of the box the user is typing in selects the new text,
    // so the next key replaces it rather than landing in front of it.
    // Elsewhere the caret goes to the start, as the platform's text box does.
    selStart_ = 0;
    selLength_ = hasFocus() ? static_cast<int>(text_.size()) : 0;
    notifyChanged();
    valueChanged();
    fire(Change);
}

void TextBox::setLocked(bool locked) { assign(locked_, locked); }

void TextBox::setSelection(int start, int length)
{
    int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    notifyChanged();
}

void TextBox::typeKey(int key)
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    if (!hasFocus()) setFocus();
    int k = key;
    if (KeyPress) KeyPress(k);
    if (k != 0 && !locked_) applyKey(k);
    if (KeyUp) KeyUp(key, 0);
}

void TextBox::applyKey(int key)
{
    std::string next = text_;
    auto start = static_cast<std::size_t>(selStart_);
    auto length = static_cast<std::size_t>(selLength_);
    std::size_t caret = start;
    if (key == kBackspace) {
        if (length > 0) {
            next.erase(start, length);
        } else if (start > 0) {
            // Step back over one UTF-8 code point.
            std::size_t from = start - 1;
            while (from > 0 && (static_cast<unsigned char>(next[from]) & 0xC0) == 0x80) --from;
            next.erase(from, start - from);
            caret = from;
        }
    } else {
        std::string insert;
        if (key == kEnter) {
            if (!multiLine_) return;
            insert = "\r\n";
        } else if (key >= 32) {
            appendUtf8(insert, key);
        } else {
            return; // other control characters edit nothing
        }
        next.replace(start, length, insert);
        caret = start + insert.size();
    }
    replaceByUser(std::move(next), caret);
}

void TextBox::replaceByUser(std::string text, std::size_t caret)
{
    // Typing a character over the same selected character leaves the text
    // as it was, but the caret still moves past it.
    const bool changed = text != text_;
    if (changed && Accepts && !Accepts(text)) {
        notifyChanged(); // a view that shows the refused edit already takes the kept text back
        return;
    }
    text_ = std::move(text);
    selStart_ = static_cast<int>(std::min(caret, text_.size()));
    selLength_ = 0;
    notifyChanged();
    if (!changed) return;
    valueChanged();
    fire(Change);
}

void TextBox::typeText(std::string_view keys)
{
    // Decode UTF-8 into code points, one key each.
    for (std::size_t i = 0; i < keys.size();) {
        auto c = static_cast<unsigned char>(keys[i]);
        int cp = c;
        std::size_t n = 1;
        if (c >= 0xF0) { cp = c & 0x07; n = 4; }
        else if (c >= 0xE0) { cp = c & 0x0F; n = 3; }
        else if (c >= 0xC0) { cp = c & 0x1F; n = 2; }
        for (std::size_t k = 1; k < n && i + k < keys.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(keys[i + k]) & 0x3F);
        i += n;
        typeKey(cp == '\n' ? kEnter : cp);
    }
}

void TextBox::userEdit(std::string text, int caret)
{
    const ClerkAction clerk(form());
    if (!canInteract() || locked_) return;
    if (!hasFocus()) setFocus();
    replaceByUser(std::move(text), static_cast<std::size_t>(std::max(caret, 0)));
}

void TextBox::userDoubleClick()
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    if (!hasFocus()) setFocus();
    fire(DblClick);
}

} // namespace zelt::view
