#pragma once

#include <cstdint>

namespace zelt {

/// The control's events to its host. The host implements the ones it needs;
/// each runs synchronously inside the procedure that raises it. Each argument
/// is passed by reference as the host interface defines it, but the control
/// never reads back what the host writes into it.
class OrderedItemsEvents {
public:
    virtual ~OrderedItemsEvents() = default;
    /// The clerk asked for the details of carrier CarrID.
    virtual void GetCarrierID(std::int32_t& CarrID) { (void)CarrID; }
    /// The order total (the total deposit) changed.
    virtual void GetTotalAmount(double& TotalAmount) { (void)TotalAmount; }
    /// Delivery changed to club delivery.
    virtual void ChangeToClubDelivery(std::int16_t& DeliveryTypeID) { (void)DeliveryTypeID; }
    /// Delivery changed to home delivery.
    virtual void ChangeToHomeDelivery(std::int16_t& DeliveryTypeID) { (void)DeliveryTypeID; }
};

} // namespace zelt
