#include "lineitems/LineLoader.h"

#include "core/Field.h"
#include "core/ControlContext.h"
#include "lineitems/EntryArea.h"
#include "lineitems/LineCommands.h"
#include "lineitems/LineStaging.h"
#include "core/LineColumns.h"
#include "core/HostInput.h"
#include "zelt/InputError.h"
#include "zelt/text/Date.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <cstring>

namespace zelt {

void LineLoader::setUpGrid()
{
    view::Grid& grid = ctx_.grid();
    // Dropping the old lines before clearing is the same result as clearing
    // first, without touching every old cell.
    grid.setRows(1);
    grid.clear();
    grid.setHighlightStyle(0);
    grid.setCols(Col::kCount);
    const double w = grid.width();
    for (const ColumnFact& column : kColumns) {
        double width = (column.share1 > 0 ? w / column.share1 : 0) + (column.share2 > 0 ? w / column.share2 : 0);
        grid.setColumnWidth(column.col, static_cast<int>(std::lround(width)));
    }
}

void LineLoader::load(std::string_view text)
{
    LineStaging::Staged staged = LineStaging(ctx_).stage(text); // may throw: nothing has changed yet

    view::Form& f = ctx_.form;
    view::Grid& grid = ctx_.grid();
    // A clerk who was typing in a line goes on from the lines: the entry
    // area closes and its fields lock.
    const bool focusInEntry = f.focusedWidget() && f.focusedWidget()->group() == "LineEntry";
    entryArea_.reset(false);
    commands_.startNewOrder();
    const int lines = staged.lines;
    {
        view::Grid::ResetScope reset(grid);
        setUpGrid();
        grid.swapCells(staged.cells, std::move(staged.kept), ctx_.locale);
        grid.keepMarks(staged.exempt, 1); // the Exempt cells hold the mark exactly on these lines
        staged.cells = view::CellStore(); // the old lines go now, before the rest is set up

        // The exempt tracker and the scratch list it is copied from both list
        // exactly the exempt rows of this order.
        std::string tracker;
        for (int r = 1; r <= lines; ++r)
            if (staged.exempt[static_cast<std::size_t>(r - 1)]) tracker += std::to_string(r) + "|";
        ctx_.state.exemptScratchList = tracker;
        f.txtHiddenExemptTracker.setText(std::move(tracker));

        // Every line is formatted as the first priced one or the first
        // shaded one: those two are formatted cell by cell, the rest copied.
        int plainRow = 0, shadedRow = 0;
        int currentRow = lines, currentCol = Col::ModelNo;
        const bool shading = ctx_.state.mode != Mode::AddMode;
        for (int r = 1; r <= lines; ++r) {
            const bool shaded = shading && !staged.priced[static_cast<std::size_t>(r - 1)];
            int& model = shaded ? shadedRow : plainRow;
            if (model > 0) {
                grid.copyRowFormats(model, r);
            } else {
                grid.setAlignment(r, Col::Description, view::Grid::Alignment::LeftTop);
                grid.setAlignment(r, Col::ModelNo, view::Grid::Alignment::LeftTop);
                if (shaded)
                    for (int k : ctx_.state.shadedColumns) grid.setBackground(r, k, view::Color::buttonFace());
                model = r;
            }
            if (shaded) {
                currentRow = r;
                currentCol = ctx_.state.shadedColumns.back();
            }
        }
        if (lines > 0) grid.setCurrentCell(currentRow, currentCol);
    }
    grid.setEnabled(true);
    if (focusInEntry && grid.visible()) grid.setFocus();

    switch (ctx_.state.mode) {
    case Mode::AddMode:
        for (int i = 0; i <= 6; ++i) f.txtFee[i].setText(ctx_.fixed(0, 2));
        for (int i = 12; i <= 16; ++i) f.txtFieldTax[i].setText(ctx_.fixed(0, 2));
        for (int i : {17, 18, 19}) f.txtField[i].setText(ctx_.fixed(0, 2));
        break;
    case Mode::UpdateMode:
    case Mode::LineCancelMode:
        recalculateTotals_();
        break;
    case Mode::ViewMode:
        if (staged.viewWeight) f.txtField[Field::TotalWeight].setText(ctx_.fixed(*staged.viewWeight, 3));
        break;
    }
}

} // namespace zelt
