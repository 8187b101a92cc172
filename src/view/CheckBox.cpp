#include "zelt/view/CheckBox.h"

namespace zelt::view {

void CheckBox::setValue(int value)
{
    if (value == value_) return;
    value_ = value;
    notifyChanged();
    valueChanged();
    fire(Click);
}

void CheckBox::userClick()
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    if (!hasFocus()) setFocus();
    setValue(value_ == 1 ? 0 : 1);
}

} // namespace zelt::view
