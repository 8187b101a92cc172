#pragma once

#include <stdexcept>
#include <string>

/// The ZeltOrderedItems library: the OrderedItems control, its services and
/// its errors.
namespace zelt {

/// Base of every error the control raises to its host. A host that wants one
/// catch for the whole library catches `zelt::Error`.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace zelt
