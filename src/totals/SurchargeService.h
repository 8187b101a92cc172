#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;
class SoapClient;

/// The carrier surcharge web service: asks for a carrier's surcharge
/// percentage at a date and adds the surcharge to the freight.
class SurchargeService {
public:
    SurchargeService(ControlContext& ctx, SoapClient& soap) : ctx_(ctx), soap_(soap) {}

    /// The service namespace; the request and response elements use it.
    static constexpr std::string_view kNamespace = "http://tempuri.org/SurchargeInformation/";

    void PutServerName(std::string_view serverName);
    void GetSurCharges(std::int16_t carrierID, std::string_view effectiveDate);

    /// The request envelope, the values escaped as XML text.
    static std::string envelope(std::int16_t carrierID, std::string_view effectiveDate);
    /// The answer without the response and result wrapping.
    static std::string withoutResponseTags(std::string_view answer);
    /// The surcharge percentage of the data set: the last row's, 0 without one.
    /// A row value that is not a number is a type mismatch.
    double percentage(std::string_view dataDocument) const;

private:
    ControlContext& ctx_;
    SoapClient& soap_;
};

} // namespace zelt
