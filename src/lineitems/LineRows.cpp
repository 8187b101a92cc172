#include "lineitems/LineRows.h"

#include "core/ControlContext.h"
#include "core/LineColumns.h"
#include "zelt/text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace zelt {

namespace {
// Length of the leading number as the leading-number reading takes it.
std::size_t leadingLength(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
        if (j > i + 1 || i > digits) i = j;
    }
    return i > digits ? i : 0;
}
} // namespace

int LineRows::lineCount() const { return ctx_.grid().rows() - 1; }

bool LineRows::isPriced(int row) const
{
    auto status = text::tryToNumber(ctx_.grid().text(row, Col::Status), ctx_.locale);
    return status && ctx_.lists.isPricedStatus(*status);
}

bool LineRows::isRowExempt(int row) const
{
    const std::string& tracker = ctx_.form.txtHiddenExemptTracker.text();
    const std::string wanted = std::to_string(row);
    std::size_t start = 0;
    while (start < tracker.size()) {
        std::size_t bar = tracker.find('|', start);
        if (bar == std::string::npos) bar = tracker.size();
        if (std::string_view(tracker).substr(start, bar - start) == wanted) return true;
        start = bar + 1;
    }
    return false;
}

void LineRows::trackExempt(int row, std::string& tracker) const
{
    if (!ctx_.grid().isMarked(row)) return;
    char number[16];
    tracker.append(number, std::to_chars(number, number + sizeof number, row).ptr);
    tracker.push_back('|');
}

void LineRows::setExemptTracker(std::string tracker)
{
    ctx_.state.exemptScratchList = tracker;
    ctx_.form.txtHiddenExemptTracker.setText(std::move(tracker));
}

void LineRows::rebuildExemptTracker()
{
    const view::Grid& grid = ctx_.grid();
    std::string tracker;
    for (int r = grid.nextMarked(1); r < grid.rows(); r = grid.nextMarked(r + 1)) trackExempt(r, tracker);
    setExemptTracker(std::move(tracker));
}

void LineRows::recolour(int row)
{
    const view::Color colour = isPriced(row) ? view::Color::window() : view::Color::buttonFace();
    for (int k : ctx_.state.shadedColumns) ctx_.grid().setBackground(row, k, colour);
}

void LineRows::removeLine(int row, bool remove)
{
    if (!remove) {
        recolour(row);
        return;
    }
    removeLines({row});
}

void LineRows::removeLines(const std::vector<int>& rows)
{
    view::Grid& grid = ctx_.grid();
    view::Form& f = ctx_.form;
    if (rows.empty()) return;
    if (rows.size() == 1) grid.removeRow(rows.front());
    else grid.removeRows(rows);
    // The lines below the first removed one are renumbered, each by the
    // number of lines removed above it: row r (as the rows stand now) loses
    // one for every removed row k with rows[k] - k <= r. The grid writes the
    // new numbers as they are needed, so that a delete near the top of a
    // large order does not wait for every line below it.
    std::vector<int> shifted(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) shifted[k] = rows[k] - static_cast<int>(k);
    grid.rewriteColumnLater(Col::LineItem, rows.front(),
                            [shifted = std::move(shifted)](int r, std::string_view lineItem, std::string& out) {
                                const auto removedAbove = std::upper_bound(shifted.begin(), shifted.end(), r) - shifted.begin();
                                appendRenumbered(lineItem, -static_cast<int>(removedAbove), out);
                            });
    if (lineCount() == 0) {
        f.cmdDelete.setEnabled(false);
        f.cmdDelete.setVisible(false);
        f.cmdEdit.setEnabled(false);
    }
    grid.setHighlightStyle(0);
    rebuildExemptTracker();
}

std::string LineRows::renumbered(std::string_view lineItem, int delta)
{
    std::string out;
    appendRenumbered(lineItem, delta, out);
    return out;
}

void LineRows::appendRenumbered(std::string_view lineItem, int delta, std::string& out)
{
    // Whole line numbers ("57", "12N", "3U") in integers: the digits, then
    // anything but a decimal point or an exponent.
    std::size_t digits = 0;
    while (digits < lineItem.size() && lineItem[digits] >= '0' && lineItem[digits] <= '9') ++digits;
    if (digits > 0 && digits <= 15 &&
        (digits == lineItem.size() || (lineItem[digits] != '.' && lineItem[digits] != 'e' && lineItem[digits] != 'E'))) {
        long long number = 0;
        std::from_chars(lineItem.data(), lineItem.data() + digits, number);
        char text[24];
        out.append(text, std::to_chars(text, text + sizeof text, number + delta).ptr);
        out.append(lineItem.substr(digits));
        return;
    }
    const std::size_t n = leadingLength(lineItem);
    const double number = text::leadingNumber(lineItem) + delta;
    // Line numbers are whole numbers: written directly, without the general form's work.
    const bool whole = number == static_cast<double>(static_cast<long long>(number)) && number > -1e15 && number < 1e15;
    out.append(whole ? std::to_string(static_cast<long long>(number)) : text::formatGeneral(number, text::Locale::enUS()));
    out.append(lineItem.substr(n));
}

bool LineRows::isPlainNumber(std::string_view lineItem)
{
    return !lineItem.empty() && text::formatGeneral(text::leadingNumber(lineItem), text::Locale::enUS()) == lineItem;
}

int LineRows::nextLineNumber(int row) const
{
    if (row <= 1) return 1;
    return static_cast<int>(text::leadingNumber(ctx_.grid().text(row - 1, Col::LineItem))) + 1;
}

} // namespace zelt
