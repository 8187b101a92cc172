#include "zelt/view/Label.h"

namespace zelt::view {

void Label::setForeColor(Color color) { assign(foreColor_, color); }

void Label::setBold(bool bold) { assign(bold_, bold); }

void Label::setUnderline(bool underline) { assign(underline_, underline); }

void Label::userClick()
{
    const ClerkAction clerk(form());
    if (canInteract()) fire(Click);
}

void Label::userDoubleClick()
{
    const ClerkAction clerk(form());
    if (canInteract()) fire(DblClick);
}

void Label::userMouseDown(MouseButton button)
{
    const ClerkAction clerk(form());
    if (canInteract() && MouseDown) MouseDown(button);
}

void Label::userMouseMove()
{
    if (canInteract()) fire(MouseMove);
}

void Label::userMouseUp(MouseButton button)
{
    const ClerkAction clerk(form());
    if (canInteract() && MouseUp) MouseUp(button);
}

} // namespace zelt::view
