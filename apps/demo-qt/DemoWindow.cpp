#include "DemoWindow.h"

#include <zelt/platform/RuleTableFreightCalculator.h>

#include <QActionGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>

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
    file->addAction(tr("&Load sample order..."), QKeySequence::Open, this, [this] {
        if (mayDiscardChanges(tr("Open the sample order again and lose them?"))) loadOrder(widget_->control().ViewMode());
    });
    file->addAction(tr("&Export"), QKeySequence::Save, this, [this] { exportAll(); });
    file->addAction(tr("Save lines &as..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save lines as"), QStringLiteral("lines.txt"),
                                                          tr("Exchange text (*.txt)"));
        if (!path.isEmpty()) saveLinesTo(path);
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
    if (mayDiscardChanges(tr("Close the window and lose them?"))) event->accept();
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
    keptFees_.reset();
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
    OrderedItems& control = widget_->control();
    bool switched = false;
    // An open line is finished or let go first: its typing is not in the lines yet.
    if (control.CancelOpenLine()) {
        try {
            const std::uint64_t before = control.Revision();
            const bool unsaved = hasUnsavedWork();
            const SampleOrder order = order_.inLocale(control.locale());
            SavedOrder saved = SavedOrder::from(control, order.fees, order.salesTax, order.brackets);
            // Add Mode shows no saved fees or taxes (its totals start at zero):
            // the order's own are kept for the modes that show them.
            if (control.ViewMode() == Mode::AddMode && keptFees_) saved.fees = *keptFees_;
            else keptFees_ = saved.fees;
            saved.openIn(control, mode);
            // Work that was unsaved stays unsaved; a saved order stays saved.
            if (!unsaved) markSaved();
            else if (savedRevision_ == control.Revision()) savedRevision_ = before;
            log(tr("Opened the order as it stands in another mode"));
            statusBar()->showMessage(mode == Mode::AddMode
                                         ? tr("Add Mode: the lines are as they were; the fees and taxes are kept for the other modes")
                                         : tr("Mode switched; the order's lines and fees are as they were"),
                                     6000);
            switched = true;
        } catch (const std::exception& e) {
            log(tr("Mode switch refused: ") + QString::fromStdString(e.what()));
            statusBar()->showMessage(tr("The mode was not switched: %1").arg(QString::fromStdString(e.what())), 8000);
        }
    }
    checkModeMenu();
    return switched;
}

ServiceAddresses DemoWindow::addresses() const
{
    ServiceAddresses out{surchargeService_.serverName(), taxService_.url(), avaTaxService_.url(), kAvaTaxAccount,
                         kAvaTaxLicenseKey};
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
    if (complete) markSaved();
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
