#pragma once

#include <string_view>

namespace zelt {

struct ControlContext;
class LineEntry;

/// Lines pasted from a spreadsheet: tab-separated rows of description,
/// model, quantity, unit, unit price, unit weight, carrier, acknowledgement
/// price and acknowledgement number (the last five may be left out), with an
/// optional header row whose first cell reads "Description". Every row goes through the checks of the add button; the
/// valid rows are added as one step.
class LinePaste {
public:
    LinePaste(ControlContext& ctx, LineEntry& entry) : ctx_(ctx), entry_(entry) {}

    /// Returns the number of lines added. With refused rows the clerk sees
    /// them all (row, field, message) and is asked whether to add the valid
    /// ones; No adds nothing. Nothing happens while a line is open or where
    /// the mode adds no lines.
    int paste(std::string_view rows);

private:
    ControlContext& ctx_;
    LineEntry& entry_;
};

} // namespace zelt
