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
///
/// Errors the members raise, all of them `zelt::Error`:
/// - zelt::InputError: bad text or values from the host (the loads, the
///   amounts and identifiers it sets), with nothing changed;
/// - zelt::ExportError: readData() and readDataForAvalara() when a line cannot
///   be exported;
/// - zelt::ServiceError: CalculateTaxesFromVardonInternalService() when the
///   internal tax service gives no usable answer;
/// - zelt::text::RuntimeError: URLDecode() on a malformed escape.
///
/// The clerk's commands ("Calculate Taxes & Fees", the line buttons) and the
/// other web services raise nothing: they tell the clerk in a message box or
/// record the failure (LastServiceFailure()).
///
/// Events (OrderedItemsEvents, set with setEventSink()):
/// - GetTotalAmount whenever a new total deposit is written: SetTaxNFees(),
///   the tax command (UpdateTaxes(), its button, a tax override, an
///   exemption changed on a placed order), a key typed into a tax box, and
///   CalculateTaxesFromVardonInternalService();
/// - ChangeToClubDelivery / ChangeToHomeDelivery whenever the selected
///   delivery option changes, by the clerk or by a host call that selects
///   one (SetFreightOptionsFromMorrow(), setVendorFreightMethodID(),
///   setEnableFreightDeliveryOptions(), setTransshipOrder(),
///   UpdateFreightComboBox(), LetSalesTaxesNFees()); not while IsFirstInit()
///   holds, nor for the first change after setDeliveryCheckBoxChecked();
/// - GetCarrierID when the clerk clicks the carrier link of a line.
class OrderedItems {
public:
    /// Creates the control in Add Mode with an empty order. Services left empty
    /// get their defaults (see Services); the clock's date goes into the date
    /// pickers. Raises nothing.
    explicit OrderedItems(Services services = {});
    /// Destroys the control; the host's event sink and site are not called.
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
    /// The conventions set by setLocale.
    const text::Locale& locale() const;
    /// The abstract form: every widget by name and index. The window renders it.
    view::Form& form();
    /// The abstract form, read only.
    const view::Form& form() const;

    // ---- Lines -----------------------------------------------------------
    /// Loads the order's lines and recalculates the totals (records of 21
    /// fields; a record readData wrote, of 22 cells, loads again with its
    /// exemption); the undo history is cleared. Bad input raises an
    /// InputError naming record and field, and nothing changes. More records
    /// than MaxLines() are refused the same way; the limit is checked as the
    /// records are read, so a text beyond it is read up to the limit first
    /// (staged aside, then dropped), not counted ahead of every load.
    void setReadData(std::string_view text);
    /// The most lines setReadData takes (1,000,000 unless the host sets it).
    std::size_t MaxLines() const;
    /// Sets the most lines setReadData takes; lines already loaded stay.
    void setMaxLines(std::size_t maxLines);
    /// Exports the lines (records of 22 fields). While a line is open it tells
    /// the clerk and returns empty text; a line that cannot be exported is
    /// reported to the clerk and raises an ExportError (row, column, why).
    std::string readData();
    /// The lines as the AvaTax line list ("quantity|model|price|exempt" and
    /// "<NewRow>" a line). A quantity or price that does not read is reported
    /// to the clerk and raises an ExportError.
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
    /// Does again the last command Undo took back; false when there is none or
    /// a line is open.
    bool Redo();
    /// True when Undo would take a command back (no line open, history not empty).
    bool CanUndo() const;
    /// True when Redo would do a command again.
    bool CanRedo() const;
    /// The display text of a status code from the status list (the code
    /// itself when the list has no such entry): what a window shows in place
    /// of the Status column's code.
    std::string StatusDisplayText(std::string_view statusCode) const;
    /// The rows of the exempt lines, each followed by "|".
    std::string ExemptItems() const;

    // ---- Mode, dirty state and user ---------------------------------------
    /// The mode the host set (Add Mode at creation).
    Mode ViewMode() const;
    /// Sets what the clerk may do with the lines. Set it before loading the
    /// lines and fees: the loads read it. Tells the host site "Mode".
    void setViewMode(Mode mode);
    /// The described unsaved-change flag. "Calculate Taxes & Fees" clears it,
    /// so it cannot tell a host whether work is unsaved: see Revision().
    bool IsDirty() const;
    /// Sets the unsaved-change flag (see IsDirty()).
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
    /// True from creation until the clerk's first edit (a typed key, a date, a
    /// line written, the price currency) or "Calculate Taxes & Fees"; while it
    /// holds, a delivery option chosen raises no delivery event.
    bool IsFirstInit() const;
    /// The type of the person using the control. The edits of a person of
    /// type "5" never set IsDirty().
    const std::string& PersonType() const;
    /// Sets PersonType().
    void setPersonType(std::string_view personType);
    /// Accepted and ignored.
    void setIsTesting(std::string_view value);

    // ---- Order, centre and member -------------------------------------------
    /// The centre of the order. A number is kept as three digits at least
    /// ("7" becomes "007"); other text is kept as given. It goes to AvaTax as
    /// the company code and to the freight rate component, which refuses a
    /// centre that is not a 32-bit integer.
    void setCenterID(std::string_view centerID);
    /// The delivery agent: as the host set it, or as the freight rules of
    /// SetFreightOptionsFromMorrow named it.
    const std::string& DeliveryAgentID() const;
    /// Sets DeliveryAgentID().
    void setDeliveryAgentID(std::string_view id);
    /// DeliveryAgentID() when it is a number, otherwise "0".
    std::string VendorDeliveryAgentID() const;
    /// Whether the order is made at the centre level: decides which carriers
    /// the line's Carrier box offers (with the vendor's freight rules).
    void setIsCenterLevel(bool isCenterLevel);
    /// The order's status. Above 0 (an order already placed) the merchandise
    /// total counts only positive amounts, and a changed exemption or tax
    /// override works the taxes out again at once.
    void setCurrentOrderStatus(std::int16_t status);
    /// The vendor, handed to the freight rate component.
    void setVendorID(std::int32_t vendorID);
    /// The member who orders. Kept; no procedure reads it.
    void setMemberID(std::string_view memberID);
    /// The order date, in the control's locale: the AvaTax document date and the
    /// freight rate component's date. "Calculate Taxes & Fees" tells the clerk
    /// when it is not a date.
    void setCustomerOrderedDate(std::string_view date);
    /// The order event ("PurchaseOrder"...): decides whether taxes are worked
    /// out and lines may be exempted.
    void setZeltEvent(std::string_view eventName);
    /// The member's rewards points ("0" at creation).
    const std::string& RewardsPoints() const;
    /// Sets RewardsPoints(); other than "0" and "-", the Status box offers the
    /// rewards status.
    void setRewardsPoints(std::string_view points);
    /// The most a rewards line may redeem.
    double RewardsAmount() const;
    /// Sets RewardsAmount(). Raises InputError ("RewardsAmount") for a value
    /// that is not a number inside the currency range, and keeps the old one.
    void setRewardsAmount(double amount);

    // ---- Command groups ---------------------------------------------------
    /// Enables the Add button and the delivery options, and disables
    /// "Calculate Taxes & Fees". The value is not read.
    void setEnableControls(bool value);
    /// Disables the Add button, the delivery options and "Calculate Taxes &
    /// Fees". The value is not read.
    void setDisableControls(bool value);
    /// Selects the delivery option of VendorFreightMethodID() (when listed) and
    /// enables or disables the delivery options. A changed selection raises
    /// a delivery event (ChangeToClubDelivery or ChangeToHomeDelivery).
    void setEnableFreightDeliveryOptions(bool enable);

    // ---- Delivery and freight options -------------------------------------
    /// The next change of the selected delivery option raises no delivery
    /// event (the value is not read).
    void setDeliveryCheckBoxChecked(bool value);
    /// True when the delivery options offer more than one choice.
    bool AllowHomeDelivery() const;
    /// Always false.
    bool HomeDeliveryAvailable() const;
    /// A transshipped order: closes home delivery and selects the club option
    /// for good (when there are two options or more), which may raise
    /// ChangeToClubDelivery.
    void setTransshipOrder(bool value);
    /// A third-party delivery: home delivery is open only to a non-centre
    /// delivery that is not third party; the freight goes to AvaTax with the
    /// non-centre freight code.
    void setThirdPartyDelivery(bool value);
    /// A delivery that does not go through the centre (freight code and
    /// freight rate request).
    void setNonCenterDelivery(bool value);
    /// The chosen delivery option's method, as a number.
    std::string VendorFreightMethodID() const;
    /// Selects the delivery option of this method and locks the options; a
    /// changed selection raises a delivery event.
    /// Raises InputError ("VendorFreightMethodID") when the text is not a 32-bit
    /// integer, and changes nothing.
    void setVendorFreightMethodID(std::string_view id);
    /// Fills the delivery options from the vendor's freight rules page (its
    /// FreightRules document: DeliveryOption, VendorFreightMethodID,
    /// VendorDeliveryTypeDescription, VendorDeliveryAgentID). A page that does
    /// not read, or offers no option, is reported to the clerk in a message box
    /// and changes nothing; nothing is raised. Selecting the first option
    /// raises a delivery event.
    void SetFreightOptionsFromMorrow(std::string_view xmlValue);
    /// Selects the first delivery option, or with `HomeDelivery` the second
    /// when the first is selected; a changed selection raises a delivery
    /// event. Raises InputError when there is no option to select for the
    /// first.
    void UpdateFreightComboBox(bool HomeDelivery);

    // ---- Fees ---------------------------------------------------------------
    /// Whether the clerk may override the freight (enables its check box).
    void setAllowFreightOverride(bool allow);
    /// Whether the clerk may override the home delivery fee.
    void setAllowEHDOverride(bool allow);
    /// The brokerage fee box's text.
    std::string BrokerageFee() const;
    /// The duty fee box's text.
    std::string DutyFee() const;
    /// The home delivery fee box's text.
    std::string EnhancedDeliveryFee() const;
    /// The vendor service fee box's text.
    std::string VendorServiceFee() const;
    /// The freight box's text.
    std::string FreightFee() const;
    /// The centre handling fee box's text.
    std::string CenterHandlingFee() const;
    /// The total deposit as a number; InputError when the box holds no number.
    double GetTotalAmount() const;
    /// The AvaTax tax code of the brokerage fee line.
    void setBrokageFeeCode(std::string_view code);
    /// The AvaTax tax code of the duty fee line.
    void setDutyFeeCode(std::string_view code);
    /// The AvaTax tax code of the vendor service fee line.
    void setVendorServiceFeeCode(std::string_view code);
    /// The AvaTax tax code of the centre handling fee line.
    void setHandlingFeeCode(std::string_view code);
    /// The AvaTax tax code of the freight line of a centre delivery.
    void setCenterDeliveryFrieghtCode(std::string_view code);
    /// The AvaTax tax code of the home delivery fee line.
    void setHomeDeliveryEHDFrieghtCode(std::string_view code);
    /// The AvaTax tax code of the freight line of a non-centre or third-party
    /// delivery.
    void setNonCenterDeliveryFrieghtCode(std::string_view code);
    /// Kept; no procedure reads it.
    void setFeeCode(std::string_view code);
    /// Kept; no procedure reads it (the tax codes decide what is taxed).
    void setBrokerageFeeTaxed(bool value);
    /// Kept; no procedure reads it.
    void setDutyFeeTaxed(bool value);
    /// Kept; no procedure reads it.
    void setHandlingFeeTaxed(bool value);
    /// Kept; no procedure reads it.
    void setVendorFeeTaxed(bool value);
    /// The value the host set with setFrieghtTaxable.
    const std::string& FrieghtTaxable() const;
    /// Kept and read back; no procedure uses it.
    void setFrieghtTaxable(std::string_view value);

    // ---- Freight rates and surcharges -----------------------------------------
    /// Loads the freight rates by weight (one record: four rates and a fifth
    /// field) and, where the vendor computes freight from rates, sets the
    /// freight for the order's total weight. InputError on bad input, with
    /// nothing changed.
    void LetFreightInfo(std::string_view ptFreightRates, std::string_view ptSurcharges = {});
    /// The rates as "0.0000" and a fixed "0.00", each followed by "$F$".
    std::string GetFreightInfo() const;
    /// Asks the surcharge service (PutServerName) for the carrier's surcharge
    /// percentage and adds it to the freight. Only with setUsesZeltD(true),
    /// outside View Mode and when the freight is not overridden. A failed
    /// exchange or an answer that cannot be applied leaves the surcharge and
    /// freight as they were and goes to the event log and LastServiceFailure();
    /// nothing is raised.
    void GetSurCharges(std::int16_t CarrierID, std::string_view EffectiveDate);
    /// The surcharge service's server (the address up to the service path,
    /// with its trailing "/").
    void PutServerName(std::string_view ptServerName);
    /// Whether the centre uses the surcharge service; it also preselects the
    /// first carrier of a new line.
    void setUsesZeltD(bool value);

    // ---- Addresses --------------------------------------------------------------
    /// The ship-from address (street lines, city, state, postal code, country):
    /// sent to AvaTax and the freight rate component.
    void setFromStreet1(std::string_view v);
    /// See setFromStreet1.
    void setFromStreet2(std::string_view v);
    /// See setFromStreet1.
    void setFromStreet3(std::string_view v);
    /// See setFromStreet1.
    void setFromCity(std::string_view v);
    /// See setFromStreet1.
    void setFromState(std::string_view v);
    /// See setFromStreet1.
    void setFromZip(std::string_view v);
    /// See setFromStreet1.
    void setFromCountry(std::string_view v);
    /// The ship-to address, as setFromStreet1. The ship-to state is also the
    /// AvaTax customer usage type.
    void setShipStreet1(std::string_view v);
    /// See setShipStreet1.
    void setShipStreet2(std::string_view v);
    /// See setShipStreet1.
    void setShipStreet3(std::string_view v);
    /// See setShipStreet1.
    void setShipCity(std::string_view v);
    /// See setShipStreet1.
    void setShipState(std::string_view v);
    /// See setShipStreet1.
    void setShipZip(std::string_view v);
    /// See setShipStreet1. A Canadian country shows the Canadian labels
    /// (Province, Colour) and the currency conversion rate.
    void setShipCountry(std::string_view v);

    // ---- Taxes ---------------------------------------------------------------------
    /// Sets the order's country and the vendor's. A Canadian order shows the
    /// Canadian labels and the conversion rate and exports its prices divided by
    /// the rate. Tells the host site "Country".
    void CountryID(COUNTRY piCountryID, std::int16_t piVendorCountryID);
    /// The country tax rate box's text.
    std::string CountryTaxRate() const;
    /// Sets the country tax rate box; kept as given.
    void setCountryTaxRate(std::string_view rate);
    /// The state (province) tax rate box's text.
    std::string StateTaxRate() const;
    /// Sets the state tax rate box; kept as given.
    void setStateTaxRate(std::string_view rate);
    /// The county tax rate box's text.
    std::string CountyTaxRate() const;
    /// Sets the county tax rate box; kept as given.
    void setCountyTaxRate(std::string_view rate);
    /// The city tax rate box's text.
    std::string CityTaxRate() const;
    /// Sets the city tax rate box; kept as given.
    void setCityTaxRate(std::string_view rate);
    /// The local (special) tax rate box's text.
    std::string LocalTaxRate() const;
    /// Sets the local tax rate box; kept as given.
    void setLocalTaxRate(std::string_view rate);
    /// The host's country tax amount, which SetTaxNFees writes. Empty (none) or
    /// a number inside the currency range: InputError otherwise, nothing changed.
    void setCountryTaxableAmount(std::string_view amount);
    /// As setCountryTaxableAmount, for the state.
    void setStateTaxableAmount(std::string_view amount);
    /// As setCountryTaxableAmount, for the county.
    void setCountyTaxableAmount(std::string_view amount);
    /// As setCountryTaxableAmount, for the city.
    void setCityTaxableAmount(std::string_view amount);
    /// As setCountryTaxableAmount, for the local tax.
    void setLocalTaxableAmount(std::string_view amount);
    /// The local tax information box's text.
    std::string LocalTaxInfo() const;
    /// "True": SetTaxNFees writes the taxes of the jurisdictions with a rate;
    /// anything else: the amounts the host set.
    void setUseNormalTaxes(std::string_view value);
    /// The AvaTax tax code of exempt lines ("NT" for non-taxable).
    void setTaxLineExemptedCode(std::string_view code);
    /// Writes the tax fields (the host's amounts, or the rated amounts with
    /// setUseNormalTaxes("True"); an overridden tax keeps the clerk's amount),
    /// the total sales tax and the total deposit, then raises
    /// OrderedItemsEvents::GetTotalAmount. A step that fails ends the call
    /// there, keeping what was written; nothing is raised to the host.
    void SetTaxNFees();
    /// Loads the saved fees and taxes, the vendor fee rules and the tax rates.
    /// Set the mode, country and locale first. A vendor without centre
    /// handling gets the club option selected (a delivery event). Bad input
    /// raises an InputError naming the argument ("ptFees", "ptSalesTax"; or
    /// "LetSalesTaxesNFees" when the conversion rate box holds no number),
    /// record and field, and nothing changes.
    void LetSalesTaxesNFees(std::string_view ptFees, std::string_view ptSalesTax = {},
                            std::string_view ptDutyBrkgFee = {});
    /// The tax and fee summary (28 fields). A box that does not hold a number
    /// (or a zero conversion rate on a Canadian order) raises an InputError
    /// naming the field.
    std::string GetSalesTaxesNFees() const;
    /// The "Calculate Taxes & Fees" command: totals, freight (Services::freight),
    /// taxes (Services::avaTax; the stored rates when AvaTax cannot be used), the
    /// deposit; raises OrderedItemsEvents::GetTotalAmount when done. A step that
    /// cannot run is told to the clerk by name and the order is put back as it
    /// was; nothing is raised to the host.
    void UpdateTaxes();
    /// Enables or disables the "Calculate Taxes & Fees" button.
    void EnableUpdateTaxes(bool value);
    /// Does nothing (the rates come with LetSalesTaxesNFees).
    void LoadTaxRates();

    // ---- Tax services -------------------------------------------------------------------
    /// The internal tax service's address (empty: the service is not asked).
    void setInternalTaxServiceURL(std::string_view url);
    /// Posts the order to the internal tax service (InternalTaxServiceURL;
    /// empty: nothing happens) and writes the five taxes it answers, the total
    /// sales tax and the deposit, then raises GetTotalAmount. A failed
    /// exchange, an error status, a SOAP fault or an answer without the five
    /// amounts raise a ServiceError and change nothing.
    void CalculateTaxesFromVardonInternalService(std::string_view orderID, text::Currency totalMerchCostTax = {},
                                                 text::Currency totalFeeTotal = {});
    /// The message shown, with setXMLComponentDownloadURL's address, when no
    /// request to the internal tax service can be made at all.
    void setXMLComponentDownloadMessage(std::string_view message);
    /// See setXMLComponentDownloadMessage.
    void setXMLComponentDownloadURL(std::string_view url);
    /// The AvaTax account, sent only as HTTP Basic authentication.
    void setAccount(std::string_view account);
    /// The AvaTax license key, sent only as HTTP Basic authentication.
    void setLicenseKey(std::string_view licenseKey);
    /// The client name sent to AvaTax.
    void setProfileClient(std::string_view client);
    /// The AvaTax service address (the sandbox when empty).
    void setUrl(std::string_view url);
    /// The AvaTax company code, used when no centre is set (setCenterID).
    void setCompanyCode(std::string_view code);
    /// The customer code sent to AvaTax and the freight rate component.
    void setCustomerCode(std::string_view code);
    /// The AvaTax document code.
    void setDocCode(std::string_view code);
    /// Hands the AvaTax settings (client, address, account, license key, which
    /// are set only when not empty, and the exchange limits) to a service.
    void SetConfig(platform::AvaTaxService& svc);
    /// Kept; no procedure reads it.
    void setTaxXML(std::string_view xml);
    /// The last AvaTax result as XML, written by "Calculate Taxes & Fees".
    const std::string& TaxDataXML() const;
    /// Always the empty text.
    std::string GetTaxXML() const;
    /// The messages of the last AvaTax answer (summary, details and source of
    /// each, one a line): why it refused the order, or its warnings.
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
    /// The largest answer a web exchange takes (8 MiB by default); a larger one
    /// fails the exchange.
    void setServiceMaxAnswerBytes(std::size_t bytes);
    /// Writes the host's failure to the event log as one entry in its fixed
    /// layout (employee, security type and centre; the record's number,
    /// description and source with the procedure; the additional
    /// information), then clears the record. When the log
    /// cannot be written its exception passes on and the record is kept.
    void ErrorHandlerCenter(ErrorRecord& Err, std::string_view ptProcedureName,
                            std::string_view ptAdditionalErrorInfo, std::int32_t plEmployeeID = 0,
                            std::int16_t piSecurityType = 0, std::int32_t plCenterID = 0);
    /// Loads the lookup tables: statuses, units, carriers, Direction issues and
    /// the currency conversion rate. InputError on malformed text.
    void GetComboContent(std::string_view ptCmbPopulate, std::string_view ptFieldSeparator = "$F$",
                         std::string_view ptRecordSeparator = "$R$", std::string_view ptTableSeparator = "$T$");
    /// Whether the order is acknowledged by the vendor: lines then take an
    /// acknowledgement price, number and date.
    void fGetOderIDStatus(bool pbOrderStatus);
    /// True when a line without an acknowledgement number has a status that
    /// waits for the vendor's acknowledgement. Raises InputError when a line's
    /// Status cell is not a number.
    bool IsPendingAcknowledgement() const;

    // ---- Kept, never read -------------------------------------------------------------------
    /// Kept; no procedure reads it.
    void setConnectionString(std::string_view v);
    /// Kept; no procedure reads it.
    void setUPSBaseXMLPath(std::string_view v);
    /// Kept; no procedure reads it.
    void setUPSAccessXMLPath(std::string_view v);
    /// Kept; no procedure reads it.
    void setPONumber(std::string_view v);
    /// Kept; no procedure reads it.
    void setOnlineOrderID(std::string_view v);
    /// Kept; no procedure reads it.
    void setDisablePaymentButton(bool v);
    /// Kept; no procedure reads it.
    void setExemptPermission(bool v);

private:
    struct Impl;
    friend struct ControlAccess;
    std::unique_ptr<Impl> impl_;
};

} // namespace zelt
