#pragma once

#include "zelt/InputError.h"
#include "zelt/text/Currency.h"
#include "zelt/text/Locale.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelt {

/// Host text shown in an error message: in quotes, clipped to 40 characters
/// (an ellipsis shows the cut) and with control characters written as escapes
/// ("\n", "\x00"), so that a message never carries a whole order or a NUL.
std::string quoteInput(std::string_view value);

/// The amounts the control keeps: the currency range.
using text::isAmountInRange;
using text::kMaxAmount;
/// True for a number that rounds (halves to even) to a 32-bit integer: a
/// line's quantity goes to the freight component so, a DirectionOrder is
/// read so.
inline bool isInt32InRange(double value) noexcept { return value >= -2147483648.5 && value < 2147483647.5; }

/// Reads the fields of one host argument ("readData", "ptFees") as the
/// control needs them, raising an InputError that names the argument, the
/// record (from 1) and the field (from 0) when a field cannot be used.
class HostInput {
public:
    HostInput(std::string member, const text::Locale& locale) : member_(std::move(member)), locale_(locale) {}

    const std::string& member() const noexcept { return member_; }

    [[noreturn]] void fail(std::optional<int> record, std::optional<int> field, std::string reason) const;

    /// A number: anything the locale-aware conversion does not read is refused.
    double number(std::string_view value, std::optional<int> record, std::optional<int> field,
                  std::string_view what) const;
    /// A number inside the currency range.
    double amount(std::string_view value, std::optional<int> record, std::optional<int> field,
                  std::string_view what) const;
    /// A computed amount (a product, a quotient) that must stay inside the
    /// currency range; `what` names what was computed.
    double inRange(double value, std::optional<int> record, std::optional<int> field, std::string_view what) const;
    /// A text copied as it stands: refused only when it is a number beyond the
    /// currency range, which the totals could never add up.
    void copiedAmount(std::string_view value, std::optional<int> record, std::optional<int> field,
                      std::string_view what) const;
    /// "True"/"False" in any case, or a number (non-zero is set).
    bool flag(std::string_view value, std::optional<int> record, std::optional<int> field) const;

private:
    std::string member_;
    const text::Locale& locale_;
};

} // namespace zelt
