#pragma once

namespace zelt {

/// How one AvaTax result line of a Canadian order was taxed.
struct udtTaxPattern {
    /// The line has a county detail with a positive rate.
    bool CountyFound = false;
    /// The line's last state or county detail has no rate.
    bool Exempted = false;
    /// The line has a state (provincial) detail with a positive rate.
    bool StateFound = false;
};

} // namespace zelt
