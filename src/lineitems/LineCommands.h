#pragma once

#include "lineitems/LineParts.h"

#include "zelt/view/Label.h"

namespace zelt {

/// What the clerk does to existing lines: selecting one in the grid, editing,
/// deleting and cancelling it, copying it through the pop-up menu; and the
/// line buttons each mode offers.
class LineCommands : private LinePartsUser {
public:
    explicit LineCommands(const LineParts& parts) : LinePartsUser(parts) {}

    void bind();
    /// A new order: the line buttons for the mode, no history, no copied
    /// line, no pending click, and the entry no longer frozen by a line cancel
    /// of an earlier order.
    void startNewOrder();

    /// Copies the current line into the entry fields and offers its commands.
    void gridClick();
    void gridMouseDown(view::MouseButton button);
    void gridMouseUp(view::MouseButton button);
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdLineItemCan_Click();
    void mnuCopyMenu_Click(int index);

    /// Takes back or does again the last line command; the totals and the
    /// exempt tracker follow. Only while no line is open.
    bool undo();
    bool redo();

private:
    void setButtonsForMode();
    void copyLineIntoEntry(int row);
    void setPickersFromTexts();
    void afterHistoryStep();
    void setMenu(const char* first, const char* second, bool secondEnabled);
};

} // namespace zelt
