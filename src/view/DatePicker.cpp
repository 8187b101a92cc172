#include "zelt/view/DatePicker.h"

namespace zelt::view {

void DatePicker::setValue(std::optional<text::Date> value)
{
    if (value == value_) return;
    value_ = value;
    notifyChanged();
    valueChanged();
    fire(Change);
}

void DatePicker::setCustomFormat(std::string format) { assign(customFormat_, std::move(format)); }

void DatePicker::userPick(std::optional<text::Date> value)
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    if (!hasFocus()) setFocus();
    setValue(value);
}

} // namespace zelt::view
