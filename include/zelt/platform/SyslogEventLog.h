#pragma once

#include "zelt/platform/EventLog.h"

#include <string>

namespace zelt::platform {

/// The system log (syslog(3)) as the application event log. A multi-line
/// entry goes as one message; the identity names the program in the log.
class SyslogEventLog : public EventLog {
public:
    /// A log that names the program `identity` in the system log.
    explicit SyslogEventLog(std::string identity = "ZeltOrderedItems");
    /// Sends the entry to the system log.
    void write(std::string_view entry) override;

private:
    std::string identity_;
};

} // namespace zelt::platform
