#include "bindings/DisplayBindings.h"

#include "ColorMapping.h"

#include <QLocale>
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace zelt::qt {

namespace {
const QDate kNoDate(1752, 9, 14); // QDateEdit's earliest date stands for "no date"

view::MouseButton toButton(Qt::MouseButton b)
{
    return b == Qt::RightButton ? view::MouseButton::Right
           : b == Qt::MiddleButton ? view::MouseButton::Middle
                                   : view::MouseButton::Left;
}
} // namespace

LabelBinding::LabelBinding(view::Label& model, QLabel* label) : WidgetBinding(model, label), model_(model), label_(label)
{
    label_->setTextFormat(Qt::PlainText);
    label_->setMouseTracking(true);
    sync();
}

void LabelBinding::syncKind()
{
    label_->setText(QString::fromStdString(model_.caption()));
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, toQColor(model_.foreColor(), QApplication::palette()));
    label_->setPalette(palette);
    QFont font = label_->font();
    font.setBold(model_.bold());
    font.setUnderline(model_.underline());
    label_->setFont(font);
    label_->setCursor(model_.underline() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

bool LabelBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == label_) run([&] { forward(event); });
    return WidgetBinding::eventFilter(watched, event);
}

void LabelBinding::forward(QEvent* event)
{
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            model_.userMouseDown(toButton(static_cast<QMouseEvent*>(event)->button()));
            break;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            model_.userMouseUp(toButton(mouse->button()));
            if (mouse->button() == Qt::LeftButton && label_->rect().contains(mouse->position().toPoint()))
                model_.userClick();
            break;
        }
        case QEvent::MouseButtonDblClick: model_.userDoubleClick(); break;
        case QEvent::MouseMove: model_.userMouseMove(); break;
        default: break;
        }
    }
}

ImageBinding::ImageBinding(view::Image& model, QLabel* label) : WidgetBinding(model, label)
{
    QPixmap bullet(10, 10);
    bullet.fill(Qt::transparent);
    QPainter painter(&bullet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(200, 30, 30));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(2, 2, 6, 6);
    painter.end();
    label->setPixmap(bullet);
    label->setFixedSize(10, 10);
    sync();
}

FrameBinding::FrameBinding(view::Frame& model, QGroupBox* box) : WidgetBinding(model, box), model_(model), box_(box)
{
    sync();
}

void FrameBinding::syncKind() { box_->setTitle(QString::fromStdString(model_.caption()).trimmed()); }

DatePickerBinding::DatePickerBinding(view::DatePicker& model, QDateEdit* edit)
    : WidgetBinding(model, edit), model_(model), edit_(edit)
{
    edit_->setCalendarPopup(true);
    // The dates read "MMM dd, yyyy" with English months in every locale, as
    // the line's date fields show them: the picker says the same.
    edit_->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    edit_->setMinimumDate(kNoDate);
    edit_->setSpecialValueText(QStringLiteral(" "));
    QObject::connect(edit_, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (syncing()) return;
        run([this, date] {
            if (date == kNoDate) model_.userPick(std::nullopt);
            else model_.userPick(text::Date{date.year(), date.month(), date.day()});
        });
    });
    sync();
}

void DatePickerBinding::syncKind()
{
    if (!model_.customFormat().empty()) edit_->setDisplayFormat(QString::fromStdString(model_.customFormat()));
    const auto& v = model_.value();
    edit_->setDate(v ? QDate(v->year, v->month, v->day) : kNoDate);
}

} // namespace zelt::qt
