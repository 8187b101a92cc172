#pragma once

#include "lineitems/LineDraft.h"

#include <optional>
#include <string>

namespace zelt {

struct ControlContext;

/// Where the focus goes after a failed check.
enum class EntryFocus {
    StatusCombo,
    Description,
    UnitWeight,
    UnitCombo,
    Quantity,
    UnitPrice,
    AckPrice,
    AckNumber,
    AckPicker,
    IssueCombo,
    PriceListPicker,
    CarrierCombo,
};

/// The first check a line failed: its message box and the field to focus.
struct EntryFailure {
    std::string check; // "4", "R1", "A2"...
    std::string title; // empty: the application's default title
    std::string message;
    bool information = true; // an information icon; false: no icon
    EntryFocus focus;
    /// The name of the field in a list of refused pasted rows.
    std::string fieldName;
};

/// The checks of a line being added or updated, in their fixed order, with
/// the reformatting steps between them. Checking reformats the draft (weight,
/// quantity, prices, dates) up to the failing check.
class EntryChecks {
public:
    /// `updatingRow` is the row an update writes to (0 for a new line): a
    /// rewards line being updated is not "another" rewards line.
    EntryChecks(const ControlContext& ctx, int updatingRow) : ctx_(ctx), updatingRow_(updatingRow) {}

    std::optional<EntryFailure> check(LineDraft& draft) const;

    /// The merchandise total of the grid: column 20 of the merchandise lines.
    static double merchandiseTotal(const ControlContext& ctx);

private:
    const ControlContext& ctx_;
    int updatingRow_;
};

} // namespace zelt
