#pragma once

#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;

/// The vendor's delivery options in cboFreightOptions, the club or home
/// delivery they mean, and the host settings that choose or lock one.
class DeliveryOptions {
public:
    explicit DeliveryOptions(ControlContext& ctx) : ctx_(ctx) {}

    void bind();

    /// Reads the whole freight rules page first; a page it cannot read shows
    /// "SetFreightOptions from Morrow Method ..." and leaves the options as
    /// they were. Otherwise replaces the options and selects the first.
    void SetFreightOptionsFromMorrow(std::string_view xmlValue);
    /// Stores the method and selects its option; the choice is then fixed.
    /// Stores the method and selects the option whose item data, written in
    /// decimal, equals the text the host gave, upper-cased.
    void setVendorFreightMethodID(std::int32_t id, std::string_view given);
    void setTransshipOrder(bool value);
    void setThirdPartyDelivery(bool value);
    void UpdateFreightComboBox(bool homeDelivery);

    void cboFreightOptions_Click();
    void cboFreightOptions_Change();

    static constexpr std::string_view kClubOption = "Delivery To Club/Third Party Installer/Forwarder";

private:
    void setHomeDeliveryOpen(bool open);

    ControlContext& ctx_;
};

} // namespace zelt
