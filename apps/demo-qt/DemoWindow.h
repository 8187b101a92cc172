#pragma once

#include <zelt/OrderedItemsWidget.h>

#include "OrderStore.h"
#include "RecordingMessageBoxes.h"
#include "SampleOrder.h"
#include "KeptFees.h"
#include "SavedOrder.h"
#include "SessionRecorder.h"
#include "StandInServices.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMainWindow>

#include <fstream>
#include <memory>
#include <optional>
#include <string>

class QActionGroup;
class QPlainTextEdit;
class QSplitter;

namespace zelt::demo {

/// The demo host: the control on an order screen, a pane that logs every event
/// the control raises, and menus to load, export, save and switch modes.
///
/// It keeps its own "unsaved since the last load or save" state from
/// the control's Revision() and IsOpenLineChanged(): IsDirty is the control's
/// described flag, which "Calculate Taxes & Fees" clears, so it cannot tell
/// whether the clerk's work is saved.
class DemoWindow : public QMainWindow, public OrderedItemsEvents, public HostSite {
    Q_DECLARE_TR_FUNCTIONS(DemoWindow)

public:
    DemoWindow(SampleOrder order, Services services, const QLocale& locale = QLocale());

    OrderedItemsWidget& orderedItems() { return *widget_; }
    void log(const QString& text);
    /// Opens the sample order afresh in `mode`.
    void loadOrder(Mode mode);
    /// Opens the order as it stands in `mode`: its lines, fees and freight
    /// go out and load again, so nothing the clerk did is lost.
    bool switchMode(Mode mode);
    /// True when the clerk's work since the last load or save is not saved.
    bool hasUnsavedWork() const;
    /// True when there is no unsaved work, or the clerk lets it go.
    bool mayDiscardChanges(const QString& question);
    /// Writes the lines, exempt rows and the summary to the event log (the
    /// order is not saved by it: Save keeps it in the store).
    void exportAll();
    /// Writes the lines to a file; false when they were not saved.
    bool saveLinesTo(const QString& path);
    /// Writes the clerk's actions from now on to `path` as a session script
    /// that zelt-session replays: the sample order opens afresh in the
    /// current mode (after asking about unsaved work) and everything done to
    /// it follows. False when the file cannot be written or the clerk keeps
    /// the unsaved work.
    bool startRecording(const QString& path);
    /// Ends the recording (the script is complete up to here).
    void stopRecording();

    /// Opens the order store in the database file `path`, creating it. An
    /// empty store takes the order on screen as the sample order; otherwise
    /// the newest order saved in the window's locale opens. Empty when the
    /// store opened, else why not: the window then works without a store.
    QString openStore(const QString& path);
    /// The store, or null when there is none.
    OrderStore* store() { return store_.get(); }
    /// Opens a stored order in the current mode. Empty when it opened, else
    /// why not; the order on screen then stays as it was.
    QString openStored(std::int64_t id);
    /// Saves the order on screen in the store: over the stored order it came
    /// from, or as a new order called `name`. Empty when it was saved, else
    /// why not; the order then stays open and unsaved.
    QString saveToStore(const QString& name);

    // OrderedItemsEvents
    void GetCarrierID(std::int32_t& CarrID) override;
    void GetTotalAmount(double& TotalAmount) override;
    void ChangeToClubDelivery(std::int16_t& DeliveryTypeID) override;
    void ChangeToHomeDelivery(std::int16_t& DeliveryTypeID) override;
    // HostSite
    void PropertyChanged(std::string_view propertyName) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QSplitter* splitter_ = nullptr;
    SampleOrder order_;
    /// The surcharge, internal tax and AvaTax services, stood in on loopback
    /// so that the demo runs with no servers around it. AvaTax is the real
    /// service instead when ZELT_AVATAX_URL, ZELT_AVATAX_ACCOUNT and
    /// ZELT_AVATAX_LICENSE_KEY are set.
    session::StandInServices standIns_;
    /// The control's message boxes, heard by a session being recorded.
    std::shared_ptr<session::RecordingMessageBoxes> messageBoxes_;
    /// The session being recorded and its script file.
    std::unique_ptr<std::ofstream> recording_;
    std::unique_ptr<session::SessionRecorder> recorder_;
    QAction* recordAction_ = nullptr;
    ServiceAddresses addresses() const;
    void markSaved();
    void checkModeMenu();
    /// The order's strings the control does not hand back (lookups, vendor
    /// fee records, tax rates and brackets), in the control's locale: the
    /// sample's, or the stored order's on screen.
    SampleOrder orderBase() const;
    void openFromStoreMenu();
    void saveMenu();
    std::unique_ptr<OrderStore> store_;
    /// Why there is no store.
    QString storeProblem_;
    /// The stored order on screen and what it came with.
    std::optional<std::int64_t> storedId_;
    QString storedName_;
    std::optional<SampleOrder> storedBase_;
    OrderedItemsWidget* widget_;
    QActionGroup* modes_ = nullptr;
    std::uint64_t savedRevision_ = 0;
    /// The order's fee records, kept while Add Mode (which shows none) is on.
    KeptFees keptFees_;
    QPlainTextEdit* log_;
};

} // namespace zelt::demo
