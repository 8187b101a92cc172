#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelt {

struct ControlContext;
class LineEntry;

/// Lines pasted from a spreadsheet: tab-separated rows of description,
/// model, quantity, unit and unit price (required by the checks), unit
/// weight, carrier, acknowledgement price and number (which may be left
/// out), with an optional header row whose first cell reads "Description".
/// Every row goes through the checks of the add button; the valid rows are
/// added as one step. Lines copied out take the same form, header row first.
class LinePaste {
public:
    LinePaste(ControlContext& ctx, LineEntry& entry) : ctx_(ctx), entry_(entry) {}

    /// Returns the number of lines added. With refused rows the clerk sees
    /// them all (row, field, message) and is asked whether to add the valid
    /// ones; No adds nothing. Nothing happens while a line is open or where
    /// the mode adds no lines.
    int paste(std::string_view rows);
    /// The lines at `rows` as rows that paste back: the header row, then one
    /// row a line, each ended by a line break. Tabs and line breaks inside a
    /// cell become blanks.
    std::string copy(const std::vector<int>& rows) const;

private:
    ControlContext& ctx_;
    LineEntry& entry_;
};

} // namespace zelt
