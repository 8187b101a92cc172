// The numbers a grid keeps for its number columns, and the marks it keeps for
// its mark column, must always be what its cells read as: every way a cell, a
// row or the whole grid changes is applied at random, and after each step
// every kept number and mark is checked against the cell's text.
#include "zelt/text/NumberText.h"
#include "zelt/view/Grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace zelt;
using view::Grid;

namespace {

constexpr int kCols = 6;
const std::vector<int> kNumberCols = {1, 3, 4};
constexpr int kMarkCol = 3;
constexpr const char* kMark = "12";

std::string randomCell(std::mt19937& random)
{
    static const char* const texts[] = {"", "12", "12.5", "12,5", "-3", "1,234.50", "1 234,50", "abc", "0", "7e2", "(4)"};
    std::string text = texts[random() % std::size(texts)];
    if (random() % 3 == 0) text += std::to_string(random() % 100);
    return text;
}

void expectKeptNumbersMatchTheCells(const Grid& grid, const text::Locale& locale, int step)
{
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) {
            const auto fresh = text::tryToNumber(grid.text(r, c), locale);
            // Read twice: the first read may fill the kept number, the second uses it.
            for (int pass = 0; pass < 2; ++pass)
                ASSERT_EQ(grid.number(r, c, locale), fresh)
                    << "step " << step << " row " << r << " col " << c << " text \"" << grid.text(r, c) << "\"";
            if (c != kMarkCol) continue;
            for (int pass = 0; pass < 2; ++pass)
                ASSERT_EQ(grid.isMarked(r), grid.text(r, c) == kMark) << "step " << step << " row " << r;
        }
}

/// A few data rows, sorted: what a clerk selects and deletes together.
std::vector<int> someRows(const Grid& grid, std::mt19937& random)
{
    std::vector<int> rows;
    for (int r = 1; r < grid.rows(); ++r)
        if (random() % 3 == 0) rows.push_back(r);
    return rows;
}

std::vector<std::string> texts(const Grid& grid)
{
    std::vector<std::string> out;
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) out.emplace_back(grid.text(r, c));
    return out;
}

} // namespace

TEST(GridNumbers, KeptNumbersAndMarksFollowEveryChangeToTheCells)
{
    std::mt19937 random(7);
    Grid grid("grid");
    grid.setCols(kCols);
    grid.setNumberColumns(kNumberCols);
    grid.setMarkColumn(kMarkCol, kMark);
    grid.setRows(4);
    text::Locale locale = text::Locale::enUS();
    Grid::Journal journal;
    for (int step = 0; step < 3000; ++step) {
        const int rows = grid.rows();
        const int row = rows > 1 ? 1 + static_cast<int>(random() % static_cast<unsigned>(rows - 1)) : 0;
        const int col = static_cast<int>(random() % static_cast<unsigned>(grid.cols()));
        switch (random() % 12) {
        case 0: case 1: case 2: case 3: grid.setText(row, col, randomCell(random)); break;
        case 4: grid.insertRow(row); grid.setText(row, col, randomCell(random)); break;
        case 5:
            if (rows > 2 && random() % 2) grid.removeRow(row);
            else if (rows > 2) grid.removeRows(someRows(grid, random));
            break;
        case 6: {
            // A recorded edit undone: cells and rows come back as they were.
            const std::vector<std::string> before = texts(grid);
            grid.setJournal(&journal);
            grid.setText(row, col, randomCell(random));
            if (random() % 2 && rows > 2) grid.removeRow(row);
            if (random() % 2 && grid.rows() > 2) grid.removeRows(someRows(grid, random));
            grid.setJournal(nullptr);
            grid.undo(journal);
            journal.entries.clear();
            ASSERT_EQ(texts(grid), before) << "step " << step;
            break;
        }
        case 7: {
            view::CellStore cells(grid.cols());
            for (unsigned r = 1 + random() % 6; r > 0; --r) {
                std::vector<std::string> texts(static_cast<std::size_t>(grid.cols()));
                for (auto& cell : texts) cell = randomCell(random);
                const std::vector<std::string_view> views(texts.begin(), texts.end());
                cells.appendRow(views.data(), views.size());
            }
            grid.swapCells(cells);
            break;
        }
        case 8: grid.setRows(1 + static_cast<int>(random() % 8)); break;
        case 9: if (random() % 8 == 0) grid.clear(); break;
        case 10:
            // The control's locale changes in place, as setLocale does.
            locale = random() % 2 ? text::Locale::frCA() : text::Locale::enUS();
            grid.forgetNumbers();
            break;
        case 11: grid.setCols(kCols + static_cast<int>(random() % 2)); break;
        }
        expectKeptNumbersMatchTheCells(grid, locale, step);
        if (HasFatalFailure()) return;
    }
}

TEST(GridChanges, TheFirstRowChangedSinceARevisionIsTheLowestOfTheChangesAfterIt)
{
    Grid grid("grid");
    grid.setCols(kCols);
    grid.setRows(6000);
    const std::uint64_t start = grid.revision();
    EXPECT_EQ(grid.firstRowChangedSince(start), std::numeric_limits<int>::max());
    grid.setText(50, 1, "a");
    const std::uint64_t after50 = grid.revision();
    grid.setText(20, 1, "b");
    const std::uint64_t after20 = grid.revision();
    grid.setText(70, 1, "c");
    grid.insertRow(40);
    EXPECT_EQ(grid.firstRowChangedSince(start), 20);
    EXPECT_EQ(grid.firstRowChangedSince(after50), 20);
    EXPECT_EQ(grid.firstRowChangedSince(after20), 40);
    grid.removeRow(10);
    EXPECT_EQ(grid.firstRowChangedSince(after20), 10);
    // Past the changes it keeps, it can only tell that anything may have changed.
    const std::uint64_t before = grid.revision();
    for (int row = 100; row < 5500; ++row) grid.setText(row, 2, "x");
    EXPECT_EQ(grid.firstRowChangedSince(before), 0);
    EXPECT_EQ(grid.firstRowChangedSince(grid.revision() - 2), 5499);
}
