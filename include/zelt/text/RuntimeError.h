#pragma once

#include "zelt/Error.h"

#include <string>

namespace zelt::text {

/// A run-time failure of a conversion or a computation: the failure number
/// and description the procedures trap ("Type mismatch" 13, "Overflow" 6...).
/// Procedures that trap end at the failing step; the others pass it on.
class RuntimeError : public Error {
public:
    /// A failure of this number; what() is the description.
    RuntimeError(int number, std::string description);

    /// The failure number (13 for a type mismatch).
    int number() const noexcept { return number_; }
    /// The failure's description ("Type mismatch").
    const std::string& description() const noexcept { return description_; }

    /// Number 5, "Invalid procedure call or argument".
    static RuntimeError invalidProcedureCall();
    /// Number 6, "Overflow".
    static RuntimeError overflow();
    /// Number 9, "Subscript out of range".
    static RuntimeError subscriptOutOfRange();
    /// Number 11, "Division by zero".
    static RuntimeError divisionByZero();
    /// Number 13, "Type mismatch".
    static RuntimeError typeMismatch();
    /// Number 94, "Invalid use of Null".
    static RuntimeError invalidUseOfNull();

private:
    int number_;
    std::string description_;
};

} // namespace zelt::text
