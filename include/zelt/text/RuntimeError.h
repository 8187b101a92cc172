#pragma once

#include "zelt/Error.h"

#include <string>

namespace zelt::text {

/// A run-time failure of a conversion or a computation: the failure number
/// and description the procedures trap ("Type mismatch" 13, "Overflow" 6...).
/// Procedures that trap end at the failing step; the others pass it on.
class RuntimeError : public Error {
public:
    RuntimeError(int number, std::string description);

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

    static RuntimeError invalidProcedureCall();
    static RuntimeError overflow();
    static RuntimeError subscriptOutOfRange();
    static RuntimeError divisionByZero();
    static RuntimeError typeMismatch();
    static RuntimeError invalidUseOfNull();

private:
    int number_;
    std::string description_;
};

} // namespace zelt::text
