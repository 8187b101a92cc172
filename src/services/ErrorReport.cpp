#include "services/ErrorReport.h"

namespace zelt {

std::string errorLogEntry(const ErrorRecord& err, std::string_view procedureName, std::string_view additionalInfo,
                          std::int32_t employeeID, std::int16_t securityType, std::int32_t centerID)
{
    constexpr std::string_view crlf = "\r\n";
    std::string entry;
    entry.append(crlf).append(crlf);
    entry += "EmployeeID = " + std::to_string(employeeID);
    entry += ", SecurityType = " + std::to_string(securityType);
    entry += ",CenterID = " + std::to_string(centerID);
    entry.append(crlf);
    entry += "Error Number - " + std::to_string(err.Number());
    entry.append(crlf);
    entry += "Error Description - " + err.Description();
    entry.append(crlf);
    entry += "Error Source - " + err.Source();
    entry.append(procedureName).append(crlf);
    entry += "Additional Error Info - ";
    entry.append(additionalInfo);
    return entry;
}

} // namespace zelt
