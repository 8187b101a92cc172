#pragma once

#include "zelt/text/Date.h"

#include <optional>
#include <string>

namespace zelt {

struct ControlContext;

/// One line as the clerk entered it, before it is checked and written: the
/// texts of the entry fields, what the combos, boxes and pickers hold. Built
/// from the entry area, or from a row pasted from a spreadsheet.
struct LineDraft {
    std::string status; // the status combo's text
    bool statusSelected = false;
    std::string description;
    std::string model;
    std::string quantity;
    std::string unitPrice;
    std::string unit; // the unit combo's text
    bool unitSelected = false;
    std::string priceListDate;
    /// The price list picker, when it is shown; its date refreshes the text.
    std::optional<std::optional<text::Date>> priceListPicker;
    std::string unitWeight;
    std::string carrier; // the carrier combo's text
    bool carrierSelected = false;
    std::string pattern;
    std::string color;
    std::string finish;
    std::string ackPrice;
    std::string ackNumber;
    std::string ackDate;
    /// The acknowledgement picker, when it is shown.
    std::optional<std::optional<text::Date>> ackPicker;
    bool direction = false;
    bool issueSelected = false;
    std::string issue;
    bool usaPrices = true;
    bool exempt = false;

    /// What the entry area holds now.
    static LineDraft fromEntryArea(const ControlContext& ctx);
    /// Writes the fields that checking may reformat (weight, quantity, prices,
    /// dates) back to the entry area.
    void writeReformattedFields(ControlContext& ctx) const;

    bool isRewards() const { return status == "Rewards"; }
};

} // namespace zelt
