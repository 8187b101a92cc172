#pragma once

#include "zelt/Error.h"

#include <optional>
#include <string>

namespace zelt {

/// Bad input handed to the control by its host (a malformed exchange string,
/// a box that does not hold a number where the host asks for one). Raised
/// before anything changes: the control keeps its previous state.
class InputError : public Error {
public:
    /// `member` names the public member or argument ("readData", "ptFees");
    /// `record` and `field` count from 1 and 0 as the exchange formats do
    /// (record 1 is the first record, field 0 the first field).
    InputError(std::string member, std::optional<int> record, std::optional<int> field,
               std::string reason);

    /// The public member or argument that was refused.
    const std::string& member() const noexcept { return member_; }
    /// The record (from 1), when the input is a list of records.
    std::optional<int> record() const noexcept { return record_; }
    /// The field (from 0), when one field is at fault.
    std::optional<int> field() const noexcept { return field_; }
    /// Why the input was refused.
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string member_;
    std::optional<int> record_;
    std::optional<int> field_;
    std::string reason_;
};

} // namespace zelt
