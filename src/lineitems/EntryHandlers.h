#pragma once

#include <functional>

namespace zelt {

struct ControlContext;
class LineHistory;
class LineRows;

/// The small handlers behind the entry area: dirty marking, formatting on
/// leaving a field, the acknowledgement quick fill, the Direction box and its
/// issue combo, the exempt box with its confirmation, and the carrier link.
class EntryHandlers {
public:
    EntryHandlers(ControlContext& ctx, LineRows& rows, LineHistory& history, std::function<void()> taxCommand)
        : ctx_(ctx), rows_(rows), history_(history), taxCommand_(std::move(taxCommand))
    {
    }

    void bind();

    void txtField_KeyPress(int index, int& key);
    void txtField_GotFocus(int index);
    void txtField_LostFocus(int index);
    void txtField_DblClick(int index);
    void cboFld_Change();
    void cboFld_Click(int index);
    void chkDirection_Click();
    void chkExempt_Click();
    void lblCarrier_Click();

private:
    ControlContext& ctx_;
    LineRows& rows_;
    LineHistory& history_;
    std::function<void()> taxCommand_;
};

} // namespace zelt
