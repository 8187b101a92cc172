#include "GridTableModel.h"

#include "ColorMapping.h"

#include <zelt/view/Grid.h>

#include <QApplication>
#include <QBrush>

#include <algorithm>
#include <cctype>

namespace zelt::qt {

namespace {
constexpr int kStatusColumn = 2;
constexpr int kExemptColumn = 21;
constexpr int kModelColumn = 8;
constexpr int kDescriptionColumn = 12;

/// Horizontal alignment as the grid says; every cell is centred vertically,
/// so that text and number cells sit on one line.
Qt::Alignment toQt(view::Grid::Alignment a, std::string_view text)
{
    using A = view::Grid::Alignment;
    switch (a) {
    case A::LeftTop:
    case A::LeftCenter:
    case A::LeftBottom: return Qt::AlignLeft | Qt::AlignVCenter;
    case A::CenterTop:
    case A::CenterCenter:
    case A::CenterBottom: return Qt::AlignCenter;
    case A::RightTop:
    case A::RightCenter:
    case A::RightBottom: return Qt::AlignRight | Qt::AlignVCenter;
    case A::General: break;
    }
    // General: numbers to the right, text to the left.
    bool numeric = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-');
    return (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}
} // namespace

GridTableModel::GridTableModel(view::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), settling_(new QTimer(this))
{
    grid_.addGridObserver(this);
    connect(settling_, &QTimer::timeout, this, [this] {
        if (grid_.settle(kRowsPerSlice)) settling_->stop();
    });
}

GridTableModel::~GridTableModel() { grid_.removeGridObserver(this); }

int GridTableModel::gridRow(int tableRow) const { return tableRow + grid_.fixedRows(); }
int GridTableModel::tableRow(int gridRow) const { return gridRow - grid_.fixedRows(); }

int GridTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(0, grid_.rows() - grid_.fixedRows());
}

int GridTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.cols(); }

QVariant GridTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const int row = gridRow(index.row());
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const std::string_view text = grid_.text(row, col);
        // The exempt mark is a Wingdings glyph: shown as a ticked box; a line
        // that is not exempt shows nothing.
        if (col == kExemptColumn) return text == "\xC3\xBE" ? QStringLiteral("\u2611") : QString();
        if (col == kStatusColumn && statusText_) return statusText_(text);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::TextAlignmentRole: {
        if (col == kExemptColumn) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        if (col == kStatusColumn && statusText_) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return QVariant::fromValue(toQt(grid_.alignment(row, col), grid_.text(row, col)));
    }
    case Qt::BackgroundRole: {
        view::Color color = grid_.background(row, col);
        if (color == view::Grid::kDefaultBackground) return {};
        const QPalette& palette = QApplication::palette();
        // Shaded (unpriced) cells: a grey that stands apart from the base
        // colour whatever the style's button colour is.
        if (color == view::Color::buttonFace()) return QBrush(palette.color(QPalette::Base).darker(112));
        return QBrush(toQColor(color, palette));
    }
    case Qt::ToolTipRole: {
        // The texts a narrow column cuts show whole as the cell's tip.
        if (col == kStatusColumn && statusText_) return statusText_(grid_.text(row, col));
        if (col != kModelColumn && col != kDescriptionColumn) return {};
        const std::string_view text = grid_.text(row, col);
        if (text.empty()) return {};
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    default: return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= grid_.cols() || grid_.fixedRows() == 0) return {};
        const std::string_view header = grid_.text(0, section);
        return QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size()));
    }
    return section + 1;
}

void GridTableModel::gridAboutToReset()
{
    dirtyTop_ = -1; // the reset repaints everything
    if (resetting_) return;
    resetting_ = true;
    beginResetModel();
}

void GridTableModel::gridReset()
{
    if (!resetting_) return;
    resetting_ = false;
    endResetModel();
}

void GridTableModel::rowsAboutToBeInserted(int first, int last)
{
    flushChanges();
    if (first < grid_.fixedRows()) return gridAboutToReset();
    beginInsertRows(QModelIndex(), tableRow(first), tableRow(last));
}

void GridTableModel::rowsInserted(int, int)
{
    if (resetting_) return gridReset();
    endInsertRows();
}

void GridTableModel::rowsAboutToBeRemoved(int first, int last)
{
    flushChanges();
    if (first < grid_.fixedRows()) return gridAboutToReset();
    beginRemoveRows(QModelIndex(), tableRow(first), tableRow(last));
}

void GridTableModel::rowsRemoved(int, int)
{
    if (resetting_) return gridReset();
    endRemoveRows();
}

void GridTableModel::cellChanged(int row, int col)
{
    if (resetting_) return;
    if (row < grid_.fixedRows()) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const int r = tableRow(row);
    if (dirtyTop_ < 0) {
        dirtyTop_ = dirtyBottom_ = r;
        dirtyLeft_ = dirtyRight_ = col;
    } else {
        dirtyTop_ = std::min(dirtyTop_, r);
        dirtyBottom_ = std::max(dirtyBottom_, r);
        dirtyLeft_ = std::min(dirtyLeft_, col);
        dirtyRight_ = std::max(dirtyRight_, col);
    }
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, [this] { flushChanges(); }, Qt::QueuedConnection);
    }
}

void GridTableModel::columnChanged(int col, int first, int last)
{
    first = std::max(first, grid_.fixedRows());
    if (first > last) return;
    cellChanged(first, col);
    cellChanged(last, col);
    settling_->start(0);
}

void GridTableModel::flushChanges()
{
    flushQueued_ = false;
    if (dirtyTop_ < 0) return;
    const int last = rowCount() - 1;
    const int top = std::min(dirtyTop_, last);
    const int bottom = std::min(dirtyBottom_, last);
    const int left = dirtyLeft_;
    const int right = std::min(dirtyRight_, columnCount() - 1);
    dirtyTop_ = dirtyBottom_ = dirtyLeft_ = dirtyRight_ = -1;
    if (top < 0 || right < 0) return;
    emit dataChanged(index(top, left), index(bottom, right));
}

void GridTableModel::gridPropertiesChanged() { emit propertiesChanged(); }

} // namespace zelt::qt
