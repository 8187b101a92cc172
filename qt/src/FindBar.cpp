#include "FindBar.h"

#include <zelt/control/OrderedItems.h>
#include <zelt/view/Form.h>

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

namespace zelt::qt {

FindBar::FindBar(OrderedItems& control, QWidget* parent)
    : QWidget(parent), control_(control), text_(new QLineEdit), status_(new QLabel)
{
    setObjectName(QStringLiteral("findBar"));
    text_->setObjectName(QStringLiteral("findText"));
    text_->setPlaceholderText(tr("Description, model, acknowledgement or line number"));
    text_->setClearButtonEnabled(true);
    text_->installEventFilter(this);
    status_->setObjectName(QStringLiteral("findStatus"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("&Find:"));
    label->setBuddy(text_);
    layout->addWidget(label);
    layout->addWidget(text_, 1);
    // The buttons are for the mouse; the keys do the same from the text.
    const std::pair<QString, void (FindBar::*)()> buttons[] = {
        {tr("Previous (Shift+F3)"), &FindBar::previous}, {tr("Next (F3)"), &FindBar::next}, {tr("Close (Esc)"), &FindBar::close}};
    const QString arrows[] = {QStringLiteral("\u25B2"), QStringLiteral("\u25BC"), QStringLiteral("\u2715")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QToolButton;
        button->setText(arrows[i]);
        button->setToolTip(buttons[i].first);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, buttons[i].second);
        layout->addWidget(button, 0);
        if (i == 1) layout->addWidget(status_);
    }
    // The order's texts are folded in slices between events while the clerk
    // starts to type: a key then waits only for what is left. A key finds
    // its match at once and the matches are counted in slices after it.
    slices_ = new QTimer(this);
    connect(slices_, &QTimer::timeout, this, [this] {
        if (!control_.PrepareFindLines(kLinesPerSlice, counting_)) return;
        slices_->stop();
        if (counting_.empty()) return;
        counting_.clear();
        const int row = control_.form().grdOrdItems.row();
        if (!text_->text().isEmpty()) show(control_.FindLines(text_->text().toStdString(), row, FindDirection::Forward));
    });
    connect(text_, &QLineEdit::textEdited, this, [this] { search(control_.form().grdOrdItems.row(), FindDirection::Forward); });
    hide();
}

void FindBar::open()
{
    slices_->start(0);
    QWidget::show();
    text_->selectAll();
    text_->setFocus(Qt::ShortcutFocusReason);
}

void FindBar::close()
{
    hide();
    if (Closed) Closed();
}

void FindBar::next()
{
    if (isHidden()) open();
    search(control_.form().grdOrdItems.row() + 1, FindDirection::Forward);
}

void FindBar::previous()
{
    if (isHidden()) open();
    search(control_.form().grdOrdItems.row() - 1, FindDirection::Backward);
}

void FindBar::search(int from, FindDirection direction)
{
    if (text_->text().isEmpty()) {
        status_->clear();
        text_->setStyleSheet(QString());
        return;
    }
    const std::string text = text_->text().toStdString();
    const LineMatch match = control_.FindLines(text, from, direction, FindCount::Later);
    if (match.found() && control_.SelectLine(match.row) && Found) Found();
    show(match);
    if (!match.counted) {
        counting_ = text;
        slices_->start(0);
    }
}

void FindBar::show(const LineMatch& match)
{
    // A text that matches nothing turns the box pink, as browsers do.
    text_->setStyleSheet(match.found() ? QString() : QStringLiteral("QLineEdit { background: #f8d0d0; }"));
    if (!match.found()) {
        status_->setText(tr("No line holds this"));
        return;
    }
    QString where = match.counted ? tr("%1 of %2").arg(match.index).arg(match.count) : tr("counting...");
    if (match.wrapped) where += QLatin1Char(' ') + tr("(went round the order)");
    status_->setText(where);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool back = key->modifiers() & Qt::ShiftModifier;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F3:
            back ? previous() : next();
            return true;
        case Qt::Key_Escape:
            close();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelt::qt
