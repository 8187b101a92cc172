#pragma once

#include <zelt/view/GridObserver.h>

#include <QAbstractTableModel>
#include <QTimer>

#include <functional>
#include <string>

namespace zelt::view {
class Grid;
}

namespace zelt::qt {

/// The line grid as a Qt table model: the fixed (header) rows become the
/// horizontal header, every other row one table row. It follows the grid's
/// changes as they happen, so a 100,000-line order costs nothing until shown.
class GridTableModel : public QAbstractTableModel, public view::GridObserver {
    Q_OBJECT
public:
    explicit GridTableModel(view::Grid& grid, QObject* parent = nullptr);
    ~GridTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /// The text shown for a Status code (its display text); the code itself
    /// when not set.
    void setStatusText(std::function<QString(std::string_view)> statusText) { statusText_ = std::move(statusText); }

    /// The grid row of a table row, and back.
    int gridRow(int tableRow) const;
    int tableRow(int gridRow) const;

    // view::GridObserver
    void gridAboutToReset() override;
    void gridReset() override;
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted(int first, int last) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void cellChanged(int row, int col) override;
    /// A column rewritten below a deleted line: one change for the view, and
    /// the grid's pending rows are written between events, a slice at a time.
    void columnChanged(int col, int first, int last) override;
    void gridPropertiesChanged() override;

signals:
    /// Current cell, highlight style, widths or enabled state changed.
    void propertiesChanged();

private:
    /// Cell changes are gathered into one rectangle and announced once, when
    /// the event loop next runs or before the rows change: renumbering the
    /// 10,000 lines below a deleted one costs one repaint, not 10,000.
    void flushChanges();

    view::Grid& grid_;
    std::function<QString(std::string_view)> statusText_;
    bool resetting_ = false;
    int dirtyTop_ = -1;
    int dirtyBottom_ = -1;
    int dirtyLeft_ = -1;
    int dirtyRight_ = -1;
    bool flushQueued_ = false;
    /// About 2 ms of a pending column rewrite per slice.
    static constexpr int kRowsPerSlice = 65536;
    QTimer* settling_;
};

} // namespace zelt::qt
