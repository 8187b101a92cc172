#include "ColorMapping.h"

namespace zelt::qt {

QColor toQColor(view::Color color, const QPalette& palette)
{
    if (!color.isSystem()) return QColor(color.red(), color.green(), color.blue());
    switch (color.systemRole()) {
    case 5: return palette.color(QPalette::Base);        // window background
    case 8: return palette.color(QPalette::WindowText);  // window text
    case 15: return palette.color(QPalette::Button);     // button face
    default: return palette.color(QPalette::Window);
    }
}

} // namespace zelt::qt
