#pragma once

#include "zelt/view/Widget.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelt::view {

/// A combo box: a list of display texts with item data, a selected position
/// (-1 for none) and an edit text. Selecting an entry fires Click; a change of
/// the edit text fires Change.
class ComboBox : public Widget {
public:
    struct Entry {
        std::string text;
        std::int32_t itemData = 0;
        bool operator==(const Entry&) const = default;
    };

    ComboBox(std::string name, int index = -1) : Widget(WidgetKind::ComboBox, std::move(name), index) {}

    int listCount() const noexcept { return static_cast<int>(entries_.size()); }
    const std::vector<Entry>& entries() const noexcept { return entries_; }
    /// The display text of entry i; subscript out of range when there is none.
    const std::string& itemText(int i) const;
    std::int32_t itemData(int i) const;
    int listIndex() const noexcept { return listIndex_; }
    /// Selects entry i (-1: none). A position outside the list is an invalid
    /// procedure call. Fires Click when the selection changes.
    void setListIndex(int i);
    const std::string& text() const noexcept { return text_; }
    /// Sets the edit text, selecting the first entry of that exact text (or
    /// none). Fires Change when the text changes.
    void setText(std::string text);
    bool locked() const noexcept { return locked_; }
    void setLocked(bool locked);

    void addItem(std::string text, std::int32_t itemData = 0);
    void removeItem(int i);
    void clear();

    /// The user picks entry i from the list.
    void userSelect(int i);

    std::function<void()> Click;
    std::function<void()> Change;

private:
    std::vector<Entry> entries_;
    int listIndex_ = -1;
    std::string text_;
    bool locked_ = false;
};

} // namespace zelt::view
