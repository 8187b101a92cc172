#include "ShownText.h"

#include <zelt/view/CheckBox.h>
#include <zelt/view/ComboBox.h>
#include <zelt/view/DatePicker.h>
#include <zelt/view/OptionButton.h>
#include <zelt/view/TextBox.h>

namespace zelt::session {

std::string shownText(const view::Widget& widget)
{
    switch (widget.kind()) {
    case view::WidgetKind::TextBox: return static_cast<const view::TextBox&>(widget).text();
    case view::WidgetKind::ComboBox: return static_cast<const view::ComboBox&>(widget).text();
    case view::WidgetKind::CheckBox: return std::to_string(static_cast<const view::CheckBox&>(widget).value());
    case view::WidgetKind::OptionButton: return static_cast<const view::OptionButton&>(widget).value() ? "True" : "False";
    case view::WidgetKind::DatePicker: {
        const auto& value = static_cast<const view::DatePicker&>(widget).value();
        return value ? value->toIso() : std::string();
    }
    default: return widget.caption();
    }
}

std::string kindName(view::WidgetKind kind)
{
    switch (kind) {
    case view::WidgetKind::TextBox: return "text box";
    case view::WidgetKind::ComboBox: return "combo box";
    case view::WidgetKind::CheckBox: return "check box";
    case view::WidgetKind::OptionButton: return "option button";
    case view::WidgetKind::Label: return "label";
    case view::WidgetKind::Image: return "image";
    case view::WidgetKind::CommandButton: return "command button";
    case view::WidgetKind::Frame: return "frame";
    case view::WidgetKind::DatePicker: return "date picker";
    case view::WidgetKind::MenuEntry: return "menu entry";
    case view::WidgetKind::Grid: return "grid";
    }
    return "control";
}

} // namespace zelt::session
