#include "zelt/platform/SyslogEventLog.h"

#include <syslog.h>

namespace zelt::platform {

SyslogEventLog::SyslogEventLog(std::string identity) : identity_(std::move(identity)) {}

void SyslogEventLog::write(std::string_view entry)
{
    // openlog keeps the pointer: identity_ lives as long as this log.
    openlog(identity_.c_str(), LOG_PID, LOG_USER);
    syslog(LOG_ERR, "%.*s", static_cast<int>(entry.size()), entry.data());
    closelog();
}

} // namespace zelt::platform
