#include "zelt/view/Label.h"

namespace zelt::view {

void Label::setForeColor(Color color) { assign(foreColor_, color); }

void Label::setBold(bool bold) { assign(bold_, bold); }

void Label::setUnderline(bool underline) { assign(underline_, underline); }

void Label::userClick()
{
    if (canInteract()) fire(Click);
}

void Label::userDoubleClick()
{
    if (canInteract()) fire(DblClick);
}

void Label::userMouseDown(MouseButton button)
{
    if (canInteract() && MouseDown) MouseDown(button);
}

void Label::userMouseMove()
{
    if (canInteract()) fire(MouseMove);
}

void Label::userMouseUp(MouseButton button)
{
    if (canInteract() && MouseUp) MouseUp(button);
}

} // namespace zelt::view
