#include "QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace zelt::qt {

namespace {
/// Gives the window back the keyboard when the dialog closes, so that the
/// focus the control moves to after a message lands in its field.
struct ReactivateParent {
    QWidget* parent;
    ~ReactivateParent()
    {
        if (parent) parent->window()->activateWindow();
    }
};
} // namespace

view::MessageBoxAnswer QtMessageBoxes::show(const view::MessageBoxRequest& request)
{
    ReactivateParent reactivate{parent_};
    QMessageBox box(parent_);
    box.setText(QString::fromStdString(request.text));
    QString title = QString::fromStdString(request.title);
    if (title.isEmpty()) title = QApplication::applicationDisplayName();
    if (title.isEmpty()) title = QStringLiteral("ZeltOrderedItems");
    box.setWindowTitle(title);
    switch (request.icon) {
    case view::MessageBoxIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case view::MessageBoxIcon::Information: box.setIcon(QMessageBox::Information); break;
    case view::MessageBoxIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    if (request.buttons == view::MessageBoxButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? view::MessageBoxAnswer::Yes : view::MessageBoxAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return view::MessageBoxAnswer::Ok;
}

} // namespace zelt::qt
