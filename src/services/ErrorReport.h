#pragma once

#include "zelt/control/ErrorRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

/// The application event log entry of a host's failure: the fixed layout
/// ErrorHandlerCenter writes.
std::string errorLogEntry(const ErrorRecord& err, std::string_view procedureName, std::string_view additionalInfo,
                          std::int32_t employeeID, std::int16_t securityType, std::int32_t centerID);

} // namespace zelt
