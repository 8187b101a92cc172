#pragma once

#include <zelt/view/Color.h>

#include <QColor>
#include <QPalette>

namespace zelt::qt {

/// A form colour as a Qt colour: system roles through the palette, RGB as is.
QColor toQColor(view::Color color, const QPalette& palette);

} // namespace zelt::qt
