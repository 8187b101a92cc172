#pragma once

#include <zelt/control/OrderedItems.h>

#include <QLocale>
#include <QWidget>

#include <functional>

#include <memory>

class QTableView;

namespace zelt {

/// The OrderedItems control as a Qt widget: it owns a control, renders its
/// form and feeds the clerk's clicks, keys, selections and focus moves back
/// into it. A Qt host places it on its order screen and drives `control()`.
class OrderedItemsWidget : public QWidget {
public:
    /// Services left empty get their defaults; message boxes are Qt dialogs.
    /// Amounts are read and written in `locale`: by default the
    /// application's (QLocale(), the system's unless it chose another).
    explicit OrderedItemsWidget(QWidget* parent = nullptr, Services services = {}, const QLocale& locale = QLocale());
    ~OrderedItemsWidget() override;

    OrderedItems& control();
    const OrderedItems& control() const;

    /// The Qt widget that shows an abstract widget (null for hidden storage).
    QWidget* qtWidgetFor(const view::Widget& widget) const;
    /// The grid's table view.
    QTableView* gridView() const;

    /// The control's number conventions for a Qt locale.
    static text::Locale textLocale(const QLocale& locale);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace zelt
