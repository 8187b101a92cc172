#pragma once

#include "zelt/text/Date.h"

/// What the control needs from the machine and the outside world: the
/// clock, the event log, HTTP, the AvaTax and freight rate services, and the
/// service activity. Hosts and tests replace them through zelt::Services.
namespace zelt::platform {

/// Where "today" comes from, so that tests can fix the date.
class Clock {
public:
    /// Destroys the clock.
    virtual ~Clock() = default;
    /// Today's date.
    virtual text::Date today() const = 0;
};

/// Today's date on this machine, local time.
class SystemClock : public Clock {
public:
    /// Today's date from the system clock, in local time.
    text::Date today() const override;
};

} // namespace zelt::platform
