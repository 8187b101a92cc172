#pragma once

#include <optional>
#include <string>

namespace zelt {

struct ControlContext;

/// The tax command's freight step: hands the order to the freight rate
/// component and writes the freight and home delivery fees it answers.
class VendorFreight {
public:
    explicit VendorFreight(ControlContext& ctx) : ctx_(ctx) {}

    /// Asks the component; writes the fees that are not overridden (the
    /// freight stays 0.00 for a factory pickup), or tells the clerk that the
    /// vendor has no freight rule. Returns why the step could not run (no
    /// delivery option chosen, an answer that does not read) without having
    /// written anything; nothing when it ran.
    std::optional<std::string> CalculateVendorFreight();

private:
    ControlContext& ctx_;
};

} // namespace zelt
