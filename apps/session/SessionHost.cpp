#include "SessionHost.h"

#include "SavedOrder.h"

#include <zelt/platform/MemoryEventLog.h>
#include <zelt/platform/RuleTableFreightCalculator.h>
#include <zelt/platform/Clock.h>

#include <cstdio>

namespace zelt::session {

SessionHost::SessionHost(std::ostream& out)
    : out_(out), boxes_(std::make_shared<SessionMessageBoxes>(out)),
      clock_(std::make_shared<platform::FixedClock>(platform::SystemClock().today()))
{
    makeControl();
}

void SessionHost::makeControl()
{
    if (control_) {
        control_->setEventSink(nullptr);
        control_->setHostSite(nullptr);
    }
    Services services;
    services.messageBoxes = boxes_;
    services.clock = clock_;
    services.eventLog = std::make_shared<platform::MemoryEventLog>();
    services.freight = std::make_shared<platform::RuleTableFreightCalculator>(
        platform::RuleTableFreightCalculator::fromJson(order_.freightRules));
    control_ = std::make_unique<OrderedItems>(std::move(services));
    control_->setEventSink(this);
    control_->setHostSite(this);
}

SessionHost::~SessionHost()
{
    control_->setEventSink(nullptr);
    control_->setHostSite(nullptr);
}

void SessionHost::setToday(text::Date date)
{
    clock_->set(date);
    if (!loaded_) {
        const text::Locale locale = control_->locale();
        makeControl();
        control_->setLocale(locale);
    }
}

void SessionHost::loadSample(Mode mode)
{
    loaded_ = true;
    if (!standIns_) standIns_ = std::make_unique<StandInServices>();
    keptFees_.reset();
    try {
        demo::loadSampleOrder(*control_, order_.inLocale(control_->locale()), mode, standIns_->addresses());
        if (!control_->LastServiceFailure().empty()) out_ << "  service failure: " << control_->LastServiceFailure() << "\n";
        out_ << "  loaded the sample order: " << control_->form().grdOrdItems.rows() - 1 << " lines\n";
    } catch (const std::exception& e) {
        out_ << "  load refused: " << e.what() << "\n";
    }
}

void SessionHost::switchMode(Mode mode)
{
    OrderedItems& control = *control_;
    if (!control.CancelOpenLine()) {
        out_ << "  the line stays open: the mode is as it was\n";
        return;
    }
    try {
        const demo::SampleOrder order = order_.inLocale(control.locale());
        demo::SavedOrder saved =
            demo::SavedOrder::from(control, order.fees, order.salesTax, order.brackets, order.surcharges);
        keptFees_.readBack(saved, control.ViewMode());
        saved.openIn(control, mode, standIns_ ? standIns_->addresses() : demo::ServiceAddresses{});
        out_ << "  opened the order as it stands\n";
    } catch (const std::exception& e) {
        out_ << "  mode switch refused: " << e.what() << "\n";
    }
}

std::string SessionHost::exportText(OrderedItems& control)
{
    std::string out;
    auto show = [&out](const char* name, auto read) {
        try {
            out += std::string(name) + ": " + read() + "\n";
        } catch (const std::exception& e) {
            out += std::string(name) + " refused: " + e.what() + "\n";
        }
    };
    show("readData", [&] { return control.readData(); });
    show("ExemptItems", [&] { return control.ExemptItems(); });
    show("GetSalesTaxesNFees", [&] { return control.GetSalesTaxesNFees(); });
    return out;
}

void SessionHost::GetCarrierID(std::int32_t& CarrID) { out_ << "  event GetCarrierID(" << CarrID << ")\n"; }

void SessionHost::GetTotalAmount(double& TotalAmount)
{
    char amount[64];
    std::snprintf(amount, sizeof amount, "%.2f", TotalAmount);
    out_ << "  event GetTotalAmount(" << amount << ")\n";
    demo::keepShownTaxes(*control_);
}

void SessionHost::ChangeToClubDelivery(std::int16_t& DeliveryTypeID)
{
    out_ << "  event ChangeToClubDelivery(" << DeliveryTypeID << ")\n";
}

void SessionHost::ChangeToHomeDelivery(std::int16_t& DeliveryTypeID)
{
    out_ << "  event ChangeToHomeDelivery(" << DeliveryTypeID << ")\n";
}

void SessionHost::PropertyChanged(std::string_view propertyName)
{
    out_ << "  event PropertyChanged(\"" << propertyName << "\")\n";
}

} // namespace zelt::session
