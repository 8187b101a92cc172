#pragma once

#include <zelt/OrderedItemsWidget.h>

#include "AvaTaxStandIn.h"
#include "InternalTaxStandIn.h"
#include "SampleOrder.h"
#include "SurchargeStandIn.h"

#include <QLocale>
#include <QMainWindow>

class QPlainTextEdit;
class QSplitter;

namespace zelt::demo {

/// The demo host: the control on an order screen, a pane that logs every event
/// the control raises to its host, and menus to load, export and switch modes.
class DemoWindow : public QMainWindow, public OrderedItemsEvents, public HostSite {
public:
    DemoWindow(SampleOrder order, Services services, const QLocale& locale = QLocale::system());

    OrderedItemsWidget& orderedItems() { return *widget_; }
    void log(const QString& text);
    void loadOrder(Mode mode);
    /// True when the order has no changes, or the user lets them go.
    bool mayDiscardChanges();
    void exportAll();

    // OrderedItemsEvents
    void GetCarrierID(std::int32_t& CarrID) override;
    void GetTotalAmount(double& TotalAmount) override;
    void ChangeToClubDelivery(std::int16_t& DeliveryTypeID) override;
    void ChangeToHomeDelivery(std::int16_t& DeliveryTypeID) override;
    // HostSite
    void PropertyChanged(std::string_view propertyName) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSplitter* splitter_ = nullptr;
    SampleOrder order_;
    /// The surcharge and internal tax services, stood in on loopback so that
    /// the demo runs with no servers around it.
    standins::SurchargeStandIn surchargeService_{{{1, 0.04}, {2, 0.06}, {3, 0.05}}};
    standins::InternalTaxStandIn taxService_;
    /// AvaTax for the tax command: the stand-in, or the real service when
    /// ZELT_AVATAX_URL, ZELT_AVATAX_ACCOUNT and ZELT_AVATAX_LICENSE_KEY are set.
    static constexpr const char* kAvaTaxAccount = "1100000000";
    static constexpr const char* kAvaTaxLicenseKey = "DEMO0LICENCE0KEY";
    standins::AvaTaxStandIn avaTaxService_{kAvaTaxAccount, kAvaTaxLicenseKey};
    ServiceAddresses addresses() const;
    OrderedItemsWidget* widget_;
    QPlainTextEdit* log_;
};

} // namespace zelt::demo
