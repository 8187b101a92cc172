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

/// What a line command holds of the parts: one reference to each.
class LinePartsUser {
protected:
    explicit LinePartsUser(const LineParts& parts)
        : ctx_(parts.ctx), entryArea_(parts.entryArea), combos_(parts.combos), totals_(parts.totals),
          rows_(parts.rows), history_(parts.history)
    {
    }

    ControlContext& ctx_;
    EntryArea& entryArea_;
    ComboContent& combos_;
    TotalsRecalculation& totals_;
    LineRows& rows_;
    LineHistory& history_;
};

} // namespace zelt
