#pragma once

#include "zelt/Error.h"

#include <string>

namespace zelt {

/// A member of the host interface whose behaviour is not built yet. Raised
/// instead of an answer, so that a host never takes an empty result for one.
class NotImplementedError : public Error {
public:
    /// `member` names the member; what() reads "member: not implemented yet".
    explicit NotImplementedError(const std::string& member) : Error(member + ": not implemented yet"), member_(member) {}
    /// The member that is not built.
    const std::string& member() const noexcept { return member_; }

private:
    std::string member_;
};

} // namespace zelt
