#pragma once

#include <zelt/control/OrderedItems.h>

#include <QLocale>
#include <QString>
#include <QWidget>

#include <functional>

#include <memory>

class QTableView;

namespace zelt {

/// The OrderedItems control as a Qt widget: it owns a control, renders its
/// form and feeds the clerk's clicks, keys, selections and focus moves back
/// into it. A Qt host places it on its order screen and drives `control()`.
///
/// The window's own ways of waiting for web services come with it: unless the
/// host hands its own, the control's message boxes are Qt dialogs and its
/// exchanges run on a worker thread while the window keeps painting, with a
/// dialog and its Cancel after 300 ms. Events reach the host as they do
/// without a window, through `control().setEventSink(...)`; the errors the
/// host's calls raise are those of OrderedItems.
class OrderedItemsWidget : public QWidget {
public:
    /// Services left empty get their defaults (see Services), except the
    /// message boxes, which are Qt dialogs, and the service activity, which
    /// keeps the window painting during an exchange.
    /// Amounts are read and written in `locale`: by default the
    /// application's (QLocale(), the system's unless it chose another).
    explicit OrderedItemsWidget(QWidget* parent = nullptr, Services services = {}, const QLocale& locale = QLocale());
    /// Detaches the Qt widgets from the control, then destroys both.
    ~OrderedItemsWidget() override;

    /// The control the widget shows: the host's whole interface to the order.
    OrderedItems& control();
    /// The control, read only.
    const OrderedItems& control() const;

    /// The Qt widget that shows an abstract widget (null for hidden storage).
    QWidget* qtWidgetFor(const view::Widget& widget) const;
    /// The grid's table view.
    QTableView* gridView() const;

    /// The control's number conventions for a Qt locale: en-US and fr-CA as
    /// the library defines them (the C locale as en-US); any other from the
    /// Qt locale's decimal point, group separator, currency symbol and short
    /// date order.
    static text::Locale textLocale(const QLocale& locale);

    /// What installTranslations put in place for a locale.
    struct InstalledTranslations {
        /// The window's own texts (hints, tips, the find bar, the wait dialog)
        /// read in the locale's language.
        bool window = false;
        /// Qt's standard buttons and dialogs ("Yes", "No", "Cancel") do.
        bool qtBase = false;
        /// What is missing and why; empty when both are in place.
        QString missing;
    };

    /// Installs the translators of the widget's own texts and of Qt's
    /// standard buttons (qtbase_*.qm from QLibraryInfo::TranslationsPath, when
    /// the system has them) for `locale` in the running application, in place
    /// of those a previous call installed. Call it once the QApplication
    /// exists and before the widgets are made (a widget keeps the texts it
    /// was made with). English locales need no translation and install none.
    /// The captions and messages of the control itself are not translated.
    static InstalledTranslations installTranslations(const QLocale& locale);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace zelt
