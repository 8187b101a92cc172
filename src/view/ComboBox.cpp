#include "zelt/view/ComboBox.h"

#include "zelt/text/RuntimeError.h"

namespace zelt::view {

const std::string& ComboBox::itemText(int i) const
{
    if (i < 0 || i >= listCount()) throw text::RuntimeError::subscriptOutOfRange();
    return entries_[static_cast<std::size_t>(i)].text;
}

std::int32_t ComboBox::itemData(int i) const
{
    if (i < 0 || i >= listCount()) throw text::RuntimeError::subscriptOutOfRange();
    return entries_[static_cast<std::size_t>(i)].itemData;
}

void ComboBox::setListIndex(int i)
{
    if (i < -1 || i >= listCount()) throw text::RuntimeError::invalidProcedureCall();
    if (i == listIndex_) return;
    listIndex_ = i;
    text_ = i < 0 ? std::string() : entries_[static_cast<std::size_t>(i)].text;
    notifyChanged();
    valueChanged();
    fire(Click);
}

void ComboBox::setText(std::string text)
{
    if (text == text_) return;
    text_ = std::move(text);
    listIndex_ = -1;
    for (int i = 0; i < listCount(); ++i)
        if (entries_[static_cast<std::size_t>(i)].text == text_) {
            listIndex_ = i;
            break;
        }
    notifyChanged();
    valueChanged();
    fire(Change);
}

void ComboBox::setLocked(bool locked) { assign(locked_, locked); }

void ComboBox::addItem(std::string text, std::int32_t itemData)
{
    entries_.push_back({std::move(text), itemData});
    notifyChanged();
    valueChanged();
}

void ComboBox::removeItem(int i)
{
    if (i < 0 || i >= listCount()) throw text::RuntimeError::invalidProcedureCall();
    entries_.erase(entries_.begin() + i);
    if (listIndex_ == i) {
        listIndex_ = -1;
        text_.clear();
    } else if (listIndex_ > i) {
        --listIndex_;
    }
    notifyChanged();
}

void ComboBox::clear()
{
    if (entries_.empty() && listIndex_ == -1 && text_.empty()) return;
    entries_.clear();
    listIndex_ = -1;
    text_.clear();
    notifyChanged();
    valueChanged();
}

void ComboBox::userSelect(int i)
{
    const ClerkAction clerk(form());
    if (!canInteract() || locked_ || i < 0 || i >= listCount()) return;
    if (!hasFocus()) setFocus();
    setListIndex(i);
}

} // namespace zelt::view
