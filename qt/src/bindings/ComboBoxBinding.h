#pragma once

#include "bindings/WidgetBinding.h"

#include <zelt/view/ComboBox.h>

#include <vector>

class QComboBox;

namespace zelt::qt {

/// A combo box as a QComboBox; a pick by the clerk selects the entry in the model.
class ComboBoxBinding : public WidgetBinding {
public:
    ComboBoxBinding(view::ComboBox& model, QComboBox* combo);

protected:
    void syncKind() override;

private:
    view::ComboBox& model_;
    QComboBox* combo_;
    std::vector<view::ComboBox::Entry> shown_;
};

} // namespace zelt::qt
