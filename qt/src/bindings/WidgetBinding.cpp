#include "bindings/WidgetBinding.h"

#include "ColorMapping.h"

#include <QEvent>
#include <QtGlobal>

#include <exception>

namespace zelt::qt {

WidgetBinding::WidgetBinding(view::Widget& model, QWidget* widget) : model_(model), widget_(widget)
{
    widget_->setObjectName(QString::fromStdString(model.qualifiedName()));
    widget_->installEventFilter(this);
    observerId_ = model_.addObserver([this] { sync(); });
}

WidgetBinding::~WidgetBinding() { model_.removeObserver(observerId_); }

void WidgetBinding::sync()
{
    if (!widget_) return;
    syncing_ = true;
    widget_->setEnabled(model_.enabled());
    // A widget not yet placed in the window would show as a window of its own.
    if (widget_->parentWidget()) widget_->setVisible(model_.visible());
    widget_->setToolTip(QString::fromStdString(model_.toolTip()));
    if (widget_->focusPolicy() != Qt::NoFocus || model_.tabStop())
        widget_->setFocusPolicy(model_.tabStop() ? Qt::StrongFocus : Qt::ClickFocus);
    syncKind();
    syncing_ = false;
}

void WidgetBinding::safely(const std::function<void()>& action, const Reporter& report)
{
    try {
        action();
    } catch (const std::exception& e) {
        if (report) report(QString::fromUtf8(e.what()));
        else qWarning("OrderedItems: a user action failed: %s", e.what());
    }
}

bool WidgetBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget_ && event->type() == QEvent::FocusIn && !model_.hasFocus())
        run([this] { model_.setFocus(); });
    return QObject::eventFilter(watched, event);
}

} // namespace zelt::qt
