#include "zelt/view/CommandButton.h"

namespace zelt::view {

void CommandButton::setLeft(int left) { assign(left_, left); }

void CommandButton::userClick()
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    if (!hasFocus()) setFocus();
    fire(Click);
}

} // namespace zelt::view
