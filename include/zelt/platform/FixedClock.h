#pragma once

#include "zelt/platform/Clock.h"

namespace zelt::platform {

/// Always the same date: for tests and for hosts that replay a day.
class FixedClock : public Clock {
public:
    explicit FixedClock(text::Date date) : date_(date) {}
    text::Date today() const override { return date_; }
    void set(text::Date date) { date_ = date; }

private:
    text::Date date_;
};

} // namespace zelt::platform
