#pragma once

#include "support/OrderFixture.h"

#include <string>
#include <vector>

namespace zelt::testing {

/// An order in Update Mode with three loaded lines ("1", "2", "3", each 3 x
/// 2.50 = 7.50, carrier FedEx) and helpers to enter a line as the clerk does.
class LineEditing : public OrderFixture {
protected:
    LineEditing();

    view::TextBox& field(int index) { return form().txtField[index]; }
    view::ComboBox& combo(int index) { return form().cboFld[index]; }
    /// Clicks "Add" and fills a line that passes every check.
    void openValidLine(const std::string& description = "Filing cabinet");
    /// Clicks the add button in its current caption.
    void clickAdd() { form().cmdAdd.userClick(); }
    /// Selects a line as a grid click does.
    void selectRow(int row) { grid().userClick(row, 8); }
    /// The last message box shown, or an empty request.
    view::MessageBoxRequest lastBox() const;
    std::vector<std::string> column(int col);
};

} // namespace zelt::testing
