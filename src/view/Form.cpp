#include "zelt/view/Form.h"

#include <algorithm>
#include <stdexcept>

namespace zelt::view {

namespace {

/// Where each widget sits and what it reads. Groups are the frames and areas
/// of the form; the window lays the groups out, the logic never reads them.
struct WidgetFact {
    const char* name;
    int index;
    const char* group;
    const char* caption;
};

constexpr WidgetFact kFacts[] = {
    // Order level: delivery option and the tax command.
    {"Frame1", -1, "Frame1", ""},
    {"lblField", 21, "Frame1", "Delivery/Freight Option:"},
    {"imgBulletDelivery", 3, "Frame1", ""},
    {"cboFreightOptions", 0, "Frame1", ""},
    {"cmdUpdateTaxes", -1, "Frame1", "Calculate Taxes && Fees"},
    // Fees: label, box, override box, in the column order of the form.
    {"Frame2", -1, "Frame2", ""},
    {"lblDutyBrkgFee", -1, "Frame2", "Brokerage Fee ($)"},
    {"imgBullet", 8, "Frame2", ""},
    {"txtFee", 0, "Frame2", ""},
    {"chkDutyBrokerageFee", -1, "Frame2", "Over Ridden"},
    {"lblDuty", -1, "Frame2", "Duty ($)"},
    {"imgBullet", 9, "Frame2", ""},
    {"txtFee", 1, "Frame2", ""},
    {"chkDutyFee", -1, "Frame2", "Over Ridden"},
    {"lblEnhancedDelivery", -1, "Frame2", "Enhanced/Home Delivery ($)"},
    {"imgBullet", 10, "Frame2", ""},
    {"txtFee", 2, "Frame2", ""},
    {"chkAppEHD", -1, "Frame2", "Over Ridden"},
    {"lblVendorServiceFee", -1, "Frame2", "Vendor Service Fee ($)"},
    {"imgBullet", 11, "Frame2", ""},
    {"txtFee", 3, "Frame2", ""},
    {"chkServiceFee", -1, "Frame2", "Over Ridden"},
    {"lblFreight", -1, "Frame2", "Freight ($)"},
    {"imgBullet", 12, "Frame2", ""},
    {"txtFee", 4, "Frame2", ""},
    {"chkAppFreight", -1, "Frame2", "Over Ridden"},
    {"lblCntrHndlFee", -1, "Frame2", "Center Handling Fee ($)"},
    {"imgBullet", 13, "Frame2", ""},
    {"txtFee", 5, "Frame2", ""},
    {"chkCentrHandlingFee", -1, "Frame2", "Over Ridden"},
    {"Label1", -1, "Frame2", "Sur Charge ($)"},
    {"txtFee", 7, "Frame2", ""},
    {"chkSurChargeFee", -1, "Frame2", "Over Ridden"},
    {"Frame3", -1, "Frame3", ""},
    {"lblTotalDeposit", -1, "Frame3", "Total Deposit ($)"},
    {"txtFee", 6, "Frame3", ""},
    // Taxes.
    {"fraTaxes", -1, "fraTaxes", " Taxes ($) "},
    {"lblField", 12, "fraTaxes", "Country"},
    {"txtFieldTax", 12, "fraTaxes", ""},
    {"chkTaxes", 12, "fraTaxes", "Over Ridden"},
    {"lblField", 13, "fraTaxes", "State"},
    {"txtFieldTax", 13, "fraTaxes", ""},
    {"chkTaxes", 13, "fraTaxes", "Over Ridden"},
    {"lblField", 14, "fraTaxes", "County"},
    {"txtFieldTax", 14, "fraTaxes", ""},
    {"chkTaxes", 14, "fraTaxes", "Over Ridden"},
    {"lblField", 15, "fraTaxes", "City"},
    {"txtFieldTax", 15, "fraTaxes", ""},
    {"chkTaxes", 15, "fraTaxes", "Over Ridden"},
    {"lblField", 17, "fraTaxes", "Local"},
    {"txtFieldTax", 16, "fraTaxes", ""},
    {"chkTaxes", 16, "fraTaxes", "Over Ridden"},
    // Totals.
    {"Frame5", -1, "Frame5", ""},
    {"lblField", 16, "Frame5", "Total Sales Tax ($)"},
    {"txtField", 17, "Frame5", ""},
    {"lblField", 18, "Frame5", "Merchandise Total ($)"},
    {"txtField", 18, "Frame5", ""},
    {"lblTotalWeight", -1, "Frame5", "Total Weight (lbs)"},
    {"txtField", 19, "Frame5", ""},
    // Price currency and conversion rate.
    {"FraVendorCountryID", -1, "FraVendorCountryID", ""},
    {"OptVndrCntryID", 0, "FraVendorCountryID", ""},
    {"lblUSA", -1, "FraVendorCountryID", "USA"},
    {"OptVndrCntryID", 1, "FraVendorCountryID", "Canada"},
    {"lblCanada", -1, "FraVendorCountryID", "Canada"},
    {"frmCurrencyConversion", -1, "frmCurrencyConversion", ""},
    {"lblCurConvRate", -1, "frmCurrencyConversion", "Conversion Rate :"},
    {"txtCurrConversionRate", -1, "frmCurrencyConversion", ""},
    // Headings, version and separators.
    {"Label3", 0, "Headings", "Order Level Information"},
    {"Label3", 1, "Headings", "Line Item Information"},
    {"lblVersionNumber", -1, "Headings", "Version Number"},
    {"Frame4", 0, "Separators", ""},
    {"Frame4", 1, "Separators", ""},
    {"Frame4", 2, "Separators", ""},
    {"Frame4", 3, "Separators", ""},
    {"Frame4", 4, "Separators", ""},
    // Line level: the entry area, label first, in tab order.
    {"lblField", 0, "LineEntry", "Status"},
    {"imgBullet", 0, "LineEntry", ""},
    {"cboFld", 1, "LineEntry", ""},
    {"txtField", 0, "LineEntry", ""},
    {"lblField", 1, "LineEntry", "Description"},
    {"imgBullet", 1, "LineEntry", ""},
    {"txtField", 1, "LineEntry", ""},
    {"lblField", 8, "LineEntry", "Model"},
    {"txtField", 2, "LineEntry", ""},
    {"lblField", 4, "LineEntry", "Quantity"},
    {"imgBullet", 2, "LineEntry", ""},
    {"txtField", 3, "LineEntry", ""},
    {"lblField", 5, "LineEntry", "Unit Price ($)"},
    {"imgBullet", 3, "LineEntry", ""},
    {"txtField", 4, "LineEntry", ""},
    {"lblField", 3, "LineEntry", "Unit of Measure"},
    {"imgBullet", 4, "LineEntry", ""},
    {"cboFld", 2, "LineEntry", ""},
    {"txtField", 5, "LineEntry", ""},
    {"lblField", 6, "LineEntry", "Price List Date"},
    {"imgBullet", 5, "LineEntry", ""},
    {"DTPckrPriceListDate", -1, "LineEntry", ""},
    {"txtField", 6, "LineEntry", ""},
    {"lblField", 2, "LineEntry", "Unit Weight (lbs) "},
    {"imgBullet", 6, "LineEntry", ""},
    {"txtField", 7, "LineEntry", ""},
    {"lblCarrier", -1, "LineEntry", "Carrier"},
    {"imgBullet", 7, "LineEntry", ""},
    {"cboFld", 3, "LineEntry", ""},
    {"txtField", 8, "LineEntry", ""},
    {"lblField", 9, "LineEntry", "Pattern"},
    {"txtField", 9, "LineEntry", ""},
    {"lblField", 10, "LineEntry", "Color"},
    {"txtField", 10, "LineEntry", ""},
    {"lblField", 11, "LineEntry", "Finish"},
    {"txtField", 11, "LineEntry", ""},
    {"lblField", 7, "LineEntry", "Aklwdgmnt Price"},
    {"imgBulletAck", 0, "LineEntry", ""},
    {"txtField", 12, "LineEntry", ""},
    {"lblField", 20, "LineEntry", "Aklwdgmnt No."},
    {"imgBulletAck", 1, "LineEntry", ""},
    {"txtField", 13, "LineEntry", ""},
    {"lblField", 19, "LineEntry", "Aklwdgmnt Date"},
    {"imgBulletAck", 2, "LineEntry", ""},
    {"DTPckrAklwdgmntDate", -1, "LineEntry", ""},
    {"txtField", 14, "LineEntry", ""},
    {"lblDirectionIssue", -1, "LineEntry", "Direction Issue "},
    {"chkDirection", -1, "LineEntry", ""},
    {"cboFld", 4, "LineEntry", ""},
    {"lblTaxExempted", -1, "LineEntry", "Tax Exempt"},
    {"chkExempt", -1, "LineEntry", ""},
    // The lines and their commands.
    {"grdOrdItems", -1, "Lines", ""},
    {"cmdAdd", -1, "LineCommands", "Add"},
    {"cmdEdit", -1, "LineCommands", "Edit"},
    {"cmdDelete", -1, "LineCommands", "Delete"},
    {"cmdLineItemCan", -1, "LineCommands", "Cancel Line Item"},
    {"mnuCopy", -1, "Menu", "copy"},
    {"mnuCopyMenu", 1, "Menu", "Copy"},
    {"mnuCopyMenu", 2, "Menu", "Cut"},
    {"mnuCopyMenu", 3, "Menu", "-"},
    {"mnuCopyMenu", 4, "Menu", "Cancel"},
    // Hidden storage: never shown.
    {"txtHiddenRewardsTotal", -1, "Hidden", ""},
    {"txtHiddenItemTotal", -1, "Hidden", ""},
    {"txtHiddenExemptTracker", -1, "Hidden", ""},
    {"txtHiddenLocalTaxInfo", -1, "Hidden", ""},
    {"txtHiddenStateTaxRate", -1, "Hidden", ""},
    {"txtHiddenLocalTaxRate", -1, "Hidden", ""},
    {"txtHiddenCountryTaxRate", -1, "Hidden", ""},
    {"txtHiddenCountyTaxRate", -1, "Hidden", ""},
    {"txtHiddenCityTaxRate", -1, "Hidden", ""},
    {"txtTester", -1, "Hidden", ""},
};

} // namespace

Form::Form()
{
    registerWidget(Frame1);
    registerWidget(cmdUpdateTaxes);
    registerArray(cboFreightOptions);
    registerArray(imgBulletDelivery);
    registerWidget(Frame2);
    registerWidget(Frame3);
    registerArray(txtFee);
    for (CheckBox* c : {&chkDutyBrokerageFee, &chkDutyFee, &chkAppEHD, &chkServiceFee, &chkAppFreight,
                        &chkCentrHandlingFee, &chkSurChargeFee})
        registerWidget(*c);
    for (Label* l : {&lblDutyBrkgFee, &lblDuty, &lblEnhancedDelivery, &lblVendorServiceFee, &lblFreight,
                     &lblCntrHndlFee, &Label1, &lblTotalDeposit, &lblTotalWeight, &lblUSA, &lblCanada,
                     &lblCurConvRate, &lblTaxExempted, &lblVersionNumber, &lblCarrier, &lblDirectionIssue})
        registerWidget(*l);
    registerWidget(fraTaxes);
    registerArray(txtFieldTax);
    registerArray(chkTaxes);
    registerWidget(Frame5);
    registerWidget(FraVendorCountryID);
    registerArray(OptVndrCntryID);
    registerWidget(frmCurrencyConversion);
    registerWidget(txtCurrConversionRate);
    registerArray(Label3);
    registerArray(Frame4);
    registerArray(txtField);
    registerArray(cboFld);
    registerArray(lblField);
    registerWidget(DTPckrPriceListDate);
    registerWidget(DTPckrAklwdgmntDate);
    registerWidget(chkDirection);
    registerWidget(chkExempt);
    registerArray(imgBullet);
    registerArray(imgBulletAck);
    registerWidget(grdOrdItems);
    for (CommandButton* b : {&cmdAdd, &cmdEdit, &cmdDelete, &cmdLineItemCan}) registerWidget(*b);
    registerWidget(mnuCopy);
    registerArray(mnuCopyMenu);
    for (TextBox* t : {&txtHiddenRewardsTotal, &txtHiddenItemTotal, &txtHiddenExemptTracker, &txtHiddenLocalTaxInfo,
                       &txtHiddenStateTaxRate, &txtHiddenLocalTaxRate, &txtHiddenCountryTaxRate,
                       &txtHiddenCountyTaxRate, &txtHiddenCityTaxRate, &txtTester})
        registerWidget(*t);
    applyFacts();
    setDesignStates();
}

void Form::applyFacts()
{
    // Apply the facts table, and order the widget list as the table does.
    // The registered widgets sorted by name and index, so that each fact is a
    // binary search rather than a scan of every widget (a control is built
    // for every order screen, and by the thousand in tests).
    std::vector<Widget*> byName = all_;
    const auto less = [](const Widget* a, const Widget* b) {
        const int order = a->name().compare(b->name());
        return order != 0 ? order < 0 : a->index() < b->index();
    };
    std::sort(byName.begin(), byName.end(), less);
    std::vector<Widget*> ordered;
    ordered.reserve(all_.size());
    for (const WidgetFact& fact : kFacts) {
        const auto it = std::lower_bound(byName.begin(), byName.end(), fact, [](const Widget* w, const WidgetFact& f) {
            const int order = w->name().compare(f.name);
            return order != 0 ? order < 0 : w->index() < f.index;
        });
        Widget* w = it != byName.end() && (*it)->name() == fact.name && (*it)->index() == fact.index ? *it : nullptr;
        if (!w) throw std::logic_error(std::string("form facts name an unknown widget: ") + fact.name);
        w->setGroup(fact.group);
        w->setCaption(fact.caption);
        ordered.push_back(w);
    }
    if (ordered.size() != all_.size()) throw std::logic_error("form facts do not list every widget");
    all_ = std::move(ordered);
}

void Form::setDesignStates()
{
    for (Widget* w : all_)
        if (w->group() == "Hidden") w->setVisible(false);
    txtTester.setText("Invisible Textbox for Testing Purposes");
    txtCurrConversionRate.setText("1");
    // Fee and tax boxes show amounts the control or the host set: locked and
    // grey until an override box unlocks them.
    auto lockedAmount = [](int, TextBox& box) {
        box.setText("0.00");
        box.setLocked(true);
        box.setBackColor(Color::buttonFace());
    };
    txtFee.forEach(lockedAmount);
    txtFieldTax.forEach(lockedAmount);
    for (int i : {17, 18, 19}) txtField[i].setText("0.00");
    for (int i : {0, 5, 8}) txtField[i].setLocked(true); // read-only mirrors of the combos
    // The combos wait hidden behind their read-only mirrors until a line is
    // opened: a line merely looked at writes the mirrors, never a combo.
    for (int i : {1, 2, 3}) cboFld[i].setVisible(false);
    // The totals are read-only: grey like the locked fees, and no tab stop.
    for (int i : {17, 18, 19}) {
        txtField[i].setLocked(true);
        txtField[i].setBackColor(Color::buttonFace());
        txtField[i].setTabStop(false);
    }
    txtField[1].setMultiLine(true);
    mnuCopy.setVisible(false); // a pop-up menu, not shown in a menu bar
    std::vector<OptionButton*> options;
    OptVndrCntryID.forEach([&](int, OptionButton& o) { options.push_back(&o); });
    for (OptionButton* o : options) o->setGroupMembers(options);
    grdOrdItems.setCols(22);
}

void Form::registerWidget(Widget& w)
{
    w.attach(this);
    all_.push_back(&w);
}

Widget* Form::find(std::string_view name, int index) const
{
    auto it = std::find_if(all_.begin(), all_.end(),
                           [&](const Widget* w) { return w->name() == name && w->index() == index; });
    return it == all_.end() ? nullptr : *it;
}

void Form::moveFocus(Widget* widget)
{
    if (widget == focused_) return;
    Widget* old = focused_;
    focused_ = widget;
    if (old && old->LostFocus) old->LostFocus();
    if (widget && focused_ == widget && widget->GotFocus) widget->GotFocus();
    if (FocusChanged) FocusChanged(focused_);
}

void Form::popupMenu(MenuEntry& menu)
{
    ++popupCount_;
    if (PopupRequested) PopupRequested(menu);
}

} // namespace zelt::view
