#pragma once

#include "zelt/text/Date.h"
#include "zelt/view/Widget.h"

#include <optional>
#include <string>

namespace zelt::view {

/// A date picker: a date or none, shown in a custom display format. A change
/// of value fires Change.
class DatePicker : public Widget {
public:
    DatePicker(std::string name, int index = -1) : Widget(WidgetKind::DatePicker, std::move(name), index) {}

    const std::optional<text::Date>& value() const noexcept { return value_; }
    void setValue(std::optional<text::Date> value);
    const std::string& customFormat() const noexcept { return customFormat_; }
    void setCustomFormat(std::string format);

    void userPick(std::optional<text::Date> value);

    std::function<void()> Change;

private:
    std::optional<text::Date> value_;
    std::string customFormat_;
};

} // namespace zelt::view
