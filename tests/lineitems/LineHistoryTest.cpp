#include "lineitems/LineHistory.h"

#include <gtest/gtest.h>

using namespace zelt;

namespace {

std::vector<std::string> texts(const view::Grid& grid)
{
    std::vector<std::string> out;
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) out.emplace_back(grid.text(r, c));
    return out;
}

} // namespace

TEST(LineHistory, StepsUndoAndRedoInsertsRemovalsAndCellsWithTheirLook)
{
    view::Grid grid("grid");
    grid.setCols(2);
    grid.addRow();
    grid.setText(1, 0, "a");
    grid.setBackground(1, 1, view::Color::buttonFace());
    LineHistory history(grid);
    const auto start = texts(grid);
    history.record("edit", [&] {
        grid.insertRow(1);
        grid.setText(1, 0, "new");
        grid.setText(2, 0, "a2");
        grid.removeRow(2);
    });
    const auto edited = texts(grid);
    ASSERT_EQ(grid.rows(), 2);
    EXPECT_EQ(history.undoName(), "edit");
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(texts(grid), start);
    EXPECT_EQ(grid.background(1, 1), view::Color::buttonFace()) << "the removed row comes back with its look";
    EXPECT_TRUE(history.redo());
    EXPECT_EQ(texts(grid), edited);
    EXPECT_FALSE(history.redo());
    // A command that changes nothing leaves no step.
    history.record("nothing", [] {});
    EXPECT_EQ(history.undoName(), "edit");
}

TEST(LineHistory, OldStepsGoWhenTheHistoryIsFull)
{
    view::Grid grid("grid");
    grid.setCols(1);
    grid.addRow();
    LineHistory byDepth(grid, 2);
    for (const char* t : {"1", "2", "3"}) byDepth.record(t, [&] { grid.setText(1, 0, t); });
    EXPECT_TRUE(byDepth.undo());
    EXPECT_TRUE(byDepth.undo());
    EXPECT_FALSE(byDepth.undo()) << "only two steps are kept";
    EXPECT_EQ(grid.text(1, 0), "1");

    LineHistory bySize(grid, 100, 3);
    bySize.record("two cells", [&] {
        grid.setText(1, 0, "x");
        grid.setText(1, 0, "y");
    });
    bySize.record("three cells", [&] {
        for (const char* t : {"p", "q", "r"}) grid.setText(1, 0, t);
    });
    EXPECT_TRUE(bySize.undo());
    EXPECT_FALSE(bySize.undo()) << "the older step went to keep within three changes";
}
