#pragma once

#include "zelt/view/CheckBox.h"
#include "zelt/view/ComboBox.h"
#include "zelt/view/CommandButton.h"
#include "zelt/view/ControlArray.h"
#include "zelt/view/DatePicker.h"
#include "zelt/view/Frame.h"
#include "zelt/view/Grid.h"
#include "zelt/view/Image.h"
#include "zelt/view/Label.h"
#include "zelt/view/MenuEntry.h"
#include "zelt/view/OptionButton.h"
#include "zelt/view/TextBox.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace zelt::view {

/// The control's form: every widget the logic reads or writes, by name and,
/// for control arrays, by index. Captions, groups and initial states come
/// from one table in Form.cpp.
class Form {
public:
    /// Creates every widget with its group, caption and design state.
    Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Order level: delivery option and tax command (Frame1).
    /// The order-level frame of the delivery option and the tax command.
    Frame Frame1{"Frame1"};
    /// "Calculate Taxes & Fees" (OrderedItems::UpdateTaxes runs the same command).
    CommandButton cmdUpdateTaxes{"cmdUpdateTaxes"};
    /// The delivery options (index 0): club or home delivery, from the vendor's
    /// freight rules; each entry's item data is its vendor freight method.
    ControlArray<ComboBox> cboFreightOptions{"cboFreightOptions", {0}};
    /// The bullet beside the delivery options.
    ControlArray<Image> imgBulletDelivery{"imgBulletDelivery", {3}};
    // Fees (Frame2) and total deposit (Frame3).
    /// The fees frame.
    Frame Frame2{"Frame2"};
    /// The total deposit frame.
    Frame Frame3{"Frame3"};
    /// The fee boxes: 0 brokerage, 1 duty, 2 home delivery, 3 vendor service,
    /// 4 freight, 5 centre handling, 6 total deposit, 7 surcharge.
    ControlArray<TextBox> txtFee{"txtFee", ControlArray<TextBox>::range(0, 7)};
    /// "Over Ridden" for the brokerage fee.
    CheckBox chkDutyBrokerageFee{"chkDutyBrokerageFee"};
    /// "Over Ridden" for the duty.
    CheckBox chkDutyFee{"chkDutyFee"};
    /// "Over Ridden" for the home delivery fee.
    CheckBox chkAppEHD{"chkAppEHD"};
    /// "Over Ridden" for the vendor service fee.
    CheckBox chkServiceFee{"chkServiceFee"};
    /// "Over Ridden" for the freight.
    CheckBox chkAppFreight{"chkAppFreight"};
    /// "Over Ridden" for the centre handling fee.
    CheckBox chkCentrHandlingFee{"chkCentrHandlingFee"};
    /// "Over Ridden" for the surcharge.
    CheckBox chkSurChargeFee{"chkSurChargeFee"};
    /// "Brokerage Fee ($)".
    Label lblDutyBrkgFee{"lblDutyBrkgFee"};
    /// "Duty ($)".
    Label lblDuty{"lblDuty"};
    /// "Enhanced/Home Delivery ($)".
    Label lblEnhancedDelivery{"lblEnhancedDelivery"};
    /// "Vendor Service Fee ($)".
    Label lblVendorServiceFee{"lblVendorServiceFee"};
    /// "Freight ($)".
    Label lblFreight{"lblFreight"};
    /// "Center Handling Fee ($)".
    Label lblCntrHndlFee{"lblCntrHndlFee"};
    /// "Sur Charge ($)".
    Label Label1{"Label1"};
    /// "Total Deposit ($)".
    Label lblTotalDeposit{"lblTotalDeposit"};
    // Taxes.
    /// The taxes frame.
    Frame fraTaxes{"fraTaxes"};
    /// The tax boxes: 12 country, 13 state (province), 14 county, 15 city,
    /// 16 local.
    ControlArray<TextBox> txtFieldTax{"txtFieldTax", ControlArray<TextBox>::range(12, 16)};
    /// "Over Ridden" for each tax, indexed as txtFieldTax.
    ControlArray<CheckBox> chkTaxes{"chkTaxes", ControlArray<CheckBox>::range(12, 16)};
    // Totals (Frame5).
    /// The totals frame: total sales tax, merchandise total, total weight.
    Frame Frame5{"Frame5"};
    /// "Total Weight (lbs)".
    Label lblTotalWeight{"lblTotalWeight"};
    // Price currency and conversion rate.
    /// The price currency frame.
    Frame FraVendorCountryID{"FraVendorCountryID"};
    /// The price currency of the line: 0 USA, 1 Canada.
    ControlArray<OptionButton> OptVndrCntryID{"OptVndrCntryID", {0, 1}};
    /// "USA".
    Label lblUSA{"lblUSA"};
    /// "Canada".
    Label lblCanada{"lblCanada"};
    /// The conversion rate frame, shown for a Canadian order.
    Frame frmCurrencyConversion{"frmCurrencyConversion"};
    /// The currency conversion rate ("1" at creation).
    TextBox txtCurrConversionRate{"txtCurrConversionRate"};
    /// "Conversion Rate :".
    Label lblCurConvRate{"lblCurConvRate"};
    // Headings, version, separators.
    /// "Tax Exempt", beside the line's exemption box.
    Label lblTaxExempted{"lblTaxExempted"};
    /// "Version number: " and the library's version.
    Label lblVersionNumber{"lblVersionNumber"};
    /// The headings: 0 "Order Level Information", 1 "Line Item Information".
    ControlArray<Label> Label3{"Label3", {0, 1}};
    /// Separator lines.
    ControlArray<Frame> Frame4{"Frame4", ControlArray<Frame>::range(0, 4)};

    // Line level: entry area.
    /// The line's entry fields (0 status to 14 acknowledgement date) and the
    /// order's totals (17 total sales tax, 18 merchandise total, 19 total weight).
    ControlArray<TextBox> txtField{"txtField", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 18, 19}};
    /// The line's lists: 1 status, 2 unit of measure, 3 carrier, 4 Direction issue.
    ControlArray<ComboBox> cboFld{"cboFld", {1, 2, 3, 4}};
    /// The captions of the entry fields, taxes and totals.
    ControlArray<Label> lblField{"lblField", ControlArray<Label>::range(0, 21)};
    /// The line's price list date.
    DatePicker DTPckrPriceListDate{"DTPckrPriceListDate"};
    /// The line's acknowledgement date.
    DatePicker DTPckrAklwdgmntDate{"DTPckrAklwdgmntDate"};
    /// "Carrier": a link that raises OrderedItemsEvents::GetCarrierID.
    Label lblCarrier{"lblCarrier"};
    /// Whether the line has a Direction issue.
    CheckBox chkDirection{"chkDirection"};
    /// "Direction Issue".
    Label lblDirectionIssue{"lblDirectionIssue"};
    /// Whether the line is exempt from taxes.
    CheckBox chkExempt{"chkExempt"};
    /// The bullets marking required entry fields (0 to 7) and fees (8 to 13).
    ControlArray<Image> imgBullet{"imgBullet", ControlArray<Image>::range(0, 13)};
    /// The bullets of the acknowledgement fields.
    ControlArray<Image> imgBulletAck{"imgBulletAck", {0, 1, 2}};
    // The lines and their commands.
    /// The order's lines.
    Grid grdOrdItems{"grdOrdItems"};
    /// "Add"; "Add to Grid" or "Update" while a line is open.
    CommandButton cmdAdd{"cmdAdd"};
    /// "Edit"; "Cancel" while a line is open.
    CommandButton cmdEdit{"cmdEdit"};
    /// "Delete".
    CommandButton cmdDelete{"cmdDelete"};
    /// "Cancel Line Item".
    CommandButton cmdLineItemCan{"cmdLineItemCan"};
    /// The grid's pop-up menu.
    MenuEntry mnuCopy{"mnuCopy"};
    /// Its entries: 1 Copy, 2 Cut, 3 a separator, 4 Cancel.
    ControlArray<MenuEntry> mnuCopyMenu{"mnuCopyMenu", {1, 2, 3, 4}};

    // Hidden storage boxes.
    /// The total of the redeemed rewards.
    TextBox txtHiddenRewardsTotal{"txtHiddenRewardsTotal"};
    /// The merchandise total the taxes were worked out on.
    TextBox txtHiddenItemTotal{"txtHiddenItemTotal"};
    /// The rows of the exempt lines, each followed by "|" (ExemptItems()).
    TextBox txtHiddenExemptTracker{"txtHiddenExemptTracker"};
    /// The local tax information.
    TextBox txtHiddenLocalTaxInfo{"txtHiddenLocalTaxInfo"};
    /// The state tax rate.
    TextBox txtHiddenStateTaxRate{"txtHiddenStateTaxRate"};
    /// The local tax rate.
    TextBox txtHiddenLocalTaxRate{"txtHiddenLocalTaxRate"};
    /// The country tax rate.
    TextBox txtHiddenCountryTaxRate{"txtHiddenCountryTaxRate"};
    /// The county tax rate.
    TextBox txtHiddenCountyTaxRate{"txtHiddenCountyTaxRate"};
    /// The city tax rate.
    TextBox txtHiddenCityTaxRate{"txtHiddenCityTaxRate"};
    /// Kept on the form; no procedure uses it.
    TextBox txtTester{"txtTester"};

    /// Every widget, in form order (the order of the facts table).
    const std::vector<Widget*>& widgets() const noexcept { return all_; }
    /// The widget of that name and index (-1 for a single widget), or null.
    Widget* find(std::string_view name, int index = -1) const;

    /// Moves on with every change of a value of the order: a line cell or
    /// row, a text, a check, a choice outside the line-entry area, its price
    /// currency option and the hidden storage boxes. What the line-entry
    /// area shows of a line being looked at is not the order's; the hidden
    /// boxes follow the others.
    std::uint64_t revision() const noexcept { return revision_; }
    /// The same, counting only the changes made during the clerk's actions.
    std::uint64_t clerkRevision() const noexcept { return clerkRevision_; }
    /// Called by a widget whose value changed.
    void countChange(const Widget& widget)
    {
        const std::string& group = widget.group();
        // The price currency option follows the line looked at, as the entry area does.
        if (group == "LineEntry" || group == "Hidden" || group == "FraVendorCountryID") return;
        ++revision_;
        if (clerkDepth_ > 0) ++clerkRevision_;
        if (ValuesChanged) ValuesChanged();
    }
    /// Told after every counted change (a view restyles what depends on it).
    std::function<void()> ValuesChanged;

    /// The widget with the focus, or null.
    Widget* focusedWidget() const noexcept { return focused_; }
    /// Moves the focus: LostFocus on the old widget, then GotFocus on the new.
    void moveFocus(Widget* widget);

    /// Asks the view to show a pop-up menu at the pointer.
    void popupMenu(MenuEntry& menu);
    /// Set by the view to show pop-up menus; tests read popupCount().
    std::function<void(MenuEntry&)> PopupRequested;
    /// Set by the view: told the widget that took the focus.
    std::function<void(Widget*)> FocusChanged;
    /// How many pop-up menus were asked for.
    int popupCount() const noexcept { return popupCount_; }

private:
    /// Gives every widget its group and caption from the facts table, in the
    /// table's order.
    void applyFacts();
    /// The states the widgets have before the control's creation sequence.
    void setDesignStates();
    void registerWidget(Widget& w);
    template <typename W>
    void registerArray(ControlArray<W>& array)
    {
        array.forEach([this](int, W& w) { registerWidget(w); });
    }

    std::vector<Widget*> all_;
    Widget* focused_ = nullptr;
    int popupCount_ = 0;
    std::uint64_t revision_ = 0;
    std::uint64_t clerkRevision_ = 0;
    int clerkDepth_ = 0;
    friend class ClerkAction;
};

} // namespace zelt::view
