#pragma once

#include "zelt/text/Date.h"

namespace zelt::platform {

/// Where "today" comes from, so that tests can fix the date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual text::Date today() const = 0;
};

/// Today's date on this machine, local time.
class SystemClock : public Clock {
public:
    text::Date today() const override;
};

/// Always the same date.
class FixedClock : public Clock {
public:
    explicit FixedClock(text::Date date) : date_(date) {}
    text::Date today() const override { return date_; }
    void set(text::Date date) { date_ = date; }

private:
    text::Date date_;
};

} // namespace zelt::platform
