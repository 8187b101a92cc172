#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::platform {

/// An address as the freight rate component takes it.
struct FreightAddress {
    ///@{
    /// The address fields as the host set them.
    std::string city, country, street1, street2, street3, zip, state;
    ///@}
};

/// One merchandise line of the order.
struct FreightLine {
    /// The model number.
    std::string model;
    /// The quantity ordered.
    std::int32_t quantity = 0;
    /// The unit price.
    double unitPrice = 0;
    /// The weight of one unit, in pounds.
    double unitWeight = 0;
    bool carrierIsUps = false; ///< the line's carrier code is 1
    /// The line's extended price.
    double extendedPrice = 0;
};

/// What the tax command hands the freight rate component.
struct FreightRequest {
    /// The customer code (setCustomerCode).
    std::string customerCode;
    /// The vendor (setVendorID).
    std::int32_t vendorID = 0;
    /// The order date as the host set it.
    std::string customerOrderedDate;
    /// True for a delivery that does not go through the centre.
    bool nonCenterDelivery = false;
    /// The order's total weight, in pounds.
    double totalWeight = 0;
    /// The ship-from address.
    FreightAddress origin;
    /// The ship-to address.
    FreightAddress destination;
    /// The merchandise lines.
    std::vector<FreightLine> lines;
};

/// The freight rate component: the order's freight and home delivery (EHD)
/// fee for a vendor freight method, answered as "freight|EHD fee" with "." as
/// the decimal point; a text shorter than 3 characters means the vendor has no
/// freight rule for the method.
class FreightCalculator {
public:
    /// Destroys the component.
    virtual ~FreightCalculator() = default;
    /// The freight and EHD fee of the order for the vendor freight method, as
    /// "freight|EHD fee"; shorter than 3 characters when there is no rule.
    virtual std::string calculate(const FreightRequest& request, std::string_view shipState, std::int32_t centerID,
                                  std::string_view shipZip, std::int32_t vendorFreightMethodID) = 0;
};

} // namespace zelt::platform
