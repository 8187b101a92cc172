#include "bindings/ButtonBindings.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace zelt::qt {

CheckBoxBinding::CheckBoxBinding(view::CheckBox& model, QCheckBox* box) : WidgetBinding(model, box), model_(model), box_(box)
{
    QObject::connect(box_, &QCheckBox::clicked, this, [this] {
        run([this] { model_.userClick(); });
        sync();
    });
    sync();
}

void CheckBoxBinding::syncKind()
{
    box_->setText(QString::fromStdString(model_.caption()));
    box_->setCheckState(model_.value() == 1 ? Qt::Checked : model_.value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

OptionButtonBinding::OptionButtonBinding(view::OptionButton& model, QRadioButton* button)
    : WidgetBinding(model, button), model_(model), button_(button)
{
    button_->setAutoExclusive(false);
    QObject::connect(button_, &QRadioButton::clicked, this, [this] {
        run([this] { model_.userClick(); });
        sync();
    });
    sync();
}

void OptionButtonBinding::syncKind()
{
    button_->setText(showCaption_ ? QString::fromStdString(model_.caption()) : QString());
    button_->setChecked(model_.value());
}

CommandButtonBinding::CommandButtonBinding(view::CommandButton& model, QPushButton* button)
    : WidgetBinding(model, button), model_(model), button_(button)
{
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, this, [this] { run([this] { model_.userClick(); }); });
    sync();
}

void CommandButtonBinding::syncKind()
{
    // Captions use the same mnemonic rule as Qt: "&&" shows one ampersand.
    button_->setText(QString::fromStdString(model_.caption()));
}

} // namespace zelt::qt
