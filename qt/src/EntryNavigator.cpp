#include "EntryNavigator.h"

#include "bindings/WidgetBinding.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace zelt::qt {

EntryNavigator::EntryNavigator(std::vector<Field> order, std::vector<QWidget*> buttons, OrderedItems& control,
                               QObject* parent)
    : QObject(parent), order_(std::move(order)), control_(control)
{
    for (const Field& f : order_) f.second->installEventFilter(this);
    for (QWidget* w : buttons) w->installEventFilter(this);
}

bool EntryNavigator::takesEnter(const Field& field) const
{
    // A locked box takes no Tab (its binding makes it read-only, reached by
    // the mouse only) and a locked list is disabled: both are passed by.
    const QWidget* widget = field.second;
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

bool EntryNavigator::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    if (!control_.IsLineOpen()) return false;
    view::Form& form = control_.form();
    if (key->key() == Qt::Key_Escape) {
        bool closed = false;
        WidgetBinding::safely([&] { closed = control_.CancelOpenLine(); });
        // Closed, the focus goes where the clerk can see it and go on: the
        // lines. Kept open, it stays in the field.
        if (closed) form.grdOrdItems.setFocus();
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    auto at = std::find_if(order_.begin(), order_.end(), [&](const Field& f) { return f.second == watched; });
    if (at == order_.end()) return false;
    // The focus frame shows on every kind of widget, as after a Tab.
    static_cast<QWidget*>(watched)->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    for (auto next = std::next(at); next != order_.end(); ++next)
        if (takesEnter(*next)) {
            next->second->setFocus(Qt::TabFocusReason);
            return true;
        }
    WidgetBinding::safely([&form] { form.cmdAdd.userClick(); });
    return true;
}

} // namespace zelt::qt
