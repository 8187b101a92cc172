#pragma once

#include "bindings/WidgetBinding.h"

#include <zelt/view/TextBox.h>

#include <utility>

class QLineEdit;

namespace zelt::qt {

/// A text box as a QLineEdit. Typed characters go key by key to the model
/// (whose KeyPress rules may discard them); the shown text always comes from
/// the model.
class TextBoxBinding : public WidgetBinding {
public:
    TextBoxBinding(view::TextBox& model, QLineEdit* edit);
    /// Shows the amount as one that no longer follows the order (grey
    /// italic), with `why` as its tip.
    void setOutOfDate(bool outOfDate, const QString& why);

protected:
    void syncKind() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Hands one Qt event to the model; true when the model consumed it.
    bool forward(QEvent* event);
    /// The Qt selection (or the caret) as start and length in characters.
    std::pair<int, int> selection() const;
    void pushSelection();
    view::TextBox& box_;
    QLineEdit* edit_;
    bool outOfDate_ = false;
    QString outOfDateWhy_;
};

} // namespace zelt::qt
