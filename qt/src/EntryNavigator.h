#pragma once

#include <zelt/control/OrderedItems.h>

#include <QObject>

#include <utility>
#include <vector>

class QWidget;

namespace zelt::qt {

/// Keyboard-only line entry: Enter in an entry field moves on to the next
/// field that takes the focus, in the on-screen order (skipping what is
/// hidden, disabled or locked); Enter in the last one writes the line; Esc
/// closes the open line unwritten, asking first when it holds changes. A
/// combo's or date picker's open list keeps its own Enter and Esc.
class EntryNavigator : public QObject {
public:
    using Field = std::pair<view::Widget*, QWidget*>;
    EntryNavigator(std::vector<Field> order, std::vector<QWidget*> buttons, OrderedItems& control, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool takesEnter(const Field& field) const;

    std::vector<Field> order_;
    OrderedItems& control_;
};

} // namespace zelt::qt
