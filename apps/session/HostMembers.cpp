#include "HostMembers.h"

#include "ModeNames.h"

#include <charconv>

namespace zelt::session {

namespace {

using Use = HostMember::Use;
using Value = HostMember::Value;

bool isTrue(const std::string& v) { return v == "True" || v == "1"; }

std::optional<double> number(const std::string& v)
{
    double out = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
    if (ec != std::errc() || end != v.data() + v.size()) return std::nullopt;
    return out;
}

std::string said(bool value) { return value ? "returned True" : "returned False"; }

// A property that takes True or False.
HostMember flag(std::string_view name, void (OrderedItems::*let)(bool), std::string_view help)
{
    return {name, Use::Let, Value::Bool, [let](OrderedItems& c, const std::string& v) {
                (c.*let)(isTrue(v));
                return std::string();
            },
            help};
}

// A method that takes nothing and returns nothing.
HostMember command(std::string_view name, void (OrderedItems::*call)(), std::string_view help)
{
    return {name, Use::Call, Value::None, [call](OrderedItems& c, const std::string&) {
                (c.*call)();
                return std::string();
            },
            help};
}

// A method or property get that the script prints.
HostMember reading(std::string_view name, std::function<std::string(OrderedItems&)> read, std::string_view help)
{
    return {name, Use::Call, Value::None, [read](OrderedItems& c, const std::string&) { return "returned " + read(c); }, help};
}

} // namespace

const std::vector<HostMember>& HostMembers::table()
{
    static const std::vector<HostMember> members = {
        {"ViewMode", Use::Let, Value::Mode,
         [](OrderedItems& c, const std::string& v) {
             c.setViewMode(*ModeNames::parse(v));
             return std::string();
         },
         "the mode (Add, Update, View, LineCancel or 0 to 3), as a host sets it before loading"},
        flag("IsDirty", &OrderedItems::setIsDirty, "the unsaved-change flag"),
        {"RewardsPoints", Use::Let, Value::Text,
         [](OrderedItems& c, const std::string& v) {
             c.setRewardsPoints(v);
             return std::string();
         },
         "the member's rewards points"},
        {"RewardsAmount", Use::Let, Value::Number,
         [](OrderedItems& c, const std::string& v) {
             c.setRewardsAmount(*number(v));
             return std::string();
         },
         "the member's rewards amount"},
        {"MaxLines", Use::Let, Value::Row,
         [](OrderedItems& c, const std::string& v) {
             c.setMaxLines(static_cast<std::size_t>(*number(v)));
             return std::string();
         },
         "the most lines a load takes"},
        {"VendorFreightMethodID", Use::Let, Value::Text,
         [](OrderedItems& c, const std::string& v) {
             c.setVendorFreightMethodID(v);
             return std::string();
         },
         "the vendor's freight method"},
        flag("AllowFreightOverride", &OrderedItems::setAllowFreightOverride, "whether the clerk may override the freight"),
        flag("AllowEHDOverride", &OrderedItems::setAllowEHDOverride, "whether the clerk may override home delivery"),
        flag("DeliveryCheckBoxChecked", &OrderedItems::setDeliveryCheckBoxChecked, "the host's delivery check box"),
        flag("EnableFreightDeliveryOptions", &OrderedItems::setEnableFreightDeliveryOptions, "the delivery options combo"),
        flag("TransshipOrder", &OrderedItems::setTransshipOrder, "a transshipped order"),
        flag("ThirdPartyDelivery", &OrderedItems::setThirdPartyDelivery, "delivery by a third party"),
        flag("NonCenterDelivery", &OrderedItems::setNonCenterDelivery, "delivery elsewhere than the centre"),
        flag("EnableControls", &OrderedItems::setEnableControls, "enables the line commands"),
        flag("DisableControls", &OrderedItems::setDisableControls, "disables the line commands"),
        command("UpdateTaxes", &OrderedItems::UpdateTaxes, "the tax and fee calculation, as the host starts it"),
        command("SetTaxNFees", &OrderedItems::SetTaxNFees, "the tax fields, total sales tax and total deposit"),
        command("LoadTaxRates", &OrderedItems::LoadTaxRates, "the tax rates into the tax boxes"),
        reading("Undo", [](OrderedItems& c) { return std::string(c.Undo() ? "True" : "False"); }, "takes back the last line command"),
        reading("Redo", [](OrderedItems& c) { return std::string(c.Redo() ? "True" : "False"); }, "does the last line command again"),
        reading("CancelOpenLine", [](OrderedItems& c) { return std::string(c.CancelOpenLine() ? "True" : "False"); },
                "the clerk's Esc: closes the open line unwritten"),
        {"SelectLine", Use::Call, Value::Row,
         [](OrderedItems& c, const std::string& v) { return said(c.SelectLine(static_cast<int>(*number(v)))); },
         "makes a grid row the current line"},
        {"PasteLines", Use::Call, Value::Text,
         [](OrderedItems& c, const std::string& v) { return "returned " + std::to_string(c.PasteLines(v)); },
         "adds tab-separated rows as lines"},
        reading("CopyLines", [](OrderedItems& c) { return c.CopyLines(); }, "the selected lines as tab-separated rows"),
        reading("ExemptItems", [](OrderedItems& c) { return c.ExemptItems(); }, "the rows of the exempt lines"),
        reading("GetSalesTaxesNFees", [](OrderedItems& c) { return c.GetSalesTaxesNFees(); }, "the tax and fee summary"),
        reading("GetTotalAmount", [](OrderedItems& c) { return std::to_string(c.GetTotalAmount()); }, "the total deposit"),
        reading("IsDirty", [](OrderedItems& c) { return std::string(c.IsDirty() ? "True" : "False"); }, "the unsaved-change flag"),
        reading("TaxesOutOfDate", [](OrderedItems& c) { return std::string(c.TaxesOutOfDate() ? "True" : "False"); },
                "whether the order changed since its taxes were worked out"),
        reading("LastServiceFailure", [](OrderedItems& c) { return c.LastServiceFailure(); }, "the last failed web exchange"),
    };
    return members;
}

const HostMember* HostMembers::find(HostMember::Use use, std::string_view name)
{
    for (const HostMember& m : table())
        if (m.use == use && m.name == name) return &m;
    return nullptr;
}

std::string HostMembers::check(const HostMember& member, const std::optional<ScriptWord>& value)
{
    const std::string name(member.name);
    if (member.value == Value::None) return value ? name + " takes no value" : std::string();
    if (!value) return name + " needs a value";
    const std::string& v = value->text;
    switch (member.value) {
    case Value::None: break;
    case Value::Bool:
        if (value->quoted || (v != "True" && v != "False" && v != "1" && v != "0"))
            return name + " takes True or False, not " + v;
        break;
    case Value::Number:
        if (value->quoted || !number(v)) return name + " takes a number such as 12.5, not " + v;
        break;
    case Value::Row:
        if (value->quoted || !number(v) || *number(v) < 0 || *number(v) != static_cast<double>(static_cast<long>(*number(v))))
            return name + " takes a whole number, not " + v;
        break;
    case Value::Text:
        if (!value->quoted) return name + " takes a quoted text, not " + v;
        break;
    case Value::Mode:
        if (value->quoted || !ModeNames::parse(v)) return name + " takes Add, Update, View, LineCancel or 0 to 3, not " + v;
        break;
    }
    return {};
}

std::string HostMembers::names(HostMember::Use use)
{
    std::string out;
    for (const HostMember& m : table())
        if (m.use == use) out += (out.empty() ? "" : ", ") + std::string(m.name);
    return out;
}

} // namespace zelt::session
