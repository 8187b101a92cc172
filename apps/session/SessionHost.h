#pragma once

#include "KeptFees.h"
#include "SampleOrder.h"
#include "SessionMessageBoxes.h"
#include "StandInServices.h"

#include <zelt/OrderedItems.h>
#include <zelt/platform/FixedClock.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace zelt::session {

/// The host of a scripted session: one control with no window, hosted as the
/// demo window hosts its own. It loads the sample order with the same
/// stand-in services, switches modes the same way, hands the shown taxes back
/// whenever the control reports a new total, and prints every event.
class SessionHost : public OrderedItemsEvents, public HostSite {
public:
    explicit SessionHost(std::ostream& out);
    ~SessionHost() override;
    SessionHost(const SessionHost&) = delete;
    SessionHost& operator=(const SessionHost&) = delete;

    OrderedItems& control() { return *control_; }
    SessionMessageBoxes& messageBoxes() { return *boxes_; }
    /// The control's date from now on. Before the first load the control is
    /// made afresh, so that the dates it sets when it is made are that day's.
    void setToday(text::Date date);
    /// Opens the sample order afresh in `mode`.
    void loadSample(Mode mode);
    /// Opens the order as it stands in `mode`: its lines, fees and freight go
    /// out and load again. An open line is let go first (the control asks
    /// when it holds typing); a line kept open keeps the mode.
    void switchMode(Mode mode);

    /// readData, ExemptItems and GetSalesTaxesNFees, one a line, as the demo's
    /// Export writes them (a read-back the control refuses says why).
    static std::string exportText(OrderedItems& control);

    // OrderedItemsEvents
    void GetCarrierID(std::int32_t& CarrID) override;
    void GetTotalAmount(double& TotalAmount) override;
    void ChangeToClubDelivery(std::int16_t& DeliveryTypeID) override;
    void ChangeToHomeDelivery(std::int16_t& DeliveryTypeID) override;
    // HostSite
    void PropertyChanged(std::string_view propertyName) override;

private:
    std::ostream& out_;
    demo::SampleOrder order_ = demo::SampleOrder::embedded();
    std::shared_ptr<SessionMessageBoxes> boxes_;
    std::shared_ptr<platform::FixedClock> clock_;
    /// Started by the first load.
    std::unique_ptr<StandInServices> standIns_;
    std::unique_ptr<OrderedItems> control_;
    /// Makes the control, with the services above.
    void makeControl();
    bool loaded_ = false;
    /// The order's fee records, kept while Add Mode (which shows none) is on.
    demo::KeptFees keptFees_;
};

} // namespace zelt::session
