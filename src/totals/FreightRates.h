#pragma once

#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;

/// The vendor's freight rates by weight: loaded by the host, read back, and
/// turned into the freight fee when the vendor's rules compute it.
class FreightRates {
public:
    explicit FreightRates(ControlContext& ctx) : ctx_(ctx) {}

    /// Reads the whole input first: a missing record or field, a rate that is
    /// not a number or beyond the currency range, a surcharge record without
    /// its value raise an InputError (argument, record, field, why) and
    /// nothing changes. Then stores the rates and, when the freight is not
    /// overridden, surcharges were given and the vendor computes freight from
    /// rates, sets the freight to the total weight times its bracket's rate.
    void LetFreightInfo(std::string_view ptFreightRates, std::string_view ptSurcharges);
    /// The four rates "0.0000" and a fixed "0.00", each followed by the field separator.
    std::string GetFreightInfo() const;

private:
    ControlContext& ctx_;
};

} // namespace zelt
