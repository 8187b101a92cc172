#include "DemoWindow.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <zelt/platform/RuleTableFreightCalculator.h>

#include <algorithm>
#include <cstdlib>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSplitter>

namespace zelt::demo {

DemoWindow::DemoWindow(SampleOrder order, Services services, const QLocale& locale) : order_(std::move(order))
{
    setWindowTitle(QStringLiteral("Purchase order - ZeltOrderedItems demo host"));
    auto* splitter = new QSplitter(this);
    splitter_ = splitter;
    if (!services.freight)
        services.freight = std::make_shared<platform::RuleTableFreightCalculator>(
            platform::RuleTableFreightCalculator::fromJson(order_.freightRules));
    widget_ = new OrderedItemsWidget(splitter, std::move(services), locale);
    log_ = new QPlainTextEdit(splitter);
    log_->setReadOnly(true);
    log_->setPlaceholderText(QStringLiteral("Events the control raises to the host"));
    splitter->addWidget(widget_);
    splitter->addWidget(log_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({1000, 280});
    log_->setMinimumWidth(160);
    setCentralWidget(splitter);

    OrderedItems& control = widget_->control();
    control.setEventSink(this);
    control.setHostSite(this);

    QMenu* file = menuBar()->addMenu(tr("&Order"));
    file->addAction(tr("&Load sample order"), QKeySequence::Open, this, [this] {
        if (mayDiscardChanges()) loadOrder(widget_->control().ViewMode());
    });
    file->addAction(tr("&Export"), QKeySequence::Save, this, [this] { exportAll(); });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });

    QMenu* modes = menuBar()->addMenu(tr("&Mode"));
    auto* group = new QActionGroup(this);
    const std::pair<Mode, QString> entries[] = {{Mode::AddMode, tr("&Add")},
                                                {Mode::UpdateMode, tr("&Update")},
                                                {Mode::ViewMode, tr("&View")},
                                                {Mode::LineCancelMode, tr("&Line cancel")}};
    for (const auto& [mode, name] : entries) {
        // Each mode opens the sample order afresh, as a host opens an order in a mode.
        QAction* action = modes->addAction(name);
        QObject::connect(action, &QAction::triggered, this, [this, group, m = mode] {
            if (mayDiscardChanges()) {
                loadOrder(m);
                return;
            }
            // The order stays in its mode: so does the menu.
            const int current = static_cast<int>(widget_->control().ViewMode());
            group->actions().at(current)->setChecked(true);
        });
        action->setCheckable(true);
        action->setChecked(mode == Mode::UpdateMode);
        group->addAction(action);
    }
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
}

bool DemoWindow::mayDiscardChanges()
{
    if (!widget_->control().IsDirty()) return true;
    return QMessageBox::question(this, windowTitle(),
                                 tr("The order has changes. Open the sample order again and lose them?")) ==
           QMessageBox::Yes;
}

void DemoWindow::loadOrder(Mode mode)
{
    try {
        loadSampleOrder(widget_->control(), order_.inLocale(widget_->control().locale()), mode, addresses());
        const std::string& failure = widget_->control().LastServiceFailure();
        if (!failure.empty()) log(QStringLiteral("Service failure: ") + QString::fromStdString(failure));
        log(QStringLiteral("Loaded the sample order"));
    } catch (const std::exception& e) {
        log(QStringLiteral("Load refused: ") + QString::fromStdString(e.what()));
    }
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
    auto show = [this](const QString& name, auto read) {
        try {
            log(name + QStringLiteral(": ") + QString::fromStdString(read()));
        } catch (const std::exception& e) {
            log(name + QStringLiteral(" refused: ") + QString::fromStdString(e.what()));
        }
    };
    show(QStringLiteral("readData"), [&] { return control.readData(); });
    show(QStringLiteral("ExemptItems"), [&] { return control.ExemptItems(); });
    show(QStringLiteral("GetSalesTaxesNFees"), [&] { return control.GetSalesTaxesNFees(); });
    log(QStringLiteral("IsDirty: ") + (control.IsDirty() ? QStringLiteral("True") : QStringLiteral("False")));
}

void DemoWindow::GetCarrierID(std::int32_t& CarrID) { log(QStringLiteral("GetCarrierID(%1)").arg(CarrID)); }

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
