#include "DemoWindow.h"

#include "ModeNames.h"
#include "OpenOrderDialog.h"
// The control's own dialogs, which a recorded session listens to.
#include "QtMessageBoxes.h"

#include <zelt/platform/Clock.h>
#include <zelt/platform/RuleTableFreightCalculator.h>

#include <QActionGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>

#include <algorithm>
#include <cstdlib>

namespace zelt::demo {

DemoWindow::DemoWindow(SampleOrder order, Services services, const QLocale& locale) : order_(std::move(order))
{
    setWindowTitle(tr("Purchase order"));
    splitter_ = new QSplitter(this);
    if (!services.freight)
        services.freight = std::make_shared<platform::RuleTableFreightCalculator>(
            platform::RuleTableFreightCalculator::fromJson(order_.freightRules));
    if (!services.messageBoxes) {
        auto dialogs = std::make_shared<qt::QtMessageBoxes>();
        dialogs->setParentWidget(this);
        services.messageBoxes = std::move(dialogs);
    }
    messageBoxes_ = std::make_shared<session::RecordingMessageBoxes>(std::move(services.messageBoxes));
    services.messageBoxes = messageBoxes_;
    widget_ = new OrderedItemsWidget(splitter_, std::move(services), locale);
    log_ = new QPlainTextEdit(splitter_);
    log_->setReadOnly(true);
    log_->setPlaceholderText(tr("Events the control raises to the host"));
    splitter_->addWidget(widget_);
    splitter_->addWidget(log_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({1000, 280});
    log_->setMinimumWidth(160);
    setCentralWidget(splitter_);
    statusBar();

    OrderedItems& control = widget_->control();
    control.setEventSink(this);
    control.setHostSite(this);

    QMenu* file = menuBar()->addMenu(tr("&Order"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, [this] { openFromStoreMenu(); });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { saveMenu(); });
    file->addSeparator();
    file->addAction(tr("&Load sample order..."), this, [this] {
        if (mayDiscardChanges(tr("Open the sample order again and lose them?"))) loadOrder(widget_->control().ViewMode());
    });
    file->addAction(tr("&Export"), QKeySequence(Qt::CTRL | Qt::Key_E), this, [this] { exportAll(); });
    file->addAction(tr("Save lines &as..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save lines as"), QStringLiteral("lines.txt"),
                                                          tr("Exchange text (*.txt)"));
        if (!path.isEmpty()) saveLinesTo(path);
    });
    recordAction_ = file->addAction(tr("&Record session..."), this, [this] {
        if (recorder_) return stopRecording();
        const QString path = QFileDialog::getSaveFileName(this, tr("Record session"), QStringLiteral("session.zss"),
                                                          tr("Session scripts (*.zss)"));
        if (!path.isEmpty()) startRecording(path);
    });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });

    // Each mode opens the order as it stands in that mode, as a host does.
    QMenu* modes = menuBar()->addMenu(tr("&Mode"));
    modes_ = new QActionGroup(this);
    const std::pair<Mode, QString> entries[] = {{Mode::AddMode, tr("&Add")},
                                                {Mode::UpdateMode, tr("&Update")},
                                                {Mode::ViewMode, tr("&View")},
                                                {Mode::LineCancelMode, tr("&Line cancel")}};
    for (const auto& [mode, name] : entries) {
        QAction* action = modes->addAction(name);
        action->setCheckable(true);
        modes_->addAction(action);
        QObject::connect(action, &QAction::triggered, this, [this, m = mode] { switchMode(m); });
    }
    checkModeMenu();
}

void DemoWindow::log(const QString& text) { log_->appendPlainText(text); }

void DemoWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The event log takes a fifth of the width: the order screen keeps the
    // rest. Where the order screen would then need a sideways scroll (a
    // 1024-pixel screen), the log gives up its room; its handle stays at the
    // right edge for a clerk who wants it back.
    const int total = splitter_->width();
    int log = std::clamp(total / 5, 160, 320);
    if (auto* scroll = widget_->findChild<QScrollArea*>(QStringLiteral("orderScroll")); scroll && scroll->widget()) {
        const int needed = scroll->widget()->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() +
                           splitter_->handleWidth();
        if (total - log < needed) log = total - needed >= 160 ? total - needed : 0;
    }
    splitter_->setSizes({total - log, log});
    // A folded log takes no Tab stop.
    log_->setFocusPolicy(log > 0 ? Qt::StrongFocus : Qt::NoFocus);
}

void DemoWindow::closeEvent(QCloseEvent* event)
{
    // Unsaved work: save it (into the store), leave it, or stay.
    if (!hasUnsavedWork()) return event->accept();
    const auto answer = QMessageBox::question(
        this, tr("Unsaved changes"), tr("The order has changes that are not saved.") + QStringLiteral("\n") + tr("Save them before closing?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) saveMenu();
    if (answer == QMessageBox::Discard || (answer == QMessageBox::Save && !hasUnsavedWork())) event->accept();
    else event->ignore();
}

bool DemoWindow::hasUnsavedWork() const
{
    const OrderedItems& control = widget_->control();
    return control.Revision() != savedRevision_ || control.IsOpenLineChanged();
}

void DemoWindow::markSaved() { savedRevision_ = widget_->control().Revision(); }

void DemoWindow::checkModeMenu()
{
    const auto current = static_cast<qsizetype>(widget_->control().ViewMode());
    if (current < modes_->actions().size()) modes_->actions().at(current)->setChecked(true);
}

bool DemoWindow::mayDiscardChanges(const QString& question)
{
    if (!hasUnsavedWork()) return true;
    return QMessageBox::question(this, tr("Unsaved changes"),
                                 tr("The order has changes that are not saved.") + QStringLiteral("\n") + question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void DemoWindow::loadOrder(Mode mode)
{
    if (recorder_ && !recorder_->busy())
        return recorder_->host("load sample " + std::string(session::ModeNames::name(mode)), [&] { loadOrder(mode); });
    keptFees_.reset();
    // The sample afresh is no stored order: Save asks for a name.
    storedId_.reset();
    storedBase_.reset();
    try {
        loadSampleOrder(widget_->control(), order_.inLocale(widget_->control().locale()), mode, addresses());
        const std::string& failure = widget_->control().LastServiceFailure();
        if (!failure.empty()) log(tr("Service failure: ") + QString::fromStdString(failure));
        log(tr("Loaded the sample order"));
        markSaved();
    } catch (const std::exception& e) {
        log(tr("Load refused: ") + QString::fromStdString(e.what()));
    }
    checkModeMenu();
}

bool DemoWindow::switchMode(Mode mode)
{
    if (recorder_ && !recorder_->busy()) {
        bool done = false;
        recorder_->host("mode " + std::string(session::ModeNames::name(mode)), [&] { done = switchMode(mode); });
        return done;
    }
    OrderedItems& control = widget_->control();
    bool switched = false;
    // An open line is finished or let go first: its typing is not in the lines yet.
    if (control.CancelOpenLine()) {
        try {
            const std::uint64_t before = control.Revision();
            const bool unsaved = hasUnsavedWork();
            const SampleOrder order = orderBase();
            SavedOrder saved = SavedOrder::from(control, order.fees, order.salesTax, order.brackets, order.surcharges);
            keptFees_.readBack(saved, control.ViewMode());
            saved.openIn(control, mode, addresses());
            // Work that was unsaved stays unsaved; a saved order stays saved.
            if (!unsaved) markSaved();
            else if (savedRevision_ == control.Revision()) savedRevision_ = before;
            log(tr("Opened the order as it stands in another mode"));
            statusBar()->showMessage(
                mode == Mode::AddMode ? tr("Add Mode: the lines are as they were; the fees and taxes are kept for the other modes")
                : mode == Mode::LineCancelMode
                    ? tr("Line cancel mode: the lines are as they were; the fees and taxes are kept for the other modes")
                    : tr("Mode switched; the order's lines and fees are as they were"),
                6000);
            switched = true;
            // The clerk goes on in the order's lines, where the keys of the control work.
            widget_->gridView()->setFocus();
        } catch (const std::exception& e) {
            log(tr("Mode switch refused: ") + QString::fromStdString(e.what()));
            statusBar()->showMessage(tr("The mode was not switched: %1").arg(QString::fromStdString(e.what())), 8000);
        }
    }
    checkModeMenu();
    return switched;
}

bool DemoWindow::startRecording(const QString& path)
{
    stopRecording();
    if (!mayDiscardChanges(tr("A recording starts from the sample order opened afresh. Open it and lose them?"))) return false;
    auto file = std::make_unique<std::ofstream>(path.toStdString(), std::ios::binary | std::ios::trunc);
    if (!*file) {
        statusBar()->showMessage(tr("Could not write %1").arg(path), 8000);
        return false;
    }
    OrderedItems& control = widget_->control();
    *file << "# A session recorded in zelt-demo: zelt-session replays it.\n";
    if (control.locale().name != text::Locale::enUS().name) *file << "locale " << control.locale().name << "\n";
    *file << "today " << platform::SystemClock().today().toIso() << "\n";
    recording_ = std::move(file);
    recorder_ = std::make_unique<session::SessionRecorder>(control, *messageBoxes_, *recording_);
    loadOrder(control.ViewMode());
    recordAction_->setText(tr("Stop &recording"));
    log(tr("Recording the session to ") + path);
    statusBar()->showMessage(tr("Recording the session to %1: Order > Stop recording ends it").arg(path), 8000);
    return true;
}

void DemoWindow::stopRecording()
{
    if (!recorder_) return;
    recorder_.reset();
    recording_.reset();
    recordAction_->setText(tr("&Record session..."));
    log(tr("Recording stopped"));
}

ServiceAddresses DemoWindow::addresses() const
{
    ServiceAddresses out = standIns_.addresses();
    const char* url = std::getenv("ZELT_AVATAX_URL");
    const char* account = std::getenv("ZELT_AVATAX_ACCOUNT");
    const char* key = std::getenv("ZELT_AVATAX_LICENSE_KEY");
    if (url && account && key && *url && *account && *key) {
        out.avaTaxUrl = url;
        out.avaTaxAccount = account;
        out.avaTaxLicenseKey = key;
    }
    return out;
}

void DemoWindow::exportAll()
{
    if (recorder_ && !recorder_->busy()) return recorder_->host("export", [this] { exportAll(); });
    OrderedItems& control = widget_->control();
    // Each read-back on its own: one the control refuses does not hide the others.
    bool complete = true;
    auto show = [&](const QString& name, auto read) {
        try {
            log(name + QStringLiteral(": ") + QString::fromStdString(read()));
        } catch (const std::exception& e) {
            complete = false;
            log(name + tr(" refused: ") + QString::fromStdString(e.what()));
        }
    };
    std::string lines;
    show(QStringLiteral("readData"), [&] { return lines = control.readData(); });
    show(QStringLiteral("ExemptItems"), [&] { return control.ExemptItems(); });
    show(QStringLiteral("GetSalesTaxesNFees"), [&] { return control.GetSalesTaxesNFees(); });
    complete = complete && !(lines.empty() && control.IsLineOpen());
    const int count = control.form().grdOrdItems.rows() - 1;
    statusBar()->showMessage(complete ? tr("Exported %1 lines, the exempt rows and the tax and fee summary to the event log")
                                            .arg(count)
                                      : tr("The export is incomplete: see the event log"),
                             8000);
}

bool DemoWindow::saveLinesTo(const QString& path)
{
    OrderedItems& control = widget_->control();
    try {
        const std::string lines = control.readData();
        if (lines.empty() && control.IsLineOpen()) return false; // the control has told the clerk why
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(lines.data(), static_cast<qint64>(lines.size())) != static_cast<qint64>(lines.size())) {
            statusBar()->showMessage(tr("Could not write %1: %2").arg(path, out.errorString()), 8000);
            return false;
        }
        statusBar()->showMessage(tr("Saved %1 lines to %2").arg(control.form().grdOrdItems.rows() - 1).arg(path), 8000);
        log(tr("Saved the lines to ") + path);
        return true;
    } catch (const std::exception& e) {
        statusBar()->showMessage(tr("The lines were not saved: %1").arg(QString::fromStdString(e.what())), 8000);
        return false;
    }
}

SampleOrder DemoWindow::orderBase() const
{
    return storedBase_ ? *storedBase_ : order_.inLocale(widget_->control().locale());
}

QString DemoWindow::openStore(const QString& path)
{
    store_.reset();
    storedId_.reset();
    storedBase_.reset();
    try {
        store_ = std::make_unique<OrderStore>(path.toStdString());
        const std::string& locale = widget_->control().locale().name;
        const auto entries = store_->list();
        const auto newest = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.locale == locale; });
        log(tr("Order store: %1 (%2 orders)").arg(path).arg(entries.size()));
        // The first start keeps the sample; later ones go on with the newest order.
        if (entries.empty()) saveToStore(tr("Sample order"));
        else if (newest != entries.end()) openStored(newest->id);
        else log(tr("The store holds no order with %1 numbers: the sample order is on screen").arg(QString::fromStdString(locale)));
        storeProblem_.clear();
    } catch (const std::exception& e) {
        store_.reset();
        storeProblem_ = QString::fromStdString(e.what());
        log(tr("No order store: ") + storeProblem_);
        statusBar()->showMessage(tr("No order store: orders cannot be saved or opened (%1)").arg(storeProblem_));
    }
    return storeProblem_;
}

QString DemoWindow::openStored(std::int64_t id)
{
    OrderedItems& control = widget_->control();
    try {
        if (!store_) throw StoreError("there is no order store (" + storeProblem_.toStdString() + ")");
        const OrderStore::Order stored = store_->load(id);
        const std::string& locale = control.locale().name;
        if (stored.locale != locale)
            throw StoreError("its numbers are written in " + stored.locale + ", the window's in " + locale +
                             ": start the demo with --locale " + stored.locale + " to open it");
        SampleOrder base = order_.inLocale(control.locale());
        base.lookups = stored.lookups;
        base.fees = stored.saved.fees;
        base.salesTax = stored.saved.salesTax;
        base.brackets = stored.saved.brackets;
        base.surcharges = stored.saved.surcharges;
        const Mode mode = control.ViewMode();
        {
            // Tried on a control of its own first: an order that does not
            // load leaves the one on screen as it was.
            OrderedItems trial;
            trial.setLocale(control.locale());
            loadSampleOrder(trial, base, mode);
            stored.saved.openIn(trial, mode);
        }
        // The host's settings and services as for the sample, then the stored strings.
        loadSampleOrder(control, base, mode, addresses());
        stored.saved.openIn(control, mode, addresses());
        storedId_ = id;
        storedName_ = QString::fromStdString(stored.name);
        storedBase_ = base;
        keptFees_.opened(stored.saved, mode);
        markSaved();
        log(tr("Opened \"%1\" from the order store").arg(storedName_));
        statusBar()->showMessage(tr("Opened \"%1\"").arg(storedName_), 8000);
        checkModeMenu();
        return {};
    } catch (const std::exception& e) {
        const QString why = QString::fromStdString(e.what());
        log(tr("Order not opened: ") + why);
        statusBar()->showMessage(tr("The order was not opened: %1").arg(why), 8000);
        return why;
    }
}

QString DemoWindow::saveToStore(const QString& name)
{
    OrderedItems& control = widget_->control();
    try {
        if (!store_) throw StoreError("there is no order store (" + storeProblem_.toStdString() + ")");
        if (control.IsLineOpen()) throw StoreError("a line is open: write it or close it first");
        const SampleOrder base = orderBase();
        SavedOrder saved = SavedOrder::from(control, base.fees, base.salesTax, base.brackets, base.surcharges);
        keptFees_.readBack(saved, control.ViewMode());
        const OrderStore::Order order{name.toStdString(), control.locale().name, base.lookups, std::move(saved)};
        if (storedId_) store_->replace(*storedId_, order);
        else storedId_ = store_->add(order);
        storedName_ = name;
        storedBase_ = base;
        markSaved();
        log(tr("Saved \"%1\" in the order store").arg(name));
        statusBar()->showMessage(tr("Saved \"%1\"").arg(name), 8000);
        return {};
    } catch (const std::exception& e) {
        const QString why = QString::fromStdString(e.what());
        log(tr("Order not saved: ") + why);
        statusBar()->showMessage(tr("The order was not saved: %1").arg(why), 8000);
        return why;
    }
}

void DemoWindow::openFromStoreMenu()
{
    std::vector<OrderStore::Entry> entries;
    try {
        if (!store_) throw StoreError("there is no order store (" + storeProblem_.toStdString() + ")");
        entries = store_->list();
    } catch (const std::exception& e) {
        QMessageBox::warning(this, tr("Open order"), tr("The orders cannot be listed: %1").arg(QString::fromStdString(e.what())));
        return;
    }
    OpenOrderDialog dialog(entries, this);
    dialog.exec();
    const auto chosen = dialog.chosen();
    if (!chosen || !mayDiscardChanges(tr("Open the order and lose them?")) || !widget_->control().CancelOpenLine()) return;
    if (const QString why = openStored(*chosen); !why.isEmpty())
        QMessageBox::warning(this, tr("Open order"), tr("The order was not opened: %1").arg(why));
}

void DemoWindow::saveMenu()
{
    QString name = storedName_;
    if (store_ && !storedId_) {
        bool ok = false;
        name = QInputDialog::getText(this, tr("Save order"), tr("Name of the order:"), QLineEdit::Normal, tr("Sample order"), &ok)
                   .trimmed();
        if (!ok || name.isEmpty()) return;
    }
    if (const QString why = saveToStore(name); !why.isEmpty())
        QMessageBox::warning(this, tr("Save order"),
                             tr("The order was not saved: %1\nIt stays open with your changes.").arg(why));
}

void DemoWindow::GetCarrierID(std::int32_t& CarrID)
{
    log(QStringLiteral("GetCarrierID(%1)").arg(CarrID));
    // A host shows the carrier's details here; the demo has none to show.
    statusBar()->showMessage(tr("Carrier %1: a host shows the carrier's details here").arg(CarrID), 6000);
}

void DemoWindow::GetTotalAmount(double& TotalAmount)
{
    log(QStringLiteral("GetTotalAmount(%1)").arg(TotalAmount, 0, 'f', 2));
    keepShownTaxes(widget_->control());
}

void DemoWindow::ChangeToClubDelivery(std::int16_t& DeliveryTypeID)
{
    log(QStringLiteral("ChangeToClubDelivery(%1)").arg(DeliveryTypeID));
}

void DemoWindow::ChangeToHomeDelivery(std::int16_t& DeliveryTypeID)
{
    log(QStringLiteral("ChangeToHomeDelivery(%1)").arg(DeliveryTypeID));
}

void DemoWindow::PropertyChanged(std::string_view propertyName)
{
    log(QStringLiteral("PropertyChanged(\"%1\")").arg(QString::fromUtf8(propertyName.data(), static_cast<qsizetype>(propertyName.size()))));
}

} // namespace zelt::demo
