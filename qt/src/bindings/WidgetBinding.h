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
    /// Where a failed user action is told to the clerk.
    using Reporter = std::function<void(const QString&)>;

    /// Runs a user action on the model. The control's handlers end their own
    /// failures; anything else goes to `report` (or the log without one)
    /// rather than unwinding through Qt's event loop, which cannot carry
    /// exceptions.
    static void safely(const std::function<void()>& action, const Reporter& report = {});
    void setReporter(Reporter report) { report_ = std::move(report); }

protected:
    /// The kind's own properties.
    virtual void syncKind() = 0;
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// True while the binding writes into the Qt widget: Qt signals raised by
    /// those writes are not user input.
    bool syncing() const { return syncing_; }
    /// Runs a user action with this binding's reporter.
    void run(const std::function<void()>& action) const { safely(action, report_); }

private:
    view::Widget& model_;
    QPointer<QWidget> widget_;
    int observerId_ = 0;
    bool syncing_ = false;
    Reporter report_;
};

} // namespace zelt::qt
