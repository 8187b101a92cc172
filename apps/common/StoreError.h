#pragma once

#include <stdexcept>

namespace zelt::demo {

/// A failure of the order store, with what the store was doing and why
/// ("cannot open the order store /x/orders.sqlite: unable to open database
/// file"). Nothing stored is lost when it is raised: a write that fails is
/// rolled back whole.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace zelt::demo
