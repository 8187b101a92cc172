#pragma once

#include <string>

namespace zelt::platform {

/// The AvaTax adapter's tax service object, as far as the control configures
/// it: the profile's client name, the service address and the account
/// credentials. The calculation operations join it with the tax command.
class AvaTaxService {
public:
    virtual ~AvaTaxService() = default;
    virtual void setProfileClient(const std::string& client) = 0;
    virtual void setUrl(const std::string& url) = 0;
    virtual void setAccount(const std::string& account) = 0;
    virtual void setLicenseKey(const std::string& licenseKey) = 0;
};

} // namespace zelt::platform
