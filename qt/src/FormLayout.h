#pragma once

#include "bindings/WidgetBinding.h"

#include <zelt/view/Widget.h>

#include <memory>
#include <utility>
#include <vector>

class QGridLayout;
class QWidget;

namespace zelt::qt {

/// The Qt widget and binding for one abstract widget, by its kind; null for
/// the kinds shown otherwise (the grid, the pop-up menu).
std::unique_ptr<WidgetBinding> makeBinding(view::Widget& widget);

/// Text boxes, combos and date pickers: what the clerk types or picks in.
bool isInput(view::WidgetKind kind);

/// Frames keep their cells close: the order screen's three columns of frames
/// and the three blocks of the line entry then fit a 1024-pixel screen.
void compact(QGridLayout* grid);

/// Lays a group's widgets out in rows: a label starts a row, a bullet goes
/// beside it, then the input; a read-only text box that mirrors a combo or a
/// date picker shares its cell; check boxes follow. Rows flow into `blocks`
/// side-by-side blocks of four columns.
void layRows(QGridLayout* grid, const std::vector<std::pair<view::Widget*, QWidget*>>& items, int blocks);

} // namespace zelt::qt
