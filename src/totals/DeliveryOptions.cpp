#include "totals/DeliveryOptions.h"

#include "text/TextRules.h"

#include "core/ControlContext.h"
#include "totals/FeeIndex.h"
#include "zelt/InputError.h"
#include "zelt/text/RuntimeError.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <vector>

namespace zelt {

namespace {

struct Option {
    std::string text;
    std::int32_t methodID;
};

/// The document inside the catalogue system's page: after the first
/// "/script>", up to five characters before the first "html xmlns".
std::string cutDocument(std::string_view page)
{
    const std::size_t script = page.find("/script>");
    const std::size_t html = page.find("html xmlns");
    // Positions counted from 1, 0 for "not found", as the page's rule is written.
    const long p1 = script == std::string_view::npos ? 0 : static_cast<long>(script) + 1;
    const long p2 = html == std::string_view::npos ? 0 : static_cast<long>(html) + 1;
    const long length = p2 - p1 - 13;
    if (length < 0) throw text::RuntimeError::invalidProcedureCall();
    const auto start = static_cast<std::size_t>(p1 + 7);
    if (start >= page.size()) return {};
    std::string doc(page.substr(start, static_cast<std::size_t>(length)));
    text::replaceAll(doc, "&lt;", "<");
    text::replaceAll(doc, "&gt;", ">");
    // The cut ends inside the page's own closing tag ("</div><html xmlns"
    // leaves "</"): that start of a tag is the page's, not the document's.
    while (!doc.empty() && (doc.back() == ' ' || doc.back() == '\r' || doc.back() == '\n')) doc.pop_back();
    if (doc.ends_with("</")) doc.resize(doc.size() - 2);
    else if (doc.ends_with("<")) doc.pop_back();
    return doc;
}

} // namespace

void DeliveryOptions::bind()
{
    view::ComboBox& combo = ctx_.form.cboFreightOptions[0];
    combo.Click = ctx_.guard([this] { cboFreightOptions_Click(); });
    combo.Change = ctx_.guard([this] { cboFreightOptions_Change(); });
}

void DeliveryOptions::setHomeDeliveryOpen(bool open)
{
    view::Form& f = ctx_.form;
    f.chkAppEHD.setEnabled(open && ctx_.state.AllowEHDOverride);
    f.txtFee[Fee::HomeDelivery].setEnabled(open);
}

void DeliveryOptions::cboFreightOptions_Click()
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    f.cmdUpdateTaxes.setEnabled(true);
    if (!st.IsFirstInit && !st.deliveryCheckBoxChecked) {
        std::int16_t deliveryType = 0;
        const bool club = f.cboFreightOptions[0].text() == kClubOption;
        setHomeDeliveryOpen(!club);
        if (ctx_.events) {
            if (club) ctx_.events->ChangeToClubDelivery(deliveryType);
            else ctx_.events->ChangeToHomeDelivery(deliveryType);
        }
    }
    st.deliveryCheckBoxChecked = false;
}

void DeliveryOptions::cboFreightOptions_Change()
{
    ctx_.state.IsDirty = true;
    ctx_.form.cmdUpdateTaxes.setEnabled(true);
}

void DeliveryOptions::SetFreightOptionsFromMorrow(std::string_view xmlValue)
{
    // Every option is read before the combo changes.
    std::vector<Option> options;
    std::string agent;
    bool agentRead = false;
    try {
        const std::string doc = cutDocument(xmlValue);
        pugi::xml_document rules;
        // A document that does not parse whole (cut off, or followed by stray
        // text) has no options: pugixml keeps what it read before the fault.
        if (const pugi::xml_parse_result parsed = rules.load_buffer(doc.data(), doc.size()); !parsed)
            throw text::RuntimeError(text::RuntimeError::invalidProcedureCall().number(),
                                     std::string("The freight rules do not read as a document (") + parsed.description() +
                                         " at " + std::to_string(parsed.offset) + ")");
        const ControlState& st = ctx_.state;
        std::string id;
        std::string description;
        for (pugi::xml_node top : rules.children("FreightRules")) {
            if (!top.first_child()) continue;
            for (pugi::xml_node option : top.children("DeliveryOption")) {
                if (!option.first_child()) continue;
                // A value an option lacks carries over from the option before.
                for (pugi::xml_node field : option.children()) {
                    const std::string_view name = field.name();
                    if (name == "VendorFreightMethodID") id = field.text().get();
                    else if (name == "VendorDeliveryTypeDescription") description = field.text().get();
                    else if (name == "VendorDeliveryAgentID") {
                        agent = field.text().get();
                        agentRead = true;
                    }
                }
                const std::string text = description == "Delivery To Club" ? std::string(kClubOption) : description;
                options.push_back({text, text::toInt32(ctx_.number(id))});
                if (text == kClubOption && (st.vendorFees.noCenterHandling || st.TransshipOrder)) break;
            }
        }
        if (options.empty()) throw text::RuntimeError::invalidProcedureCall();
    } catch (const text::RuntimeError& e) {
        ctx_.reportFailure("SetFreightOptions from Morrow Method", e);
        return;
    }
    if (agentRead) ctx_.state.DeliveryAgentID = agent;
    view::ComboBox& combo = ctx_.form.cboFreightOptions[0];
    combo.clear();
    for (const Option& o : options) combo.addItem(o.text, o.methodID);
    combo.setListIndex(0);
}

void DeliveryOptions::setVendorFreightMethodID(std::int32_t id, std::string_view given)
{
    ctx_.state.VendorFreightMethodID = id;
    // The option is found by its text, as given: "007" keeps method 7 but
    // selects no option "7".
    const std::string wanted = text::upperCased(given);
    view::ComboBox& combo = ctx_.form.cboFreightOptions[0];
    for (int i = 0; i < combo.listCount(); ++i)
        if (std::to_string(combo.itemData(i)) == wanted) {
            combo.setListIndex(i);
            break;
        }
    setHomeDeliveryOpen(combo.text() != kClubOption);
    combo.setEnabled(false);
}

void DeliveryOptions::setTransshipOrder(bool value)
{
    ctx_.state.TransshipOrder = value;
    if (!value) return;
    setHomeDeliveryOpen(false);
    view::ComboBox& combo = ctx_.form.cboFreightOptions[0];
    if (combo.listCount() < 2) return;
    for (int i = 0; i < combo.listCount(); ++i)
        if (text::equalsNoCase(combo.itemText(i), kClubOption)) {
            combo.setListIndex(i);
            combo.setEnabled(false);
            return;
        }
}

void DeliveryOptions::setThirdPartyDelivery(bool value)
{
    ctx_.state.ThirdPartyDelivery = value;
    setHomeDeliveryOpen(!value && ctx_.state.NonCenterDelivery);
}

void DeliveryOptions::UpdateFreightComboBox(bool homeDelivery)
{
    view::ComboBox& combo = ctx_.form.cboFreightOptions[0];
    if (!homeDelivery) {
        if (combo.listCount() == 0)
            throw InputError("UpdateFreightComboBox", std::nullopt, std::nullopt,
                             "there is no delivery option to select (SetFreightOptionsFromMorrow has given none)");
        combo.setListIndex(0);
    } else if (combo.listCount() >= 2 && combo.listIndex() == 0) {
        combo.setListIndex(1);
    }
}

} // namespace zelt
