#include "zelt/view/MenuEntry.h"

namespace zelt::view {

void MenuEntry::userClick()
{
    if (canInteract() && !isSeparator()) fire(Click);
}

} // namespace zelt::view
