#pragma once

#include <zelt/view/Widget.h>

#include <string>

namespace zelt::session {

/// What a control shows the clerk, as a script expects it: a text box's or a
/// combo box's text, a label's or a button's caption, a check box's value
/// (0, 1 or 2), an option button's "True" or "False".
std::string shownText(const view::Widget& widget);

/// "text box", "command button": a kind as an error message names it.
std::string kindName(view::WidgetKind kind);

} // namespace zelt::session
