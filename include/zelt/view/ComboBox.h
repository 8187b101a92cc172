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
    /// One entry of the list.
    struct Entry {
        /// The display text.
        std::string text;
        /// The entry's number (a code, a freight method).
        std::int32_t itemData = 0;
        /// Compares text and item data.
        bool operator==(const Entry&) const = default;
    };

    /// An empty combo box.
    ComboBox(std::string name, int index = -1) : Widget(WidgetKind::ComboBox, std::move(name), index) {}

    /// The number of entries.
    int listCount() const noexcept { return static_cast<int>(entries_.size()); }
    /// The entries, in list order.
    const std::vector<Entry>& entries() const noexcept { return entries_; }
    /// The display text of entry i; subscript out of range when there is none.
    const std::string& itemText(int i) const;
    /// The item data of entry i; RuntimeError (subscript out of range) when
    /// there is none.
    std::int32_t itemData(int i) const;
    /// The selected entry, -1 for none.
    int listIndex() const noexcept { return listIndex_; }
    /// Selects entry i (-1: none). A position outside the list is an invalid
    /// procedure call. Fires Click when the selection changes.
    void setListIndex(int i);
    /// The edit text (the selected entry's text after a selection).
    const std::string& text() const noexcept { return text_; }
    /// Sets the edit text, selecting the first entry of that exact text (or
    /// none). Fires Change when the text changes.
    void setText(std::string text);
    /// Whether the user may not pick.
    bool locked() const noexcept { return locked_; }
    /// Locks or unlocks the box.
    void setLocked(bool locked);

    /// Appends an entry.
    void addItem(std::string text, std::int32_t itemData = 0);
    /// Removes entry i; RuntimeError (invalid procedure call) when there is none.
    /// Removing the selected entry leaves none selected and the text empty.
    void removeItem(int i);
    /// Removes every entry, the selection and the text (fires nothing).
    void clear();

    /// The user picks entry i from the list.
    void userSelect(int i);

    /// Fired when the selection changes.
    std::function<void()> Click;
    /// Fired when the edit text changes.
    std::function<void()> Change;

private:
    std::vector<Entry> entries_;
    int listIndex_ = -1;
    std::string text_;
    bool locked_ = false;
};

} // namespace zelt::view
