#pragma once

#include "zelt/text/Locale.h"
#include "zelt/view/TextBox.h"

#include <string>
#include <string_view>

namespace zelt {

/// What the fee and tax amount boxes (and the conversion-rate box) share:
/// the keys they take, what counts as emptied, the zero they are refilled
/// with, and what ticking their "Over Ridden" box does to them.
class AmountBox {
public:
    explicit AmountBox(const text::Locale& locale) : locale_(locale) {}

    /// Digits, backspace and one decimal separator pass ("." and "," both
    /// stand for the locale's separator); any other key is discarded (set to
    /// 0). A typed amount is never negative.
    void filterKey(int& key, const std::string& currentText) const;
    /// What a clerk's edit may leave in the box: blank or a lone decimal
    /// separator (refilled with "0"), or a number from 0 up to the currency
    /// range. Anything else (a pasted word, an amount no total could carry)
    /// leaves the box as it was.
    bool accepts(std::string_view text) const;
    /// Makes the box take the keys and edits above.
    void bind(view::TextBox& box) const;
    /// Blank, or only a decimal separator.
    bool isEmpty(std::string_view text) const;
    /// An emptied box reads "0"; true when it was refilled.
    bool refillIfEmpty(view::TextBox& box) const;
    /// Ticked, the box opens white at zero, selected, with the focus, and joins the tab
    /// order; cleared, it locks, turns grey and leaves the tab order, keeping
    /// its text.
    void setOverridden(view::TextBox& box, bool overridden) const;

private:
    const text::Locale& locale_;
};

} // namespace zelt
