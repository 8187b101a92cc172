#pragma once

#include <zelt/control/LineMatch.h>

#include <QCoreApplication>
#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QTimer;

namespace zelt {
class OrderedItems;
}

namespace zelt::qt {

/// The bar above the grid that finds lines as the clerk types (Ctrl+F, or
/// Find in the grid's pop-up menu). Each key searches again from the current
/// line, so a line that still matches stays; Enter or F3 goes to the next
/// match, Shift+Enter or Shift+F3 to the one before; Esc closes the bar and
/// gives the grid the focus. The bar says which match of how many is shown,
/// when the search went round the end of the order, and when nothing matches.
class FindBar : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(FindBar)

public:
    FindBar(OrderedItems& control, QWidget* parent = nullptr);

    /// Shows the bar with its text selected, ready for a new search.
    void open();
    /// Hides the bar and calls Closed.
    void close();
    /// Goes to the next / previous match of the bar's text.
    void next();
    void previous();

    /// Called after the bar closed, to give the focus back.
    std::function<void()> Closed;
    /// Called after a match became the current line, to bring it into sight.
    std::function<void()> Found;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(int from, FindDirection direction);
    void show(const LineMatch& match);

    /// About 5 ms of folding a slice.
    static constexpr int kLinesPerSlice = 32768;
    OrderedItems& control_;
    QLineEdit* text_;
    QLabel* status_;
    QTimer* slices_;
    // The text whose matches the slices are counting, if any.
    std::string counting_;
};

} // namespace zelt::qt
