#pragma once

#include "zelt/control/Country.h"
#include "zelt/control/ErrorRecord.h"
#include "zelt/control/HostSite.h"
#include "zelt/control/LineMatch.h"
#include "zelt/control/Mode.h"
#include "zelt/control/OrderedItemsEvents.h"
#include "zelt/control/Services.h"
#include "zelt/platform/AvaTaxService.h"
#include "zelt/text/Currency.h"
#include "zelt/text/Locale.h"
#include "zelt/view/Form.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zelt {

/// The line-item editor of a purchase-order screen.
///
/// A host creates it, configures it through its properties, hands it the
/// lookup tables, the order's lines and its saved fees and taxes as delimited
/// text, lets the clerk edit, and reads the results back. Everything runs on
/// the caller's thread, one call at a time.
///
/// Naming: a property Get keeps its name (`ViewMode()`), a Let is the same name
/// prefixed with `set` (`setViewMode(Mode)`); methods keep their names.
/// Host-facing loads raise `zelt::InputError` on bad input and change nothing.
class OrderedItems {
public:
    explicit OrderedItems(Services services = {});
    ~OrderedItems();
    OrderedItems(const OrderedItems&) = delete;
    OrderedItems& operator=(const OrderedItems&) = delete;

    // ---- Embedding -------------------------------------------------------
    /// The host's event handler (may be null: events then go nowhere).
    void setEventSink(OrderedItemsEvents* events);
    /// The host's property store for "Mode" and "Country" (may be null).
    void setHostSite(HostSite* site);
    /// Number, currency and date conventions (en-US by default). Set it before
    /// loading: the amount boxes are rewritten in the new form, but texts the
    /// host hands over are read as they come.
    void setLocale(text::Locale locale);
    const text::Locale& locale() const;
    /// The abstract form: every widget by name and index. The window renders it.
    view::Form& form();
    const view::Form& form() const;

    // ---- Lines -----------------------------------------------------------
    /// Loads the order's lines (records of 21 fields; a record readData wrote,
    /// of 22 cells, loads again with its exemption). Bad input raises an
    /// InputError naming record and field, and nothing changes. More records
    /// than MaxLines() are refused the same way; the limit is checked as the
    /// records are read, so a text beyond it is read up to the limit first
    /// (staged aside, then dropped), not counted ahead of every load.
    void setReadData(std::string_view text);
    /// The most lines setReadData takes (1,000,000 unless the host sets it).
    std::size_t MaxLines() const;
    void setMaxLines(std::size_t maxLines);
    /// Exports the lines (records of 22 fields). While a line is open it tells
    /// the clerk and returns empty text; a line that cannot be exported is
    /// reported to the clerk and raises an ExportError (row, column, why).
    std::string readData();
    /// The lines as the AvaTax line list; fails as readData does.
    std::string readDataForAvalara();
    /// Adds lines from tab-separated rows (description, model, quantity,
    /// unit and unit price, which the checks require, then unit weight,
    /// carrier, acknowledgement price and number, which may be left out;
    /// a header row is optional) through
    /// the checks of the add button, as one undoable step. Refused rows are
    /// listed to the clerk, who decides whether to add the valid ones.
    /// Returns the number of lines added.
    int PasteLines(std::string_view rows);
    /// The selected lines (several after Shift or Ctrl clicks, or the current
    /// one) as tab-separated rows that PasteLines takes back, header row first.
    std::string CopyLines() const;
    /// The next line, from grid row `from` on (Forward) or back (Backward),
    /// whose description, model number, acknowledgement number or line
    /// number holds `text`, without regard to case or accents; past the last
    /// line the search goes on from the first, and back past the first from
    /// the last (wrapped), as does a `from` past the end it runs to. The row at `from`
    /// itself counts, so typing on keeps a line that still matches; the next
    /// match after row r is looked for from r + 1. Also counts the matching
    /// lines. Nothing moves: the host makes the row current (SelectLine).
    /// The first search after a load folds the order's texts once (about
    /// 60 bytes a line); later ones scan them, reading changed lines anew.
    /// With FindCount::Later a forward search returns as soon as it has its
    /// match, and the count is done by PrepareFindLines with the same text.
    LineMatch FindLines(std::string_view text, int from, FindDirection direction = FindDirection::Forward,
                        FindCount count = FindCount::Now) const;
    /// Does a slice of the work of the first search after a load: folds the
    /// texts of up to `lines` more lines; once every line is folded, and
    /// given a text, counts the lines holding it, `lines` at a time. True
    /// when every line is ready (and counted). A window calls it between
    /// events, so that no key waits for the whole order to be folded or a
    /// text's matches to be counted.
    bool PrepareFindLines(int lines, std::string_view text = {});
    /// Makes a line the current one, as the clerk's click on it does, and
    /// scrolls a window's grid to it. False when the row is not a line.
    bool SelectLine(int row);
    /// Takes back / does again the last line command (add, update, delete,
    /// paste, copied line, exemption change); false when there is none or a
    /// line is open. The last 100 commands can be taken back (fewer when they
    /// changed over two million cells together); loading an order clears the
    /// history.
    bool Undo();
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    /// The display text of a status code from the status list (the code
    /// itself when the list has no such entry): what a window shows in place
    /// of the Status column's code.
    std::string StatusDisplayText(std::string_view statusCode) const;
    /// The rows of the exempt lines, each followed by "|".
    std::string ExemptItems() const;

    // ---- Mode, dirty state and user ---------------------------------------
    Mode ViewMode() const;
    void setViewMode(Mode mode);
    /// The described unsaved-change flag. "Calculate Taxes & Fees" clears it,
    /// so it cannot tell a host whether work is unsaved: see Revision().
    bool IsDirty() const;
    void setIsDirty(bool dirty);
    /// Moves on with every change to the order (its lines, amounts, boxes and
    /// choices), whoever made it, a calculation included. A host keeps the
    /// value at its last load or save: a different value means unsaved work.
    std::uint64_t Revision() const;
    /// True while a line is open in the entry area (being added or edited):
    /// what the clerk typed there is not yet in the lines.
    bool IsLineOpen() const;
    /// True while the open line holds changes the clerk made since it opened.
    bool IsOpenLineChanged() const;
    /// The clerk's Esc: closes the open line unwritten, as its Cancel button
    /// does. When the line holds changes it asks first ("Discard the changes
    /// to this line item?"); No keeps the line open. Returns whether no line
    /// is open any more.
    bool CancelOpenLine();
    /// True when the clerk has changed the order since its taxes were last
    /// worked out ("Calculate Taxes & Fees", SetTaxNFees, the internal tax
    /// service): the total sales tax and the deposit may be out of date.
    bool TaxesOutOfDate() const;
    bool IsFirstInit() const;
    const std::string& PersonType() const;
    void setPersonType(std::string_view personType);
    void setIsTesting(std::string_view value);

    // ---- Order, centre and member -------------------------------------------
    void setCenterID(std::string_view centerID);
    const std::string& DeliveryAgentID() const;
    void setDeliveryAgentID(std::string_view id);
    std::string VendorDeliveryAgentID() const;
    void setIsCenterLevel(bool isCenterLevel);
    void setCurrentOrderStatus(std::int16_t status);
    void setVendorID(std::int32_t vendorID);
    void setMemberID(std::string_view memberID);
    void setCustomerOrderedDate(std::string_view date);
    void setZeltEvent(std::string_view eventName);
    const std::string& RewardsPoints() const;
    void setRewardsPoints(std::string_view points);
    double RewardsAmount() const;
    void setRewardsAmount(double amount);

    // ---- Command groups ---------------------------------------------------
    void setEnableControls(bool value);
    void setDisableControls(bool value);
    void setEnableFreightDeliveryOptions(bool enable);

    // ---- Delivery and freight options -------------------------------------
    void setDeliveryCheckBoxChecked(bool value);
    bool AllowHomeDelivery() const;
    bool HomeDeliveryAvailable() const;
    void setTransshipOrder(bool value);
    void setThirdPartyDelivery(bool value);
    void setNonCenterDelivery(bool value);
    std::string VendorFreightMethodID() const;
    void setVendorFreightMethodID(std::string_view id);
    void SetFreightOptionsFromMorrow(std::string_view xmlValue);
    void UpdateFreightComboBox(bool HomeDelivery);

    // ---- Fees ---------------------------------------------------------------
    void setAllowFreightOverride(bool allow);
    void setAllowEHDOverride(bool allow);
    std::string BrokerageFee() const;
    std::string DutyFee() const;
    std::string EnhancedDeliveryFee() const;
    std::string VendorServiceFee() const;
    std::string FreightFee() const;
    std::string CenterHandlingFee() const;
    /// The total deposit as a number; InputError when the box holds no number.
    double GetTotalAmount() const;
    void setBrokageFeeCode(std::string_view code);
    void setDutyFeeCode(std::string_view code);
    void setVendorServiceFeeCode(std::string_view code);
    void setHandlingFeeCode(std::string_view code);
    void setCenterDeliveryFrieghtCode(std::string_view code);
    void setHomeDeliveryEHDFrieghtCode(std::string_view code);
    void setNonCenterDeliveryFrieghtCode(std::string_view code);
    void setFeeCode(std::string_view code);
    void setBrokerageFeeTaxed(bool value);
    void setDutyFeeTaxed(bool value);
    void setHandlingFeeTaxed(bool value);
    void setVendorFeeTaxed(bool value);
    const std::string& FrieghtTaxable() const;
    void setFrieghtTaxable(std::string_view value);

    // ---- Freight rates and surcharges -----------------------------------------
    /// Loads the freight rates by weight (one record: four rates and a fifth
    /// field) and, where the vendor computes freight from rates, sets the
    /// freight for the order's total weight. InputError on bad input, with
    /// nothing changed.
    void LetFreightInfo(std::string_view ptFreightRates, std::string_view ptSurcharges = {});
    /// The rates as "0.0000" and a fixed "0.00", each followed by "$F$".
    std::string GetFreightInfo() const;
    void GetSurCharges(std::int16_t CarrierID, std::string_view EffectiveDate);
    void PutServerName(std::string_view ptServerName);
    void setUsesZeltD(bool value);

    // ---- Addresses --------------------------------------------------------------
    void setFromStreet1(std::string_view v);
    void setFromStreet2(std::string_view v);
    void setFromStreet3(std::string_view v);
    void setFromCity(std::string_view v);
    void setFromState(std::string_view v);
    void setFromZip(std::string_view v);
    void setFromCountry(std::string_view v);
    void setShipStreet1(std::string_view v);
    void setShipStreet2(std::string_view v);
    void setShipStreet3(std::string_view v);
    void setShipCity(std::string_view v);
    void setShipState(std::string_view v);
    void setShipZip(std::string_view v);
    void setShipCountry(std::string_view v);

    // ---- Taxes ---------------------------------------------------------------------
    void CountryID(COUNTRY piCountryID, std::int16_t piVendorCountryID);
    std::string CountryTaxRate() const;
    void setCountryTaxRate(std::string_view rate);
    std::string StateTaxRate() const;
    void setStateTaxRate(std::string_view rate);
    std::string CountyTaxRate() const;
    void setCountyTaxRate(std::string_view rate);
    std::string CityTaxRate() const;
    void setCityTaxRate(std::string_view rate);
    std::string LocalTaxRate() const;
    void setLocalTaxRate(std::string_view rate);
    void setCountryTaxableAmount(std::string_view amount);
    void setStateTaxableAmount(std::string_view amount);
    void setCountyTaxableAmount(std::string_view amount);
    void setCityTaxableAmount(std::string_view amount);
    void setLocalTaxableAmount(std::string_view amount);
    std::string LocalTaxInfo() const;
    void setUseNormalTaxes(std::string_view value);
    void setTaxLineExemptedCode(std::string_view code);
    void SetTaxNFees();
    /// Loads the saved fees and taxes, the vendor fee rules and the tax rates.
    void LetSalesTaxesNFees(std::string_view ptFees, std::string_view ptSalesTax = {},
                            std::string_view ptDutyBrkgFee = {});
    /// The tax and fee summary (28 fields).
    std::string GetSalesTaxesNFees() const;
    void UpdateTaxes();
    void EnableUpdateTaxes(bool value);
    void LoadTaxRates();

    // ---- Tax services -------------------------------------------------------------------
    void setInternalTaxServiceURL(std::string_view url);
    /// Posts the order to the internal tax service (InternalTaxServiceURL;
    /// empty: nothing happens) and writes the five taxes it answers, the total
    /// sales tax and the deposit, then raises GetTotalAmount. A failed
    /// exchange, an error status, a SOAP fault or an answer without the five
    /// amounts raise a ServiceError and change nothing.
    void CalculateTaxesFromVardonInternalService(std::string_view orderID, text::Currency totalMerchCostTax = {},
                                                 text::Currency totalFeeTotal = {});
    void setXMLComponentDownloadMessage(std::string_view message);
    void setXMLComponentDownloadURL(std::string_view url);
    void setAccount(std::string_view account);
    void setLicenseKey(std::string_view licenseKey);
    void setProfileClient(std::string_view client);
    void setUrl(std::string_view url);
    void setCompanyCode(std::string_view code);
    void setCustomerCode(std::string_view code);
    void setDocCode(std::string_view code);
    void SetConfig(platform::AvaTaxService& svc);
    void setTaxXML(std::string_view xml);
    const std::string& TaxDataXML() const;
    std::string GetTaxXML() const;
    const std::string& AvalavaErrorMessage() const;

    // ---- Services plumbing ---------------------------------------------------------------
    /// Posts a SOAP envelope and returns the answer with the SOAP wrapping
    /// removed, or the empty text on failure; a failure also goes to the
    /// event log and LastServiceFailure().
    std::string ReturnWebserviceXML(std::string_view AsmxUrl, std::string_view Host, std::string_view SOAPAction,
                                    std::string_view SOAPEnvelope, bool UpdateAddDeleteOnly = false);
    /// Plus signs to blanks, "%hh" to the Windows-1252 character, as UTF-8;
    /// a malformed escape raises text::RuntimeError (type mismatch).
    std::string URLDecode(std::string_view What);
    /// The last failed web exchange: service, address without credentials, why.
    const std::string& LastServiceFailure() const;
    /// Bounds of every web exchange (10 s to connect, 30 s in all, 8 MiB of answer by default).
    void setServiceTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds total);
    void setServiceMaxAnswerBytes(std::size_t bytes);
    void ErrorHandlerCenter(ErrorRecord& Err, std::string_view ptProcedureName,
                            std::string_view ptAdditionalErrorInfo, std::int32_t plEmployeeID = 0,
                            std::int16_t piSecurityType = 0, std::int32_t plCenterID = 0);
    /// Loads the lookup tables: statuses, units, carriers, Direction issues and
    /// the currency conversion rate. InputError on malformed text.
    void GetComboContent(std::string_view ptCmbPopulate, std::string_view ptFieldSeparator = "$F$",
                         std::string_view ptRecordSeparator = "$R$", std::string_view ptTableSeparator = "$T$");
    void fGetOderIDStatus(bool pbOrderStatus);
    bool IsPendingAcknowledgement() const;

    // ---- Kept, never read -------------------------------------------------------------------
    void setConnectionString(std::string_view v);
    void setUPSBaseXMLPath(std::string_view v);
    void setUPSAccessXMLPath(std::string_view v);
    void setPONumber(std::string_view v);
    void setOnlineOrderID(std::string_view v);
    void setDisablePaymentButton(bool v);
    void setExemptPermission(bool v);

private:
    struct Impl;
    friend struct ControlAccess;
    std::unique_ptr<Impl> impl_;
};

} // namespace zelt
