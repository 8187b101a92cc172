#include "zelt/view/Widget.h"

#include "zelt/view/Form.h"

namespace zelt::view {

Widget::Widget(WidgetKind kind, std::string name, int index) : kind_(kind), name_(std::move(name)), index_(index) {}

std::string Widget::qualifiedName() const
{
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Widget::setCaption(std::string caption) { assign(caption_, std::move(caption)); }
void Widget::setEnabled(bool enabled) { assign(enabled_, enabled); }
void Widget::setVisible(bool visible) { assign(visible_, visible); }
void Widget::setTabStop(bool tabStop) { assign(tabStop_, tabStop); }
void Widget::setToolTip(std::string toolTip) { assign(toolTip_, std::move(toolTip)); }
void Widget::setBackColor(Color color) { assign(backColor_, color); }

bool Widget::hasFocus() const noexcept { return form_ && form_->focusedWidget() == this; }

void Widget::setFocus()
{
    if (!canInteract() || !form_) return;
    form_->moveFocus(this);
}

void Widget::valueChanged() noexcept
{
    if (form_) form_->countChange(*this);
}

ClerkAction::ClerkAction(Form* form) noexcept : form_(form)
{
    if (form_) ++form_->clerkDepth_;
}

ClerkAction::~ClerkAction()
{
    if (form_) --form_->clerkDepth_;
}

} // namespace zelt::view
