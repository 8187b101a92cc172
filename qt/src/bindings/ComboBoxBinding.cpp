#include "bindings/ComboBoxBinding.h"

#include <QComboBox>

namespace zelt::qt {

ComboBoxBinding::ComboBoxBinding(view::ComboBox& model, QComboBox* combo)
    : WidgetBinding(model, combo), model_(model), combo_(combo)
{
    QObject::connect(combo_, &QComboBox::activated, this, [this](int index) {
        run([this, index] { model_.userSelect(index); });
        sync(); // a locked combo or a refused pick shows the model's selection again
    });
    sync();
}

void ComboBoxBinding::syncKind()
{
    if (shown_ != model_.entries()) {
        shown_ = model_.entries();
        combo_->clear();
        for (const auto& e : shown_) combo_->addItem(QString::fromStdString(e.text), e.itemData);
    }
    combo_->setCurrentIndex(model_.listIndex());
    // An entry wider than the box shows whole as its tip.
    if (model_.toolTip().empty()) {
        const QString text = combo_->currentText();
        combo_->setToolTip(combo_->fontMetrics().horizontalAdvance(text) > combo_->width() - 32 ? text : QString());
    }
    // A locked combo shows its entry but takes no pick.
    combo_->setEnabled(model_.enabled() && !model_.locked());
}

} // namespace zelt::qt
