#pragma once

namespace zelt {

/// How one AvaTax result line of a Canadian order was taxed.
struct udtTaxPattern {
    bool CountyFound = false;
    bool Exempted = false;
    bool StateFound = false;
};

} // namespace zelt
