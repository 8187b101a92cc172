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
    /// A picker without date.
    DatePicker(std::string name, int index = -1) : Widget(WidgetKind::DatePicker, std::move(name), index) {}

    /// The date, or none.
    const std::optional<text::Date>& value() const noexcept { return value_; }
    /// Sets the date; fires Change when it changes.
    void setValue(std::optional<text::Date> value);
    /// The display format ("MMM dd, yyyy").
    const std::string& customFormat() const noexcept { return customFormat_; }
    /// Sets the display format.
    void setCustomFormat(std::string format);

    /// The user picks a date (ignored on a picker the user cannot reach).
    void userPick(std::optional<text::Date> value);

    /// Fired when the date changes.
    std::function<void()> Change;

private:
    std::optional<text::Date> value_;
    std::string customFormat_;
};

} // namespace zelt::view
