#include "bindings/TextBoxBinding.h"

#include "ColorMapping.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace zelt::qt {

namespace {
// UTF-16 position in the QString to byte offset in the UTF-8 text, and back.
int toBytes(const QString& text, int position) { return static_cast<int>(text.left(position).toUtf8().size()); }
int toChars(const std::string& text, int bytes)
{
    return static_cast<int>(
        QString::fromUtf8(text.data(), std::min<qsizetype>(bytes, static_cast<qsizetype>(text.size()))).size());
}
} // namespace

TextBoxBinding::TextBoxBinding(view::TextBox& model, QLineEdit* edit)
    : WidgetBinding(model, edit), box_(model), edit_(edit)
{
    edit_->setContextMenuPolicy(Qt::NoContextMenu);
    sync();
}

void TextBoxBinding::syncKind()
{
    const QString text = QString::fromStdString(box_.text());
    if (edit_->text() != text) edit_->setText(text);
    edit_->setReadOnly(box_.locked());
    // A box takes Tab when the clerk can type in it; a read-only one is
    // reached by the mouse only.
    edit_->setFocusPolicy(box_.locked() ? Qt::ClickFocus : Qt::StrongFocus);
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, toQColor(box_.backColor(), QApplication::palette()));
    palette.setColor(QPalette::Text, outOfDate_ ? QApplication::palette().color(QPalette::Disabled, QPalette::Text)
                                                : QApplication::palette().color(QPalette::Text));
    edit_->setPalette(palette);
    QFont font = edit_->font();
    font.setItalic(outOfDate_);
    edit_->setFont(font);
    // A text wider than its box shows whole as the box's tip.
    if (outOfDate_) edit_->setToolTip(outOfDateWhy_);
    else if (box_.toolTip().empty())
        edit_->setToolTip(edit_->fontMetrics().horizontalAdvance(text) > edit_->contentsRect().width() - 8 ? text : QString());
    if (edit_->hasFocus()) {
        int start = toChars(box_.text(), box_.selStart());
        int end = toChars(box_.text(), box_.selStart() + box_.selLength());
        if (end > start) edit_->setSelection(start, end - start);
        else edit_->setCursorPosition(start);
    }
}

void TextBoxBinding::setOutOfDate(bool outOfDate, const QString& why)
{
    if (outOfDate == outOfDate_ && why == outOfDateWhy_) return;
    outOfDate_ = outOfDate;
    outOfDateWhy_ = why;
    sync();
}

std::pair<int, int> TextBoxBinding::selection() const
{
    if (edit_->hasSelectedText()) return {edit_->selectionStart(), static_cast<int>(edit_->selectedText().size())};
    return {edit_->cursorPosition(), 0};
}

void TextBoxBinding::pushSelection()
{
    const QString text = edit_->text();
    auto [start, length] = selection();
    int startBytes = toBytes(text, start);
    box_.setSelection(startBytes, toBytes(text, start + length) - startBytes);
}

bool TextBoxBinding::eventFilter(QObject* watched, QEvent* event)
{
    bool consumed = false;
    if (watched == edit_) run([&] { consumed = forward(event); });
    return consumed || WidgetBinding::eventFilter(watched, event);
}

bool TextBoxBinding::forward(QEvent* event)
{
    // The box keeps no undo of its own: the text lives in the model, and
    // Ctrl+Z / Ctrl+Y go on to the window's line commands.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
               (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return true;
        pushSelection();
        if (key->matches(QKeySequence::Paste)) {
            QString text = edit_->text();
            auto [start, length] = selection();
            QString pasted = QApplication::clipboard()->text();
            text.replace(start, length, pasted);
            box_.userEdit(text.toStdString(), toBytes(text, start + static_cast<int>(pasted.size())));
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            QString text = edit_->text();
            auto [start, length] = selection();
            text.remove(start, length > 0 ? length : 1); // no selection: the character after the caret
            box_.userEdit(text.toStdString(), toBytes(text, start));
            return true;
        }
        if (key->key() == Qt::Key_Backspace) {
            box_.typeKey(view::TextBox::kBackspace);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            box_.typeKey(view::TextBox::kEnter);
            return true;
        }
        const QString typed = key->text();
        // Alt with a key is a shortcut that nothing took, not text: it goes
        // neither to the model nor to the line edit.
        if (!typed.isEmpty() && (key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier))
            return true;
        if (!typed.isEmpty() && typed.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier)) {
            for (char32_t cp : typed.toUcs4())
                box_.typeKey(static_cast<int>(cp));
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        // The box may have selected its text as the focus came (a refilled
        // or reopened amount): shown once the line edit has taken the focus.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!edit_->hasFocus()) return;
                int start = toChars(box_.text(), box_.selStart());
                int end = toChars(box_.text(), box_.selStart() + box_.selLength());
                if (end > start) edit_->setSelection(start, end - start);
            },
            Qt::QueuedConnection);
    } else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease) {
        pushSelection(); // caret moves and mouse selections
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        box_.userDoubleClick();
    }
    return false;
}

} // namespace zelt::qt
