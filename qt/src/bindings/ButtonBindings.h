#pragma once

#include "bindings/WidgetBinding.h"

#include <zelt/view/CheckBox.h>
#include <zelt/view/CommandButton.h>
#include <zelt/view/OptionButton.h>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace zelt::qt {

/// A check box as a QCheckBox; a click toggles the model, whose handlers may
/// put the value back.
class CheckBoxBinding : public WidgetBinding {
public:
    CheckBoxBinding(view::CheckBox& model, QCheckBox* box);

protected:
    void syncKind() override;

private:
    view::CheckBox& model_;
    QCheckBox* box_;
};

/// An option button as a QRadioButton; the model keeps the group exclusive.
class OptionButtonBinding : public WidgetBinding {
public:
    OptionButtonBinding(view::OptionButton& model, QRadioButton* button);
    /// Off where a label beside the button already says what it is.
    void showCaption(bool show)
    {
        showCaption_ = show;
        sync();
    }

protected:
    void syncKind() override;

private:
    view::OptionButton& model_;
    QRadioButton* button_;
    bool showCaption_ = true;
};

/// A command button as a QPushButton.
class CommandButtonBinding : public WidgetBinding {
public:
    CommandButtonBinding(view::CommandButton& model, QPushButton* button);

protected:
    void syncKind() override;

private:
    view::CommandButton& model_;
    QPushButton* button_;
};

} // namespace zelt::qt
