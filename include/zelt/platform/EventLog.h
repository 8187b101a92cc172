#pragma once

#include <string_view>

namespace zelt::platform {

/// The application event log: an append-only log of text entries.
class EventLog {
public:
    /// Destroys the log.
    virtual ~EventLog() = default;
    /// Appends one entry (which may span several lines). May throw when the log
    /// cannot be written; the control keeps a failed web exchange's record even
    /// then.
    virtual void write(std::string_view entry) = 0;
};

} // namespace zelt::platform
