// One libFuzzer target per reader of outside text that works on a control,
// built from this source with one ZELT_FUZZ_* definition each. The first byte
// of an input picks the setup (bits 0-1 the mode, bit 2 fr-CA, bit 3 a
// variant of the call); the rest is the text. Each target holds its reader to
// its guarantee: refused input leaves every observable of the control byte
// for byte as it was; accepted input leaves an order that exports, loads
// again and whose deposit adds up.
#include "ControlRig.h"

#include "platform/AvaTaxJson.h"
#include "totals/FeeIndex.h"

#include <zelt/OrderedItems.h>
#include <zelt/view/CheckBox.h>
#include <zelt/view/TextBox.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using fuzzrig::broken;
using fuzzrig::Rig;
using fuzzrig::RigPool;

constexpr std::string_view kLookups =
    "Open$F$1$R$Received$F$6$R$Rewards$F$7$R$$T$Each$F$EA$R$Box$F$BX$R$$T$UPS$F$1$R$Club$F$2$R$$T$"
    "Spring$F$2024-03-01$R$$T$1.25$R$$T$";
constexpr std::string_view kLines =
    "1$F$1$F$1$F$1$F$0$F$$F$2$F$EA$F$M$F$$F$$F$$F$D$F$1$F$2024-01-05$F$10$F$1$F$$F$0$F$$F$0$F$$R$"
    "1$F$2$F$6$F$1$F$0$F$$F$3.5$F$EA$F$N$F$$F$$F$$F$E$F$2.25$F$2024-01-05$F$4.5$F$1$F$$F$0$F$$F$-1$F$$R$";
// Vendor rates, flags (duty and brokerage on) and a saved fee record.
constexpr std::string_view kVendorFees =
    "0.02$F$1.5$F$0.03$F$0.01$F$20000$F$2024-01-05$R$True$F$True$F$False$F$False$F$False$F$False$F$False$F$False$R$"
    "250.00$F$450.00$F$0$F$0$F$0$F$9000.00$F$0$F$0$F$36.00$F$0$F$96.00$F$0$F$0$F$False$F$False$F$False$F$False$F$"
    "False$F$False$F$False$F$False$F$True$F$False$F$False$F$$F$$F$$F$$F$False$R$";

zelt::Mode modeOf(unsigned key) { return static_cast<zelt::Mode>(key % 4); }
bool frenchOf(unsigned key) { return (key & 4) != 0; }
bool variantOf(unsigned key) { return (key & 8) != 0; }

/// An order of two lines in the key's mode; the locale is set after loading,
/// as a host does.
void standardOrder(Rig& rig, unsigned key)
{
    zelt::OrderedItems& c = *rig.control;
    c.setViewMode(modeOf(key));
    c.GetComboContent(kLookups);
    c.setReadData(kLines);
    if (frenchOf(key)) c.setLocale(zelt::text::Locale::frCA());
}

/// Cuts the next line off the front of `rest`.
std::string piece(std::string_view& rest)
{
    const auto at = rest.find('\n');
    std::string out(rest.substr(0, at));
    rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
    return out;
}

/// AvaTax answering with the run's text, mapped as the REST client maps it.
class ScriptedAvaTax : public zelt::platform::AvaTaxService {
public:
    explicit ScriptedAvaTax(std::shared_ptr<std::string> answer) : answer_(std::move(answer)) {}
    void setProfileClient(const std::string&) override {}
    void setUrl(const std::string&) override {}
    void setAccount(const std::string&) override {}
    void setLicenseKey(const std::string&) override {}
    int ping(std::string_view) override { return 0; }
    zelt::platform::AvaTaxResult getTax(const zelt::platform::AvaTaxRequest&) override
    {
        return zelt::avaTaxResultFromJson(*answer_);
    }

private:
    std::shared_ptr<std::string> answer_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const unsigned key = data[0] & 0x0f;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

#if defined(ZELT_FUZZ_LINE_RECORDS)
    // The order's lines, in every mode and locale.
    static RigPool pool(standardOrder);
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) { rig.control->setReadData(text); });

#elif defined(ZELT_FUZZ_LOOKUP_TABLES)
    // The lookup tables; the variant takes its field, record and table
    // separators from the first three lines of the text.
    static RigPool pool(standardOrder);
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        if (!variantOf(key)) return rig.control->GetComboContent(text);
        std::string_view rest = text;
        const std::string field = piece(rest), record = piece(rest), table = piece(rest);
        rig.control->GetComboContent(rest, field, record, table);
    }, fuzzrig::Leeway{variantOf(key), true});

#elif defined(ZELT_FUZZ_TAX_FEE_EXCHANGE)
    // The saved fees and taxes: one argument, or (variant) all three cut at
    // the first two newlines.
    static RigPool pool(standardOrder);
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        if (!variantOf(key)) return rig.control->LetSalesTaxesNFees(text);
        std::string_view rest = text;
        const std::string fees = piece(rest), tax = piece(rest);
        rig.control->LetSalesTaxesNFees(fees, tax, rest);
    });

#elif defined(ZELT_FUZZ_BROKERAGE_BRACKETS)
    // The brokerage bracket table of a vendor that charges duty and
    // brokerage, read when the totals are recalculated (the clerk overrides
    // the duty). A malformed table gives no fee; any table gives a fee the
    // box shows in the locale's fixed form.
    static RigPool pool([](Rig& rig, unsigned k) {
        standardOrder(rig, k);
        if (modeOf(k) == zelt::Mode::ViewMode) rig.control->setViewMode(zelt::Mode::UpdateMode);
    });
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        zelt::OrderedItems& c = *rig.control;
        c.LetSalesTaxesNFees(kVendorFees, "", text);
        c.form().chkDutyFee.userClick();
        const std::string& fee = c.form().txtFee[0].text();
        const auto point = fee.find(c.locale().decimalSeparator);
        if (point == std::string::npos || fee.size() - point != 3)
            broken("the brokerage fee is not shown as a fixed amount", fee + "\ntable:\n" + text);
    });

#elif defined(ZELT_FUZZ_FREIGHT_RATES)
    // The freight rates by weight and (after the first newline) the carrier
    // surcharge records. Rates that are taken read back as they were kept.
    static RigPool pool(standardOrder);
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        zelt::OrderedItems& c = *rig.control;
        std::string_view rest = text;
        const std::string rates = piece(rest);
        c.LetFreightInfo(rates, rest);
        const std::string kept = c.GetFreightInfo();
        try {
            c.LetFreightInfo(kept + "$R$");
        } catch (const zelt::Error& e) {
            broken("the kept freight rates do not load again", kept + "\n" + e.what() + "\ninput:\n" + text);
        }
        if (c.GetFreightInfo() != kept) broken("the kept freight rates do not read back", kept + "\ninput:\n" + text);
    });

#elif defined(ZELT_FUZZ_FREIGHT_RULES_PAGE)
    // The catalogue system's freight rules page: read whole or refused with a
    // message and the delivery options untouched.
    static RigPool pool(standardOrder);
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        rig.control->SetFreightOptionsFromMorrow(text);
        if (!rig.boxes->shown().empty()) return fuzzrig::expectUnchanged(rig, "a refused rules page changed the order", text);
        if (rig.control->form().cboFreightOptions[0].listCount() == 0)
            broken("a rules page was taken without an option", text);
    });

#elif defined(ZELT_FUZZ_SURCHARGE_ANSWER)
    // The surcharge service's SOAP answer and its DiffGram (bit 3: an error
    // status). A refused answer is recorded and changes nothing; a used one
    // leaves the freight the base freight plus the surcharge, as shown.
    static RigPool pool([](Rig& rig, unsigned k) {
        standardOrder(rig, k);
        zelt::OrderedItems& c = *rig.control;
        if (modeOf(k) == zelt::Mode::ViewMode) c.setViewMode(zelt::Mode::UpdateMode);
        c.form().txtFee[4].setText(c.locale().decimalSeparator == "," ? "200,00" : "200.00");
        c.setUsesZeltD(true);
        c.PutServerName("http://127.0.0.1/");
    });
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        rig.http->body = text;
        rig.http->status = variantOf(key) ? 500 : 200;
        const std::size_t logBefore = rig.logEntries();
        zelt::OrderedItems& c = *rig.control;
        c.GetSurCharges(2, "2024-05-01");
        // A refused answer is recorded (a new event-log entry) and changes nothing.
        if (rig.logEntries() != logBefore) return fuzzrig::expectUnchanged(rig, "a refused answer changed the order", text);
        const auto amount = [&](int i) {
            return zelt::text::Currency::fromText(c.form().txtFee[i].text(), c.locale()).toDouble();
        };
        if (std::abs(amount(4) - (200.0 + amount(7))) > 0.0051)
            broken("the freight is not the base plus the surcharge", text);
    });

#elif defined(ZELT_FUZZ_INTERNAL_TAX_ANSWER)
    // The in-house tax service's answer (bit 3: an error status): five taxes
    // written, or a ServiceError with nothing changed.
    static RigPool pool([](Rig& rig, unsigned k) {
        standardOrder(rig, k);
        rig.control->setInternalTaxServiceURL("http://127.0.0.1/TaxService.asmx");
        rig.control->setShipCountry("Canada");
    });
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        rig.http->body = text;
        rig.http->status = variantOf(key) ? 500 : 200;
        rig.control->CalculateTaxesFromVardonInternalService("PO-1");
    });

#elif defined(ZELT_FUZZ_TAX_COMMAND_ANSWER)
    // An AvaTax answer as the tax command maps it and writes it to the boxes
    // and to TaxDataXML (falling back to the stored rates when it is refused).
    static RigPool pool(
        [](Rig& rig, unsigned k) {
            standardOrder(rig, k);
            zelt::OrderedItems& c = *rig.control;
            if (modeOf(k) == zelt::Mode::ViewMode) c.setViewMode(zelt::Mode::UpdateMode);
            c.setZeltEvent("PurchaseOrder");
            c.setCustomerOrderedDate("2024-05-01");
            c.setCenterID("12");
            c.form().cboFreightOptions[0].addItem("Home Delivery", 7);
            c.form().cboFreightOptions[0].setListIndex(0);
        },
        [](std::shared_ptr<std::string> answer) { return std::make_shared<ScriptedAvaTax>(std::move(answer)); });
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        *rig.avaTaxAnswer = text;
        rig.control->UpdateTaxes();
    });

#elif defined(ZELT_FUZZ_TYPED_KEYS)
    // The clerk's keys into one box of any kind: a fee or tax box (after
    // clicking its override), the currency rate, or any entry box of a line
    // (variant: then adds the line). Second byte picks the box.
    if (text.empty()) return 0;
    static RigPool pool([](Rig& rig, unsigned k) {
        // The vendor's fee record is read as an order being edited; then the
        // key's mode and locale.
        zelt::OrderedItems& c = *rig.control;
        standardOrder(rig, static_cast<unsigned>(zelt::Mode::UpdateMode));
        c.LetSalesTaxesNFees(kVendorFees);
        c.CountryID(zelt::COUNTRY::CANADA, 2);
        c.setViewMode(modeOf(k));
        if (frenchOf(k)) c.setLocale(zelt::text::Locale::frCA());
    });
    const unsigned pick = static_cast<unsigned char>(text[0]);
    const std::string keys = text.substr(1);
    fuzzrig::runGuarded(pool, key, text, [&](Rig& rig) {
        zelt::view::Form& f = rig.control->form();
        std::vector<zelt::view::TextBox*> boxes;
        for (zelt::view::Widget* w : f.widgets())
            if (w->kind() == zelt::view::WidgetKind::TextBox && w->visible())
                boxes.push_back(static_cast<zelt::view::TextBox*>(w));
        zelt::view::TextBox& box = *boxes[pick % boxes.size()];
        for (const zelt::FeeOverride& o : zelt::kFeeOverrides)
            if (&box == &f.txtFee[o.fee]) (f.*o.box).userClick();
        f.chkTaxes.forEach([&](int i, zelt::view::CheckBox& c) {
            if (&box == &f.txtFieldTax[i]) c.userClick();
        });
        f.moveFocus(&box);
        box.typeText(keys);
        f.moveFocus(nullptr);
        if (variantOf(key)) f.cmdAdd.userClick();
    });

#else
#error "define one ZELT_FUZZ_* target"
#endif
    return 0;
}
