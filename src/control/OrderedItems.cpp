#include "zelt/control/OrderedItems.h"

#include "control/ControlAccess.h"
#include "control/OrderedItemsImpl.h"
#include "text/SearchFold.h"
#include "core/Field.h"
#include "core/Jurisdictions.h"
#include "core/LineColumns.h"
#include "services/ErrorReport.h"
#include "services/OrderEventRules.h"
#include "core/HostInput.h"
#include "zelt/InputError.h"
#include "zelt/Version.h"
#include "zelt/text/RuntimeError.h"

namespace zelt {

using text::RuntimeError;

namespace {

/// A taxable amount the host sets: empty (no amount) or a number inside the
/// currency range, which every total it enters can carry.
std::string hostAmount(const char* member, std::string_view value, const text::Locale& locale)
{
    if (!value.empty()) (void)HostInput(member, locale).amount(value, std::nullopt, std::nullopt, "the amount");
    return std::string(value);
}

} // namespace

OrderedItems::Impl::Impl(Services services) : ctx(std::move(services))
{
    runCreationSequence();
    bindHandlers();
}

void OrderedItems::Impl::runTaxCalculationCommand() { taxCommand.run(); }

void OrderedItems::Impl::runCreationSequence()
{
    view::Form& f = ctx.form;
    ControlState& st = ctx.state;
    st.tableSeparator = "$T$";
    st.fieldSeparator = "$F$";
    st.recordSeparator = "$R$";
    f.txtCurrConversionRate.setText("1");
    st.carrierLinkVisited = false;
    f.lblCarrier.setForeColor(view::colors::kBlue);
    f.lblCarrier.setUnderline(true);
    f.lblCarrier.setBold(true);
    st.RewardsPoints = "0";
    st.RewardsAmount = 0;
    f.lblVersionNumber.setCaption(std::string("Version number: ") + std::to_string(kVersionMajor) + "." +
                                  std::to_string(kVersionMinor) + "." + std::to_string(kVersionPatch));
    st.AllowFreightOverride = false;
    f.chkAppFreight.setEnabled(false);
    st.AllowEHDOverride = true;
    f.chkAppEHD.setEnabled(true);
    st.factoryPickup = false;
    f.OptVndrCntryID[0].setValue(true);
    loader.load("");
    st.shadedColumns = kShadedColumns;
    for (int i : {1, 2, 4}) f.mnuCopyMenu[i].setEnabled(false);
    const text::Date today = ctx.services.clock->today();
    for (view::DatePicker* picker : {&f.DTPckrAklwdgmntDate, &f.DTPckrPriceListDate}) {
        picker->setCustomFormat("MMM dd, yyyy");
        picker->setValue(today);
    }
    for (int i = 0; i <= Field::kLastEntry; ++i) f.txtField[i].setLocked(true);
    if (!OrderEventRules::OrderEventAllowsTaxes(st.ZeltEvent)) f.cmdUpdateTaxes.setEnabled(false);
    st.IsFirstInit = true;
    st.deliveryCheckBoxChecked = false;
}

void OrderedItems::Impl::bindHandlers()
{
    fees.bind();
    taxes.bind();
    delivery.bind();
    commands.bind();
    entry.bind();
    entryHandlers.bind();
    ctx.form.cmdUpdateTaxes.Click = ctx.guard([this] { runTaxCalculationCommand(); });
}

OrderedItems::OrderedItems(Services services) : impl_(std::make_unique<Impl>(std::move(services))) {}
OrderedItems::~OrderedItems() = default;

// ---- Embedding ----------------------------------------------------------------
void OrderedItems::setEventSink(OrderedItemsEvents* events) { impl_->ctx.events = events; }
void OrderedItems::setHostSite(HostSite* site) { impl_->ctx.site = site; }
void OrderedItems::setLocale(text::Locale locale)
{
    ControlContext& ctx = impl_->ctx;
    const text::Locale previous = std::move(ctx.locale);
    ctx.locale = std::move(locale);
    ctx.grid().forgetNumbers(); // read in the old locale
    // The amount boxes the control filled before (the zeros of creation, a
    // load's totals) are written again in the new form, so that every box
    // reads in the locale the control now reads with.
    auto rewrite = [&](view::TextBox& box, int decimals) {
        if (auto v = text::tryToNumber(box.text(), previous)) box.setText(text::formatFixed(*v, decimals, ctx.locale));
    };
    view::Form& f = ctx.form;
    f.txtFee.forEach([&](int, view::TextBox& box) { rewrite(box, 2); });
    f.txtFieldTax.forEach([&](int, view::TextBox& box) { rewrite(box, 2); });
    for (int i : {Field::TotalSalesTax, Field::MerchandiseTotal}) rewrite(f.txtField[i], 2);
    rewrite(f.txtField[Field::TotalWeight], 3);
    // The lines' amounts too: a line loaded before the change would otherwise
    // hold a number the control can no longer read (and export).
    view::Grid& grid = ctx.grid();
    const bool sameForms =
        previous.decimalSeparator == ctx.locale.decimalSeparator && previous.groupSeparator == ctx.locale.groupSeparator;
    for (const ColumnFact& column : kColumns) {
        if (sameForms) break;
        const int decimals = lineAmountDecimals(column.display);
        if (decimals < 0) continue;
        for (int r = grid.fixedRows(); r < grid.rows(); ++r)
            if (auto v = text::tryToNumber(grid.text(r, column.col), previous))
                grid.setText(r, column.col, text::formatFixed(*v, decimals, ctx.locale));
    }
}
const text::Locale& OrderedItems::locale() const { return impl_->ctx.locale; }
view::Form& OrderedItems::form() { return impl_->ctx.form; }
const view::Form& OrderedItems::form() const { return impl_->ctx.form; }

// ---- Lines --------------------------------------------------------------------
// The taxes of an order the host loads are its own: current until the clerk changes it.
void OrderedItems::setReadData(std::string_view text)
{
    impl_->loader.load(text);
    impl_->ctx.state.taxesCurrentAt = impl_->ctx.form.clerkRevision();
}
std::size_t OrderedItems::MaxLines() const { return impl_->ctx.state.maxLines; }
void OrderedItems::setMaxLines(std::size_t maxLines) { impl_->ctx.state.maxLines = maxLines; }
std::string OrderedItems::readData() { return impl_->exporter.readData(); }
std::string OrderedItems::readDataForAvalara() { return impl_->exporter.readDataForAvalara(); }
std::string OrderedItems::CopyLines() const
{
    const view::Grid& grid = impl_->ctx.grid();
    std::vector<int> rows = grid.selectedRows();
    if (rows.empty() && grid.row() >= grid.fixedRows()) rows.push_back(grid.row());
    return impl_->paste.copy(rows);
}
LineMatch OrderedItems::FindLines(std::string_view text, int from, FindDirection direction, FindCount count) const
{
    const std::string folded = text::searchFolded(text);
    const view::Grid& grid = impl_->ctx.grid();
    const int first = grid.fixedRows();
    const int end = grid.rows();
    LineMatch match;
    if (folded.empty() || first >= end) return match;
    LineFinder& finder = impl_->finder;
    // Past either end the search starts over from the other one, as wrapped.
    if (direction == FindDirection::Forward) {
        const bool quickly = count == FindCount::Later;
        const auto firstFrom = [&](int begin, int stop) {
            return quickly ? finder.firstFromQuickly(folded, begin, stop) : finder.firstFrom(folded, begin, stop);
        };
        from = std::max(from, first);
        if (from < end) match.row = firstFrom(from, end);
        if (match.row < 0 && from > first) {
            match.row = firstFrom(first, std::min(from, end));
            match.wrapped = match.row >= 0;
        }
    } else {
        from = std::min(from, end - 1);
        if (from >= first) match.row = finder.lastFrom(folded, from, first);
        if (match.row < 0 && from < end - 1) {
            match.row = finder.lastFrom(folded, end - 1, std::max(from + 1, first));
            match.wrapped = match.row >= 0;
        }
    }
    if (match.row < 0) return match;
    // A first slice of the count right away: on an order of fewer lines the
    // count is then done, and nothing is left for later.
    constexpr std::size_t kLinesCountedAtOnce = 32768;
    if (!finder.counted(folded)) finder.countSome(folded, kLinesCountedAtOnce);
    if (!finder.counted(folded)) {
        match.counted = false;
        return match;
    }
    const std::size_t before = finder.count(folded, first, match.row);
    match.index = before + 1;
    match.count = before + finder.count(folded, match.row, end);
    return match;
}
bool OrderedItems::PrepareFindLines(int lines, std::string_view text)
{
    const auto slice = static_cast<std::size_t>(std::max(lines, 1));
    LineFinder& finder = impl_->finder;
    if (text.empty()) return finder.prepare(slice);
    const std::string folded = text::searchFolded(text);
    return folded.empty() ? finder.prepare(slice) : finder.countSome(folded, slice);
}
bool OrderedItems::SelectLine(int row)
{
    view::Grid& grid = impl_->ctx.grid();
    if (row < grid.fixedRows() || row >= grid.rows()) return false;
    grid.userClick(row, std::max(grid.col(), 0));
    return grid.row() == row;
}
// Paste, undo and redo are the clerk's commands, whoever calls them.
int OrderedItems::PasteLines(std::string_view rows)
{
    const view::ClerkAction clerk(&impl_->ctx.form);
    return impl_->paste.paste(rows);
}
bool OrderedItems::Undo()
{
    const view::ClerkAction clerk(&impl_->ctx.form);
    return impl_->commands.undo();
}
bool OrderedItems::Redo()
{
    const view::ClerkAction clerk(&impl_->ctx.form);
    return impl_->commands.redo();
}
bool OrderedItems::CanUndo() const
{
    return impl_->ctx.form.cmdAdd.caption() == "Add" && impl_->history.canUndo();
}
std::string OrderedItems::StatusDisplayText(std::string_view statusCode) const
{
    const LookupLists& lists = impl_->ctx.lists;
    return lists.displayForCode(lists.statusList, statusCode).value_or(std::string(statusCode));
}
bool OrderedItems::CanRedo() const
{
    return impl_->ctx.form.cmdAdd.caption() == "Add" && impl_->history.canRedo();
}
std::string OrderedItems::ExemptItems() const { return impl_->ctx.form.txtHiddenExemptTracker.text(); }

// ---- Mode, dirty state and user ---------------------------------------------
Mode OrderedItems::ViewMode() const { return impl_->ctx.state.mode; }
void OrderedItems::setViewMode(Mode mode)
{
    impl_->ctx.state.mode = mode;
    impl_->ctx.propertyChanged("Mode");
}
bool OrderedItems::IsDirty() const { return impl_->ctx.state.IsDirty; }
std::uint64_t OrderedItems::Revision() const { return impl_->ctx.form.revision(); }
bool OrderedItems::IsOpenLineChanged() const
{
    return IsLineOpen() && impl_->entryArea.values() != impl_->ctx.state.openLineValues;
}
bool OrderedItems::CancelOpenLine()
{
    ControlContext& ctx = impl_->ctx;
    const view::ClerkAction clerk(&ctx.form);
    if (!IsLineOpen()) return true;
    if (IsOpenLineChanged() &&
        ctx.services.messageBoxes->show({"Discard the changes to this line item?", "Line Item",
                                         view::MessageBoxButtons::YesNo, view::MessageBoxIcon::Question, true}) !=
            view::MessageBoxAnswer::Yes)
        return false;
    if (ctx.form.cmdEdit.caption() == "Cancel") ctx.form.cmdEdit.userClick();
    return !IsLineOpen();
}
bool OrderedItems::TaxesOutOfDate() const
{
    return impl_->ctx.form.clerkRevision() != impl_->ctx.state.taxesCurrentAt;
}
bool OrderedItems::IsLineOpen() const
{
    const std::string& add = impl_->ctx.form.cmdAdd.caption();
    return add == "Add to Grid" || add == "Update";
}
void OrderedItems::setIsDirty(bool dirty) { impl_->ctx.state.IsDirty = dirty; }
bool OrderedItems::IsFirstInit() const { return impl_->ctx.state.IsFirstInit; }
const std::string& OrderedItems::PersonType() const { return impl_->ctx.state.PersonType; }
void OrderedItems::setPersonType(std::string_view personType) { impl_->ctx.state.PersonType = personType; }
void OrderedItems::setIsTesting(std::string_view) {}

// ---- Order, centre and member --------------------------------------------------
void OrderedItems::setCenterID(std::string_view centerID)
{
    impl_->ctx.state.CenterID = text::formatZeroPadded3(centerID, impl_->ctx.locale);
}
const std::string& OrderedItems::DeliveryAgentID() const { return impl_->ctx.state.DeliveryAgentID; }
void OrderedItems::setDeliveryAgentID(std::string_view id) { impl_->ctx.state.DeliveryAgentID = id; }
std::string OrderedItems::VendorDeliveryAgentID() const
{
    const std::string& id = impl_->ctx.state.DeliveryAgentID;
    return impl_->ctx.isNumeric(id) ? id : "0";
}
void OrderedItems::setIsCenterLevel(bool v) { impl_->ctx.state.IsCenterLevel = v; }
void OrderedItems::setCurrentOrderStatus(std::int16_t v) { impl_->ctx.state.CurrentOrderStatus = v; }
void OrderedItems::setVendorID(std::int32_t v) { impl_->ctx.state.VendorID = v; }
void OrderedItems::setMemberID(std::string_view v) { impl_->ctx.state.MemberID = v; }
void OrderedItems::setCustomerOrderedDate(std::string_view v) { impl_->ctx.state.CustomerOrderedDate = v; }
void OrderedItems::setZeltEvent(std::string_view v) { impl_->ctx.state.ZeltEvent = v; }
const std::string& OrderedItems::RewardsPoints() const { return impl_->ctx.state.RewardsPoints; }
void OrderedItems::setRewardsPoints(std::string_view v) { impl_->ctx.state.RewardsPoints = v; }
double OrderedItems::RewardsAmount() const { return impl_->ctx.state.RewardsAmount; }
void OrderedItems::setRewardsAmount(double v)
{
    if (!isAmountInRange(v))
        throw InputError("RewardsAmount", std::nullopt, std::nullopt, "the amount is not a number inside the currency range");
    impl_->ctx.state.RewardsAmount = v;
}

// ---- Command groups ------------------------------------------------------------
void OrderedItems::setEnableControls(bool)
{
    view::Form& f = impl_->ctx.form;
    f.cmdAdd.setEnabled(true);
    f.cboFreightOptions[0].setEnabled(true);
    f.cmdUpdateTaxes.setEnabled(false);
}

void OrderedItems::setDisableControls(bool)
{
    view::Form& f = impl_->ctx.form;
    f.cmdAdd.setEnabled(false);
    f.cboFreightOptions[0].setEnabled(false);
    f.cmdUpdateTaxes.setEnabled(false);
}

void OrderedItems::setEnableFreightDeliveryOptions(bool enable)
{
    view::ComboBox& options = impl_->ctx.form.cboFreightOptions[0];
    const std::string wanted = std::to_string(impl_->ctx.state.VendorFreightMethodID);
    for (int i = 0; i < options.listCount(); ++i)
        if (std::to_string(options.itemData(i)) == wanted) {
            options.setListIndex(i);
            break;
        }
    options.setEnabled(enable);
}

// ---- Delivery and freight options -------------------------------------------------
void OrderedItems::setDeliveryCheckBoxChecked(bool) { impl_->ctx.state.deliveryCheckBoxChecked = true; }
bool OrderedItems::AllowHomeDelivery() const { return impl_->ctx.form.cboFreightOptions[0].listCount() >= 2; }
bool OrderedItems::HomeDeliveryAvailable() const { return false; }
void OrderedItems::setTransshipOrder(bool v) { impl_->delivery.setTransshipOrder(v); }
void OrderedItems::setThirdPartyDelivery(bool v) { impl_->delivery.setThirdPartyDelivery(v); }
void OrderedItems::setNonCenterDelivery(bool v) { impl_->ctx.state.NonCenterDelivery = v; }
std::string OrderedItems::VendorFreightMethodID() const
{
    return std::to_string(impl_->ctx.state.VendorFreightMethodID);
}
void OrderedItems::setVendorFreightMethodID(std::string_view id)
{
    try {
        const std::int32_t method = text::toInt32(impl_->ctx.number(id));
        impl_->delivery.setVendorFreightMethodID(method, id);
    } catch (const RuntimeError& e) {
        throw InputError("VendorFreightMethodID", std::nullopt, std::nullopt,
                         "\"" + std::string(id.substr(0, 40)) + "\": " + e.description());
    }
}
void OrderedItems::SetFreightOptionsFromMorrow(std::string_view xmlValue)
{
    impl_->delivery.SetFreightOptionsFromMorrow(xmlValue);
}
void OrderedItems::UpdateFreightComboBox(bool HomeDelivery) { impl_->delivery.UpdateFreightComboBox(HomeDelivery); }

// ---- Fees ------------------------------------------------------------------------------
void OrderedItems::setAllowFreightOverride(bool allow)
{
    impl_->ctx.state.AllowFreightOverride = allow;
    impl_->ctx.form.chkAppFreight.setEnabled(allow);
}
void OrderedItems::setAllowEHDOverride(bool allow)
{
    impl_->ctx.state.AllowEHDOverride = allow;
    impl_->ctx.form.chkAppEHD.setEnabled(allow);
}
std::string OrderedItems::BrokerageFee() const { return impl_->ctx.form.txtFee[0].text(); }
std::string OrderedItems::DutyFee() const { return impl_->ctx.form.txtFee[1].text(); }
std::string OrderedItems::EnhancedDeliveryFee() const { return impl_->ctx.form.txtFee[2].text(); }
std::string OrderedItems::VendorServiceFee() const { return impl_->ctx.form.txtFee[3].text(); }
std::string OrderedItems::FreightFee() const { return impl_->ctx.form.txtFee[4].text(); }
std::string OrderedItems::CenterHandlingFee() const { return impl_->ctx.form.txtFee[5].text(); }
double OrderedItems::GetTotalAmount() const
{
    const std::string& deposit = impl_->ctx.form.txtFee[6].text();
    if (auto v = text::tryToNumber(deposit, impl_->ctx.locale)) return *v;
    throw InputError("GetTotalAmount", std::nullopt, std::nullopt,
                     "the total deposit " + quoteInput(deposit) + " is not a number");
}
void OrderedItems::setBrokageFeeCode(std::string_view v) { impl_->ctx.state.BrokageFeeCode = v; }
void OrderedItems::setDutyFeeCode(std::string_view v) { impl_->ctx.state.DutyFeeCode = v; }
void OrderedItems::setVendorServiceFeeCode(std::string_view v) { impl_->ctx.state.VendorServiceFeeCode = v; }
void OrderedItems::setHandlingFeeCode(std::string_view v) { impl_->ctx.state.HandlingFeeCode = v; }
void OrderedItems::setCenterDeliveryFrieghtCode(std::string_view v) { impl_->ctx.state.CenterDeliveryFrieghtCode = v; }
void OrderedItems::setHomeDeliveryEHDFrieghtCode(std::string_view v) { impl_->ctx.state.HomeDeliveryEHDFrieghtCode = v; }
void OrderedItems::setNonCenterDeliveryFrieghtCode(std::string_view v)
{
    impl_->ctx.state.NonCenterDeliveryFrieghtCode = v;
}
void OrderedItems::setFeeCode(std::string_view v) { impl_->ctx.state.FeeCode = v; }
void OrderedItems::setBrokerageFeeTaxed(bool v) { impl_->ctx.state.BrokerageFeeTaxed = v; }
void OrderedItems::setDutyFeeTaxed(bool v) { impl_->ctx.state.DutyFeeTaxed = v; }
void OrderedItems::setHandlingFeeTaxed(bool v) { impl_->ctx.state.HandlingFeeTaxed = v; }
void OrderedItems::setVendorFeeTaxed(bool v) { impl_->ctx.state.VendorFeeTaxed = v; }
const std::string& OrderedItems::FrieghtTaxable() const { return impl_->ctx.state.FrieghtTaxable; }
void OrderedItems::setFrieghtTaxable(std::string_view v) { impl_->ctx.state.FrieghtTaxable = v; }

// ---- Freight rates and surcharges --------------------------------------------------------
void OrderedItems::LetFreightInfo(std::string_view ptFreightRates, std::string_view ptSurcharges)
{
    impl_->freight.LetFreightInfo(ptFreightRates, ptSurcharges);
}
std::string OrderedItems::GetFreightInfo() const { return impl_->freight.GetFreightInfo(); }
void OrderedItems::GetSurCharges(std::int16_t CarrierID, std::string_view EffectiveDate)
{
    impl_->surcharges.GetSurCharges(CarrierID, EffectiveDate);
}
void OrderedItems::PutServerName(std::string_view ptServerName) { impl_->surcharges.PutServerName(ptServerName); }
void OrderedItems::setUsesZeltD(bool v) { impl_->ctx.state.UsesZeltD = v; }

// ---- Addresses ------------------------------------------------------------------------------
void OrderedItems::setFromStreet1(std::string_view v) { impl_->ctx.state.FromStreet1 = v; }
void OrderedItems::setFromStreet2(std::string_view v) { impl_->ctx.state.FromStreet2 = v; }
void OrderedItems::setFromStreet3(std::string_view v) { impl_->ctx.state.FromStreet3 = v; }
void OrderedItems::setFromCity(std::string_view v) { impl_->ctx.state.FromCity = v; }
void OrderedItems::setFromState(std::string_view v) { impl_->ctx.state.FromState = v; }
void OrderedItems::setFromZip(std::string_view v) { impl_->ctx.state.FromZip = v; }
void OrderedItems::setFromCountry(std::string_view v) { impl_->ctx.state.FromCountry = v; }
void OrderedItems::setShipStreet1(std::string_view v) { impl_->ctx.state.ShipStreet1 = v; }
void OrderedItems::setShipStreet2(std::string_view v) { impl_->ctx.state.ShipStreet2 = v; }
void OrderedItems::setShipStreet3(std::string_view v) { impl_->ctx.state.ShipStreet3 = v; }
void OrderedItems::setShipCity(std::string_view v) { impl_->ctx.state.ShipCity = v; }
void OrderedItems::setShipState(std::string_view v) { impl_->ctx.state.ShipState = v; }
void OrderedItems::setShipZip(std::string_view v) { impl_->ctx.state.ShipZip = v; }
void OrderedItems::setShipCountry(std::string_view v)
{
    impl_->ctx.state.ShipCountry = v;
    impl_->taxes.applyCountryLabels(isCanadianShipCountry(impl_->ctx.state.ShipCountry));
}

// ---- Taxes ------------------------------------------------------------------------------------
void OrderedItems::CountryID(COUNTRY piCountryID, std::int16_t piVendorCountryID)
{
    impl_->ctx.state.orderCountry = piCountryID;
    impl_->ctx.state.vendorCountry = piVendorCountryID;
    impl_->taxes.applyCountryLabels(piCountryID == COUNTRY::CANADA);
    impl_->ctx.propertyChanged("Country");
}
std::string OrderedItems::CountryTaxRate() const { return impl_->ctx.form.txtHiddenCountryTaxRate.text(); }
void OrderedItems::setCountryTaxRate(std::string_view r) { impl_->ctx.form.txtHiddenCountryTaxRate.setText(std::string(r)); }
std::string OrderedItems::StateTaxRate() const { return impl_->ctx.form.txtHiddenStateTaxRate.text(); }
void OrderedItems::setStateTaxRate(std::string_view r) { impl_->ctx.form.txtHiddenStateTaxRate.setText(std::string(r)); }
std::string OrderedItems::CountyTaxRate() const { return impl_->ctx.form.txtHiddenCountyTaxRate.text(); }
void OrderedItems::setCountyTaxRate(std::string_view r) { impl_->ctx.form.txtHiddenCountyTaxRate.setText(std::string(r)); }
std::string OrderedItems::CityTaxRate() const { return impl_->ctx.form.txtHiddenCityTaxRate.text(); }
void OrderedItems::setCityTaxRate(std::string_view r) { impl_->ctx.form.txtHiddenCityTaxRate.setText(std::string(r)); }
std::string OrderedItems::LocalTaxRate() const { return impl_->ctx.form.txtHiddenLocalTaxRate.text(); }
void OrderedItems::setLocalTaxRate(std::string_view r) { impl_->ctx.form.txtHiddenLocalTaxRate.setText(std::string(r)); }
void OrderedItems::setCountryTaxableAmount(std::string_view v)
{
    impl_->ctx.state.CountryTaxableAmount = hostAmount("CountryTaxableAmount", v, impl_->ctx.locale);
}
void OrderedItems::setStateTaxableAmount(std::string_view v)
{
    impl_->ctx.state.StateTaxableAmount = hostAmount("StateTaxableAmount", v, impl_->ctx.locale);
}
void OrderedItems::setCountyTaxableAmount(std::string_view v)
{
    impl_->ctx.state.CountyTaxableAmount = hostAmount("CountyTaxableAmount", v, impl_->ctx.locale);
}
void OrderedItems::setCityTaxableAmount(std::string_view v)
{
    impl_->ctx.state.CityTaxableAmount = hostAmount("CityTaxableAmount", v, impl_->ctx.locale);
}
void OrderedItems::setLocalTaxableAmount(std::string_view v)
{
    impl_->ctx.state.LocalTaxableAmount = hostAmount("LocalTaxableAmount", v, impl_->ctx.locale);
}
std::string OrderedItems::LocalTaxInfo() const { return impl_->ctx.form.txtHiddenLocalTaxInfo.text(); }
void OrderedItems::setUseNormalTaxes(std::string_view v) { impl_->ctx.state.UseNormalTaxes = v; }
void OrderedItems::setTaxLineExemptedCode(std::string_view v) { impl_->ctx.state.TaxLineExemptedCode = v; }
void OrderedItems::SetTaxNFees() { impl_->taxes.SetTaxNFees(); }
void OrderedItems::LetSalesTaxesNFees(std::string_view ptFees, std::string_view ptSalesTax, std::string_view ptDutyBrkgFee)
{
    impl_->exchange.LetSalesTaxesNFees(ptFees, ptSalesTax, ptDutyBrkgFee);
    impl_->ctx.state.taxesCurrentAt = impl_->ctx.form.clerkRevision();
}
std::string OrderedItems::GetSalesTaxesNFees() const { return impl_->exchange.GetSalesTaxesNFees(); }
void OrderedItems::UpdateTaxes() { impl_->runTaxCalculationCommand(); }
void OrderedItems::EnableUpdateTaxes(bool value) { impl_->ctx.form.cmdUpdateTaxes.setEnabled(value); }
void OrderedItems::LoadTaxRates() {}

// ---- Tax services -------------------------------------------------------------------------------
void OrderedItems::setInternalTaxServiceURL(std::string_view v) { impl_->ctx.state.InternalTaxServiceURL = v; }
void OrderedItems::CalculateTaxesFromVardonInternalService(std::string_view orderID, text::Currency totalMerchCostTax,
                                                           text::Currency /*totalFeeTotal: accepted, not used*/)
{
    impl_->internalTax.CalculateTaxesFromVardonInternalService(orderID, totalMerchCostTax);
}
void OrderedItems::setXMLComponentDownloadMessage(std::string_view v) { impl_->ctx.state.XMLComponentDownloadMessage = v; }
void OrderedItems::setXMLComponentDownloadURL(std::string_view v) { impl_->ctx.state.XMLComponentDownloadURL = v; }
void OrderedItems::setAccount(std::string_view v) { impl_->ctx.state.Account = v; }
void OrderedItems::setLicenseKey(std::string_view v) { impl_->ctx.state.LicenseKey = v; }
void OrderedItems::setProfileClient(std::string_view v) { impl_->ctx.state.ProfileClient = v; }
void OrderedItems::setUrl(std::string_view v) { impl_->ctx.state.Url = v; }
void OrderedItems::setCompanyCode(std::string_view v) { impl_->ctx.state.CompanyCode = v; }
void OrderedItems::setCustomerCode(std::string_view v) { impl_->ctx.state.CustomerCode = v; }
void OrderedItems::setDocCode(std::string_view v) { impl_->ctx.state.DocCode = v; }
void OrderedItems::SetConfig(platform::AvaTaxService& svc)
{
    TaxCommand::configure(impl_->ctx.state, svc);
}
void OrderedItems::setTaxXML(std::string_view v) { impl_->ctx.state.TaxXML = v; }
const std::string& OrderedItems::TaxDataXML() const { return impl_->ctx.state.TaxDataXML; }
std::string OrderedItems::GetTaxXML() const { return {}; }
const std::string& OrderedItems::AvalavaErrorMessage() const { return impl_->ctx.state.AvalavaErrorMessage; }

// ---- Services plumbing ---------------------------------------------------------------------------
std::string OrderedItems::ReturnWebserviceXML(std::string_view AsmxUrl, std::string_view Host,
                                              std::string_view SOAPAction, std::string_view SOAPEnvelope,
                                              bool UpdateAddDeleteOnly)
{
    return impl_->soap.ReturnWebserviceXML(AsmxUrl, Host, SOAPAction, SOAPEnvelope, UpdateAddDeleteOnly);
}
std::string OrderedItems::URLDecode(std::string_view What) { return zelt::URLDecode(What); }
const std::string& OrderedItems::LastServiceFailure() const { return impl_->ctx.state.lastServiceFailure; }
void OrderedItems::setServiceTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds total)
{
    impl_->ctx.state.serviceConnectTimeout = connect;
    impl_->ctx.state.serviceTotalTimeout = total;
}
void OrderedItems::setServiceMaxAnswerBytes(std::size_t bytes) { impl_->ctx.state.serviceMaxAnswerBytes = bytes; }
void OrderedItems::ErrorHandlerCenter(ErrorRecord& Err, std::string_view ptProcedureName,
                                      std::string_view ptAdditionalErrorInfo, std::int32_t plEmployeeID,
                                      std::int16_t piSecurityType, std::int32_t plCenterID)
{
    // The record is read now, written as one entry, and cleared only when
    // the entry was written.
    impl_->ctx.services.eventLog->write(errorLogEntry(Err, ptProcedureName, ptAdditionalErrorInfo, plEmployeeID,
                                                      piSecurityType, plCenterID));
    Err.Clear();
}
void OrderedItems::GetComboContent(std::string_view ptCmbPopulate, std::string_view ptFieldSeparator,
                                   std::string_view ptRecordSeparator, std::string_view ptTableSeparator)
{
    impl_->combos.GetComboContent(ptCmbPopulate, ptFieldSeparator, ptRecordSeparator, ptTableSeparator);
}
void OrderedItems::fGetOderIDStatus(bool pbOrderStatus) { impl_->ctx.state.orderStatusFlag = pbOrderStatus; }
bool OrderedItems::IsPendingAcknowledgement() const
{
    return OrderEventRules::IsPendingAcknowledgement(impl_->ctx.grid(), impl_->ctx.lists, impl_->ctx.locale);
}

// ---- Kept, never read ---------------------------------------------------------------------------------
void OrderedItems::setConnectionString(std::string_view v) { impl_->ctx.state.ConnectionString = v; }
void OrderedItems::setUPSBaseXMLPath(std::string_view v) { impl_->ctx.state.UPSBaseXMLPath = v; }
void OrderedItems::setUPSAccessXMLPath(std::string_view v) { impl_->ctx.state.UPSAccessXMLPath = v; }
void OrderedItems::setPONumber(std::string_view v) { impl_->ctx.state.PONumber = v; }
void OrderedItems::setOnlineOrderID(std::string_view v) { impl_->ctx.state.OnlineOrderID = v; }
void OrderedItems::setDisablePaymentButton(bool v) { impl_->ctx.state.DisablePaymentButton = v; }
void OrderedItems::setExemptPermission(bool v) { impl_->ctx.state.ExemptPermission = v; }

} // namespace zelt

namespace zelt {

ControlContext& ControlAccess::context(OrderedItems& control) { return control.impl_->ctx; }
const ControlState& ControlAccess::state(const OrderedItems& control) { return control.impl_->ctx.state; }

} // namespace zelt
