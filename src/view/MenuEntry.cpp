#include "zelt/view/MenuEntry.h"

namespace zelt::view {

void MenuEntry::userClick()
{
    const ClerkAction clerk(form());
    if (canInteract() && !isSeparator()) fire(Click);
}

} // namespace zelt::view
