#include "GridView.h"

#include "GridTableModel.h"
#include "bindings/WidgetBinding.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <vector>
#include <QMouseEvent>
#include <QResizeEvent>

namespace zelt::qt {

namespace {
constexpr int kTwipsPerPixel = 15;

/// Columns the host's grid hides that the clerk needs to see: the line
/// number with its mark, the status and the exempt mark, narrow, by column.
constexpr std::pair<int, int> kShownToClerk[] = {{1, 56}, {2, 124}, {21, 60}};

view::MouseButton toButton(Qt::MouseButton b)
{
    return b == Qt::RightButton ? view::MouseButton::Right
           : b == Qt::MiddleButton ? view::MouseButton::Middle
                                   : view::MouseButton::Left;
}
} // namespace

GridView::GridView(view::Grid& grid, GridTableModel* model, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(model)
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(false);
    // Fixed row heights: a 100,000-line order scrolls without measuring rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    // Tab leaves the grid; the arrows move inside it.
    setTabKeyNavigation(false);
    QObject::connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int width) {
        if (!sizingColumns_) widenedByClerk_[col] = width;
    });
    QObject::connect(model_, &GridTableModel::propertiesChanged, this, [this] { syncProperties(); });
    QObject::connect(model_, &QAbstractItemModel::modelReset, this, [this] { syncProperties(); });
    observerId_ = grid_.addObserver([this] {
        if (isEnabled() != grid_.enabled() || isHidden() == grid_.visible()) syncProperties();
    });
    syncProperties();
}

GridView::~GridView() { grid_.removeObserver(observerId_); }

void GridView::syncProperties()
{
    setEnabled(grid_.enabled());
    setVisible(grid_.visible());
    // Column widths are shares of the grid's width: shown as the same shares
    // of the view's width, whatever size the window has now.
    // The clerk's extra columns come off the width first.
    int extra = 0;
    for (auto [col, width] : kShownToClerk)
        if (col < grid_.cols()) extra += width;
    const double scale = grid_.width() > 0 ? static_cast<double>(std::max(viewport()->width() - extra, 200)) / grid_.width()
                                           : 1.0 / kTwipsPerPixel;
    std::vector<int> widths(static_cast<std::size_t>(grid_.cols()), 0); // 0: hidden
    std::vector<int> headers(widths.size(), 0);
    int need = 0, slack = 0;
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    for (int c = 0; c < grid_.cols(); ++c) {
        int width = grid_.columnWidth(c) == 0 ? 0 : std::max(static_cast<int>(grid_.columnWidth(c) * scale) - 1, 24);
        for (auto [col, shown] : kShownToClerk)
            if (col == c) width = shown;
        const auto i = static_cast<std::size_t>(c);
        auto widened = widenedByClerk_.find(c);
        if (width > 0 && widened != widenedByClerk_.end()) {
            widths[i] = widened->second; // the clerk's width stays as it is
            continue;
        }
        widths[i] = width;
        if (width == 0) continue;
        const QVariant header = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole);
        headers[i] = headerMetrics.horizontalAdvance(header.toString()) + 16;
        need += std::max(headers[i] - width, 0);
        slack += std::max(width - headers[i], 0);
    }
    // Where the other columns can spare it, a column widens until its header
    // shows whole, taking the room from them in proportion to what each can
    // spare; where they cannot, the columns keep their shares and the
    // headers show whole as their tips.
    if (need > 0 && need <= slack)
        for (std::size_t i = 0; i < widths.size(); ++i) {
            if (widths[i] == 0 || headers[i] == 0) continue;
            if (headers[i] > widths[i]) widths[i] = headers[i];
            else widths[i] -= static_cast<int>(static_cast<long long>(need) * (widths[i] - headers[i]) / slack);
        }
    sizingColumns_ = true;
    for (int c = 0; c < grid_.cols(); ++c) {
        const auto i = static_cast<std::size_t>(c);
        setColumnHidden(c, widths[i] == 0);
        if (widths[i] > 0) setColumnWidth(c, widths[i]);
    }
    sizingColumns_ = false;
    showSelection();
}

void GridView::showSelection()
{
    const int row = model_->tableRow(grid_.row());
    if (grid_.highlightStyle() == 0 || row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    // The grid's selected lines, as runs of rows (every line is one run).
    QItemSelection selection;
    const std::vector<int>& rows = grid_.selectedRows();
    const int last = model_->columnCount() - 1;
    for (std::size_t k = 0; k < rows.size();) {
        std::size_t end = k + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) ++end;
        selection.select(model_->index(model_->tableRow(rows[k]), 0), model_->index(model_->tableRow(rows[end - 1]), last));
        k = end;
    }
    if (rows.empty()) selection.select(model_->index(row, 0), model_->index(row, last));
    const QModelIndex index = model_->index(row, std::max(grid_.col(), 0));
    if (selectionModel()->currentIndex().row() != row) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        scrollTo(index);
    }
    if (selectionModel()->selection() != selection) selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

std::pair<int, int> GridView::cellAt(const QPoint& pos) const
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) return {-1, -1};
    return {model_->gridRow(index.row()), index.column()};
}

void GridView::updateGeometries()
{
    QTableView::updateGeometries();
    // The view shows whole rows: what is left below the last one becomes margin.
    const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
    const QMargins margins = viewportMargins(); // the top one makes room for the header
    const int height = viewport()->height() + margins.bottom();
    const int spare = height % rowHeight;
    if (spare != margins.bottom()) setViewportMargins(margins.left(), margins.top(), margins.right(), spare);
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    syncProperties();
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    auto [row, col] = cellAt(event->position().toPoint());
    // A right click acts on the line under the pointer: it is selected first.
    if (event->button() == Qt::RightButton && row >= grid_.fixedRows() &&
        (row != grid_.row() || grid_.highlightStyle() == 0))
        WidgetBinding::safely([&, r = row, c = col] { grid_.userClick(r, c); }, FailureReported);
    if (row >= 0) WidgetBinding::safely([&, r = row, c = col] { grid_.userMouseDown(toButton(event->button()), r, c); }, FailureReported);
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    auto [row, col] = cellAt(event->position().toPoint());
    if (row < 0) return;
    // Shift extends the selection to the line, Ctrl adds it or takes it away.
    const auto select = (event->modifiers() & Qt::ShiftModifier)     ? view::Grid::Select::Extend
                        : (event->modifiers() & Qt::ControlModifier) ? view::Grid::Select::Toggle
                                                                     : view::Grid::Select::Only;
    WidgetBinding::safely([&, r = row, c = col] {
        grid_.userMouseUp(toButton(event->button()), r, c);
        if (event->button() == Qt::LeftButton) grid_.userClick(r, c, select);
    }, FailureReported);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    // A double click on a line opens it, as Enter does.
    if (event->button() == Qt::LeftButton && cellAt(event->position().toPoint()).first >= grid_.fixedRows() && OpenRequested)
        WidgetBinding::safely(OpenRequested, FailureReported);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    const std::pair<QKeySequence::StandardKey, std::function<void()>*> commands[] = {
        {QKeySequence::Paste, &PasteRequested}, {QKeySequence::Delete, &DeleteRequested}, {QKeySequence::Copy, &CopyRequested}};
    if (event->matches(QKeySequence::SelectAll)) {
        WidgetBinding::safely([this] { grid_.selectAll(); }, FailureReported);
        event->accept();
        return;
    }
    for (auto& [keys, command] : commands)
        if (event->matches(keys) && *command) {
            WidgetBinding::safely(*command, FailureReported);
            event->accept();
            return;
        }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && OpenRequested) {
        WidgetBinding::safely(OpenRequested, FailureReported);
        event->accept();
        return;
    }
    const int first = grid_.fixedRows();
    const int last = grid_.rows() - 1;
    // A page is the rows the view shows, less one kept for context.
    const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
    const int page = std::max(viewport()->height() / rowHeight - 1, 1);
    const int current = std::clamp(grid_.row(), first, std::max(last, first));
    int row = -1;
    switch (event->key()) {
    case Qt::Key_Up: row = current - 1; break;
    case Qt::Key_Down: row = current + 1; break;
    case Qt::Key_PageUp: row = current - page; break;
    case Qt::Key_PageDown: row = current + page; break;
    case Qt::Key_Home: row = first; break;
    case Qt::Key_End: row = last; break;
    default: QTableView::keyPressEvent(event); return;
    }
    event->accept();
    if (last < first) return;
    // Moving works the same in every highlight style: the style only decides
    // whether the current row is drawn selected.
    row = std::clamp(row, first, last);
    // Shift with a moving key extends the selection, as a Shift click does.
    const auto select = (event->modifiers() & Qt::ShiftModifier) ? view::Grid::Select::Extend : view::Grid::Select::Only;
    WidgetBinding::safely([&] { grid_.userClick(row, std::max(grid_.col(), 0), select); }, FailureReported);
    showCurrentRow();
}

void GridView::showCurrentRow()
{
    const int row = model_->tableRow(grid_.row());
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row, std::max(grid_.col(), 0));
    if (selectionModel()->currentIndex() != index) selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

} // namespace zelt::qt
