#pragma once

#include "lineitems/LineParts.h"

#include "lineitems/EntryChecks.h"
#include "lineitems/LineDraft.h"
#include "zelt/text/NumberText.h"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zelt {

/// The add button: "Add" opens a new line, "Add to Grid" and "Update" check
/// the entry and write the line.
class LineEntry : private LinePartsUser {
public:
    explicit LineEntry(const LineParts& parts) : LinePartsUser(parts) {}

    void bind();
    void cmdAdd_Click();

    /// The draft a new line starts from: the defaults that opening a line
    /// gives (first status and unit, the last line's carrier and price list
    /// date), for rows that do not come through the entry area.
    LineDraft newLineDefaults() const;
    /// Checks a draft as the add button does, without showing anything.
    std::optional<EntryFailure> check(LineDraft& draft, bool updating) const;
    /// Writes drafts that passed their checks as new lines, as one step, then
    /// runs the rewards adjustment and the totals once. Returns a failure for
    /// the first draft that cannot be written; nothing is written then.
    std::optional<EntryFailure> addLines(const std::vector<LineDraft>& drafts, const std::string& stepName);

    /// Puts the focus where a failed check says.
    void focus(EntryFocus where);

private:
    /// The cells a checked line writes, computed before anything is written.
    struct StagedLine {
        std::array<std::optional<std::string>, 22> cells;
        bool exemptRuleAllows = true;
    };

    void openNewLine();
    void checkAndWrite(bool adding);
    std::variant<StagedLine, EntryFailure> stage(const LineDraft& d, bool adding, int row) const;
    /// The price cells in the order's currency: the unit price (its fixed
    /// form also in `price`) and, where the order takes acknowledgements, the
    /// acknowledgement price. A conversion that fails is the entry's refusal.
    std::optional<EntryFailure> stagePrices(const LineDraft& d, StagedLine& out, text::FixedText& price) const;
    /// Writes the cells; `rebuildTracker` off leaves the exempt tracker to a
    /// caller that writes many lines and rebuilds it once.
    int write(const StagedLine& staged, bool adding, bool rebuildTracker = true);
    void adjustRewards();
    void show(const EntryFailure& failure);
};

} // namespace zelt
