#pragma once

#include "zelt/platform/Clock.h"

namespace zelt::platform {

/// Always the same date: for tests and for hosts that replay a day.
class FixedClock : public Clock {
public:
    /// A clock that answers `date`.
    explicit FixedClock(text::Date date) : date_(date) {}
    /// The date set.
    text::Date today() const override { return date_; }
    /// Changes the date it answers.
    void set(text::Date date) { date_ = date; }

private:
    text::Date date_;
};

} // namespace zelt::platform
