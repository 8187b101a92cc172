#pragma once

namespace zelt {

struct ControlContext;
class ComboContent;
class EntryArea;
class LineHistory;
class LineRows;
class TotalsRecalculation;

/// The parts of the control the line commands work with: the context, the
/// entry area, the combo filler, the totals, the shared row routines and the
/// undo history.
struct LineParts {
    ControlContext& ctx;
    EntryArea& entryArea;
    ComboContent& combos;
    TotalsRecalculation& totals;
    LineRows& rows;
    LineHistory& history;
};

} // namespace zelt
