#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::platform {

/// An address as the freight rate component takes it.
struct FreightAddress {
    std::string city, country, street1, street2, street3, zip, state;
};

/// One merchandise line of the order.
struct FreightLine {
    std::string model;
    std::int32_t quantity = 0;
    double unitPrice = 0;
    double unitWeight = 0;
    bool carrierIsUps = false; ///< the line's carrier code is 1
    double extendedPrice = 0;
};

/// What the tax command hands the freight rate component.
struct FreightRequest {
    std::string customerCode;
    std::int32_t vendorID = 0;
    std::string customerOrderedDate;
    bool nonCenterDelivery = false;
    double totalWeight = 0;
    FreightAddress origin;
    FreightAddress destination;
    std::vector<FreightLine> lines;
};

/// The freight rate component: the order's freight and home delivery (EHD)
/// fee for a vendor freight method, answered as "freight|EHD fee" with "." as
/// the decimal point; a text shorter than 3 characters means the vendor has no
/// freight rule for the method.
class FreightCalculator {
public:
    virtual ~FreightCalculator() = default;
    virtual std::string calculate(const FreightRequest& request, std::string_view shipState, std::int32_t centerID,
                                  std::string_view shipZip, std::int32_t vendorFreightMethodID) = 0;
};

} // namespace zelt::platform
