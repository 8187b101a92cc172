#pragma once

#include <zelt/view/Widget.h>

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace zelt::qt {

/// Mirrors one abstract widget into one Qt widget: every change of the model
/// is shown at once, and the Qt widget's user input goes back to the model's
/// entry points. One subclass per widget kind.
class WidgetBinding : public QObject {
public:
    WidgetBinding(view::Widget& model, QWidget* widget);
    ~WidgetBinding() override;

    view::Widget& model() const { return model_; }
    QWidget* widget() const { return widget_; }
    /// Reads the whole model into the Qt widget.
    void sync();
    /// Runs a user action on the model. The control's handlers end their own
    /// failures; anything else is reported here rather than left to unwind
    /// through Qt's event loop, which cannot carry exceptions.
    static void safely(const std::function<void()>& action);

protected:
    /// The kind's own properties.
    virtual void syncKind() = 0;
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// True while the binding writes into the Qt widget: Qt signals raised by
    /// those writes are not user input.
    bool syncing() const { return syncing_; }

private:
    view::Widget& model_;
    QPointer<QWidget> widget_;
    int observerId_ = 0;
    bool syncing_ = false;
};

} // namespace zelt::qt
