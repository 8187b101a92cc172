#include "core/AmountBox.h"

#include "core/HostInput.h"
#include "zelt/text/NumberText.h"

namespace zelt {

void AmountBox::filterKey(int& key, const std::string& currentText) const
{
    const std::string& point = locale_.decimalSeparator;
    if (key == view::TextBox::kBackspace || (key >= '0' && key <= '9')) return;
    // An amount box takes no digit grouping: either decimal key (the keypad's
    // "." in a comma locale, "," in a point locale) is the locale's separator.
    if ((key == '.' || key == ',') && point.size() == 1 && currentText.find(point) == std::string::npos) {
        key = static_cast<unsigned char>(point[0]);
        return;
    }
    key = 0;
}

bool AmountBox::accepts(std::string_view text) const
{
    if (isEmpty(text)) return true;
    const auto value = text::tryToNumber(text, locale_);
    return value && *value >= 0 && isAmountInRange(*value);
}

void AmountBox::bind(view::TextBox& box) const
{
    box.Accepts = [this](std::string_view text) { return accepts(text); };
}

bool AmountBox::isEmpty(std::string_view text) const
{
    std::string_view t = text::trim(text);
    return t.empty() || t == locale_.decimalSeparator;
}

bool AmountBox::refillIfEmpty(view::TextBox& box) const
{
    if (!isEmpty(box.text())) return false;
    box.setText("0");
    return true;
}

void AmountBox::setOverridden(view::TextBox& box, bool overridden) const
{
    box.setLocked(!overridden);
    box.setTabStop(overridden);
    box.setBackColor(overridden ? view::Color::window() : view::Color::buttonFace());
    if (!overridden) return;
    box.setText(text::formatFixed(0, 2, locale_));
    box.setFocus();
    // The zero is selected: the clerk's first key replaces it.
    box.selectAll();
}

} // namespace zelt
