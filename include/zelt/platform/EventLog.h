#pragma once

#include <string_view>

namespace zelt::platform {

/// The application event log: an append-only log of text entries.
class EventLog {
public:
    virtual ~EventLog() = default;
    virtual void write(std::string_view entry) = 0;
};

} // namespace zelt::platform
