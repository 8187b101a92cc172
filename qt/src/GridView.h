#pragma once

#include <zelt/view/Grid.h>

#include <QTableView>

#include <functional>
#include <map>

namespace zelt::qt {

class GridTableModel;

/// The table view of the lines. Mouse presses, releases and clicks, and the
/// arrow keys, go to the grid's entry points with the grid row and column
/// under the pointer; the arrow, page, Home and End keys move the grid's
/// current row. What is selected is the grid model's business.
class GridView : public QTableView {
public:
    GridView(view::Grid& grid, GridTableModel* model, QWidget* parent = nullptr);
    ~GridView() override;

    /// Shows the grid's current row, highlight style, column widths and enabled state.
    void syncProperties();

    /// Keys the host widget turns into commands: paste rows (Ctrl+V), copy
    /// the selected lines (Ctrl+C), open the current line (Enter) and delete
    /// the selected lines (Delete). Ctrl+A selects every line; Shift with a
    /// click or a moving key extends the selection, Ctrl with a click adds a
    /// line to it or takes it away.
    std::function<void()> PasteRequested;
    std::function<void()> OpenRequested;
    std::function<void()> DeleteRequested;
    /// Ctrl+C: the selected lines to the clipboard.
    std::function<void()> CopyRequested;
    /// Where a user action that failed is told to the clerk.
    std::function<void(const QString&)> FailureReported;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::pair<int, int> cellAt(const QPoint& pos) const;
    /// Puts the view's current cell on the grid's current row and scrolls to it.
    void showCurrentRow();
    /// Shows the grid's selected lines (the current one alone when none is selected).
    void showSelection();

    view::Grid& grid_;
    GridTableModel* model_;
    /// The grid's enabled and visible states come as widget changes.
    int observerId_ = -1;
    /// Widths the clerk dragged, kept for the session, by column.
    std::map<int, int> widenedByClerk_;
    bool sizingColumns_ = false;
};

} // namespace zelt::qt
