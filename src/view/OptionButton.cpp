#include "zelt/view/OptionButton.h"

namespace zelt::view {

void OptionButton::setValue(bool value)
{
    if (value == value_) return;
    value_ = value;
    if (value) {
        for (OptionButton* other : group_)
            if (other != this && other->value_) {
                other->value_ = false;
                other->notifyChanged();
            }
    }
    notifyChanged();
    valueChanged();
    if (value) fire(Click);
}

void OptionButton::userClick()
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    if (!hasFocus()) setFocus();
    setValue(true);
}

} // namespace zelt::view
