// A column rewrite that the grid writes as rows are needed must read, undo
// and redo exactly as one written at once. A plain table of strings applies
// every change at once beside the grid; random steps (rewrites, reads, writes,
// row changes, slices of settling, recorded steps undone and redone in any
// order) are applied to both, and the grid's cells must always be the table's.
#include "zelt/view/Grid.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace zelt;
using view::Grid;

namespace {

constexpr int kCols = 4;
constexpr int kRewritten = 1; // the column the rewrites go to, as the line numbers do

using Table = std::vector<std::vector<std::string>>;

/// A renumbering-like rewrite: the number part shifts by a row-dependent
/// amount and the tail is kept, so a length can change ("10" -> "9").
std::string shifted(int row, std::string_view text, int by)
{
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    const long number = digits ? std::stol(std::string(text.substr(0, digits))) : 0;
    return std::to_string(number + by + row % 3) + std::string(text.substr(digits));
}

std::string randomText(std::mt19937& random)
{
    static const char* const tails[] = {"", "N", "U", " long tail of a line"};
    return std::to_string(random() % 120) + tails[random() % std::size(tails)];
}

Table tableOf(const Grid& grid)
{
    Table out(static_cast<std::size_t>(grid.rows()));
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) out[static_cast<std::size_t>(r)].emplace_back(grid.text(r, c));
    return out;
}

/// The steps recorded so far, as a control's history keeps them.
struct Step {
    Grid::Journal journal;
    Table before;
    Table after;
};

} // namespace

TEST(GridRewrite, PendingRowsReadUndoAndRedoAsIfWrittenAtOnce)
{
    std::mt19937 random(11);
    Grid grid("grid");
    grid.setCols(kCols);
    Table table;
    grid.setRows(30);
    table.assign(30, std::vector<std::string>(kCols));
    std::vector<Step> undo, redo;
    int rewrites = 0, pendingAtUndo = 0;
    // Undoes the last step of `from` (an undo or a redo), recording its inverse into `to`.
    const auto replay = [&](std::vector<Step>& from, std::vector<Step>& to) {
        Step last = std::move(from.back());
        from.pop_back();
        Step inverse{{}, last.after, last.before};
        grid.setJournal(&inverse.journal);
        grid.undo(last.journal);
        grid.setJournal(nullptr);
        table = last.before;
        to.push_back(std::move(inverse));
    };
    for (int step = 0; step < 4000; ++step) {
        const int rows = grid.rows();
        const int row = static_cast<int>(random() % static_cast<unsigned>(rows));
        const int col = static_cast<int>(random() % kCols);
        // Every change is recorded as a step, as the control's history does;
        // undo and redo replay them.
        const unsigned op = random() % 10;
        const bool record = op < 8;
        Step recorded{{}, record ? table : Table{}, {}};
        if (record) grid.setJournal(&recorded.journal);
        switch (op) {
        case 0: case 1: {
            // A delete: the row goes and the rows below it shift, later.
            if (rows <= 2) break;
            grid.removeRow(row);
            table.erase(table.begin() + row);
            const int by = -1 - static_cast<int>(random() % 2);
            grid.rewriteColumnLater(kRewritten, row, [by](int r, std::string_view t, std::string& out) { out = shifted(r, t, by); });
            for (int r = row; r < grid.rows(); ++r) table[static_cast<std::size_t>(r)][kRewritten] = shifted(r, table[static_cast<std::size_t>(r)][kRewritten], by);
            ++rewrites;
            break;
        }
        case 2: {
            // A text of another cell of a pending row read before and after
            // that row's rewritten cell: the first view must stay valid.
            const std::string_view other = grid.text(row, 0);
            const std::string_view rewritten = grid.text(row, kRewritten);
            ASSERT_EQ(rewritten, table[static_cast<std::size_t>(row)][kRewritten]) << "step " << step;
            ASSERT_EQ(other, table[static_cast<std::size_t>(row)][0]) << "step " << step;
            break;
        }
        case 3: case 4: {
            const std::string text = randomText(random);
            grid.setText(row, col, text);
            table[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
            break;
        }
        case 5: grid.settle(static_cast<int>(random() % 8)); break;
        case 6:
            grid.insertRow(row);
            table.insert(table.begin() + row, std::vector<std::string>(kCols));
            break;
        case 7: {
            std::vector<int> gone;
            for (int r = 1; r < rows; ++r)
                if (random() % 4 == 0) gone.push_back(r);
            if (gone.empty() || static_cast<int>(gone.size()) >= rows - 1) break;
            grid.removeRows(gone);
            for (auto it = gone.rbegin(); it != gone.rend(); ++it) table.erase(table.begin() + *it);
            break;
        }
        case 8:
            if (undo.empty()) break;
            pendingAtUndo += grid.settled() ? 0 : 1;
            replay(undo, redo);
            break;
        case 9:
            if (redo.empty()) break;
            replay(redo, undo);
            break;
        }
        if (record) {
            grid.setJournal(nullptr);
            recorded.after = table;
            if (!recorded.journal.empty()) {
                undo.push_back(std::move(recorded));
                redo.clear();
            }
        }
        if (step % 7 == 0) {
            ASSERT_EQ(tableOf(grid), table) << "step " << step;
        }
    }
    ASSERT_EQ(tableOf(grid), table);
    EXPECT_GT(rewrites, 100);
    EXPECT_GT(pendingAtUndo, 20); // undone while rows were still waiting
}

TEST(GridRewrite, ObserversHearOneColumnChangeAndKeptNumbersFollow)
{
    struct Counting : view::GridObserver {
        int columns = 0, cells = 0;
        void columnChanged(int, int, int) override { ++columns; }
        void cellChanged(int, int) override { ++cells; }
    } observer;
    Grid grid("grid");
    grid.setCols(3);
    grid.setRows(1001);
    for (int r = 1; r < grid.rows(); ++r) grid.setText(r, 2, std::to_string(r));
    grid.setNumberColumns({2});
    const auto& locale = text::Locale::enUS();
    ASSERT_EQ(grid.number(500, 2, locale), 500.0); // kept from now on
    grid.addGridObserver(&observer);
    const auto doubled = [](int, std::string_view t, std::string& out) { out = std::string(t) + "0"; };
    grid.rewriteColumnLater(1, 1, doubled);
    EXPECT_FALSE(grid.settled());
    grid.rewriteColumnLater(2, 1, doubled); // a kept-number column: written at once
    EXPECT_TRUE(grid.settled());
    EXPECT_EQ(grid.number(500, 2, locale), 5000.0);
    EXPECT_EQ(observer.columns, 2);
    EXPECT_EQ(observer.cells, 0);
    grid.removeGridObserver(&observer);
}
