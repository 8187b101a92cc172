#pragma once

// A control prepared for fuzzing, with stand-in services the target can steer
// (the HTTP answer, the AvaTax answer) and observe (event log, message boxes),
// plus the snapshot of its state once prepared.
//
// Building a control and loading its order costs more than most inputs, so a
// prepared control is kept between runs for as long as it is provably as it
// was: an input that leaves the snapshot byte for byte unchanged leaves the
// rig in place; an input that changes the control gets its consistency
// checked and the rig is rebuilt for the next run.
#include "ControlSnapshot.h"

#include <zelt/OrderedItems.h>
#include <zelt/StandIns.h>
#include <zelt/platform/EventLog.h>
#include <zelt/text/Currency.h>
#include <zelt/view/ScriptedMessageBoxes.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fuzzrig {

[[noreturn]] inline void broken(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "guarantee broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

/// Every HTTP request is answered with the text and status the run sets.
class ScriptedHttp : public zelt::platform::HttpClient {
public:
    std::string body;
    long status = 200;
protected:
    zelt::platform::HttpResult exchange(const zelt::platform::HttpRequest&) override
    {
        return {zelt::platform::HttpResponse{status, body}, {}};
    }
};

/// Counts the entries written without keeping them: a kept rig must not grow
/// from run to run, or every run looks like a leak to the fuzzer and gets a
/// full leak scan.
class CountingEventLog : public zelt::platform::EventLog {
public:
    void write(std::string_view) override { ++entries; }
    std::size_t entries = 0;
};

struct Rig {
    std::shared_ptr<ScriptedHttp> http = std::make_shared<ScriptedHttp>();
    std::shared_ptr<CountingEventLog> log = std::make_shared<CountingEventLog>();
    std::shared_ptr<zelt::view::ScriptedMessageBoxes> boxes = std::make_shared<zelt::view::ScriptedMessageBoxes>();
    /// What AvaTax answers; the tax command makes its service from it.
    std::shared_ptr<std::string> avaTaxAnswer = std::make_shared<std::string>();
    std::unique_ptr<zelt::OrderedItems> control;
    std::string snapshot;

    std::size_t logEntries() const { return log->entries; }
};

using Setup = std::function<void(Rig&, unsigned key)>;
using AvaTaxFactory = std::function<std::shared_ptr<zelt::platform::AvaTaxService>(std::shared_ptr<std::string>)>;

/// Prepared rigs by setup key.
class RigPool {
public:
    explicit RigPool(Setup setup, AvaTaxFactory avaTax = {}) : setup_(std::move(setup)), avaTax_(std::move(avaTax)) {}

    Rig& get(unsigned key)
    {
        auto& slot = rigs_[key];
        if (!slot) {
            slot = std::make_unique<Rig>();
            zelt::Services services;
            services.http = slot->http;
            services.eventLog = slot->log;
            services.messageBoxes = slot->boxes;
            if (avaTax_) services.avaTax = [factory = avaTax_, answer = slot->avaTaxAnswer] { return factory(answer); };
            slot->control = std::make_unique<zelt::OrderedItems>(services);
            setup_(*slot, key);
            slot->boxes->clearShown(); // a run sees only the messages it caused
            slot->snapshot = controlSnapshot(*slot->control);
        }
        return *slot;
    }
    void discard(unsigned key) { rigs_.erase(key); }

private:
    Setup setup_;
    AvaTaxFactory avaTax_;
    std::map<unsigned, std::unique_ptr<Rig>> rigs_;
};

/// An input refused quietly (a message or a log entry, no exception) must
/// leave the control as prepared, as a raised refusal must.
inline void expectUnchanged(const Rig& rig, const char* what, const std::string& input)
{
    if (controlSnapshot(*rig.control) != rig.snapshot) broken(what, input);
}

/// The deposit is the sum of the fees, the sales tax and the merchandise
/// total once the taxes and fees are set again (to the cent). Checked only where every part
/// is a number and the step reached the deposit (it stops at a line whose
/// amount cannot be read, as documented).
inline void expectDepositEqualsItsParts(zelt::OrderedItems& control, const std::string& input)
{
    auto& f = control.form();
    const std::string sentinel = "not recomputed";
    f.txtFee[6].setText(sentinel);
    control.SetTaxNFees();
    if (f.txtFee[6].text() == sentinel) return;
    zelt::text::Currency sum;
    try {
        for (int i : {0, 1, 2, 3, 4, 5, 7})
            if (!f.txtFee[i].text().empty()) sum += zelt::text::Currency::fromText(f.txtFee[i].text(), control.locale());
        for (int i : {17, 18}) sum += zelt::text::Currency::fromText(f.txtField[i].text(), control.locale());
        const auto deposit = zelt::text::Currency::fromText(f.txtFee[6].text(), control.locale());
        // The deposit is formatted from a double to 15 significant digits:
        // on amounts of a trillion and more the cents are that rounding.
        const double slack = 0.005 + std::abs(sum.toDouble()) * 5e-15;
        if (std::abs((deposit - sum).toDouble()) > slack) {
            std::string parts;
            for (int i : {0, 1, 2, 3, 4, 5, 7}) parts += "fee " + std::to_string(i) + ": " + f.txtFee[i].text() + "\n";
            for (int i : {17, 18}) parts += "field " + std::to_string(i) + ": " + f.txtField[i].text() + "\n";
            broken("the deposit is not the sum of its parts", "deposit " + f.txtFee[6].text() + "\n" + parts + "input:\n" + input);
        }
    } catch (const zelt::Error&) {
        // A part that is no number: there is no sum to hold the deposit to.
    }
}

inline bool rateIsPositive(zelt::OrderedItems& control)
{
    try {
        return zelt::text::Currency::fromText(control.form().txtCurrConversionRate.text(), control.locale()) >
               zelt::text::Currency{};
    } catch (const zelt::Error&) {
        return false;
    }
}

/// The summary's amounts (fields 2 to 14 and 27) each read as a number
/// inside the currency range: a host can store the summary and give it back.
inline void expectSummaryReadsBack(zelt::OrderedItems& control, const std::string& summary, const std::string& input)
{
    std::vector<std::string> fields;
    for (std::size_t at = 0, next; (next = summary.find("$F$", at)) != std::string::npos; at = next + 3)
        fields.push_back(summary.substr(at, next - at));
    if (fields.size() != 28) broken("the summary does not have its 28 fields", summary + "\ninput:\n" + input);
    for (std::size_t i : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 27}) {
        try {
            (void)zelt::text::Currency::fromText(fields[i], control.locale());
        } catch (const zelt::Error&) {
            broken("a summary amount does not read back", "field " + std::to_string(i) + ": " + fields[i] +
                                                                "\nsummary: " + summary + "\ninput:\n" + input);
        }
    }
}

/// What an accepted input may have changed that loading the same lines
/// again would not keep.
struct Leeway {
    /// The host chose other separators: a cell may now hold one.
    bool separators = false;
    /// The status list changed: the lines keep the prices of their load until
    /// they are loaded again.
    bool lookups = false;
};

/// The export as loading it again must give it back: a line the clerk wrote
/// as not exempt carries the mark "q", which a loaded line leaves empty; and
/// where the lookups changed, the extended prices are left out.
inline std::string comparable(const std::string& lines, const Leeway& leeway)
{
    std::string out;
    for (std::size_t start = 0, end; (end = lines.find("$R$", start)) != std::string::npos; start = end + 3) {
        std::string record = lines.substr(start, end - start);
        std::size_t at = 0; // where field 20 starts
        for (int field = 0; field < 20 && at != std::string::npos; ++field) {
            const std::size_t separator = record.find("$F$", at);
            at = separator == std::string::npos ? separator : separator + 3;
        }
        const std::size_t next = at == std::string::npos ? at : record.find("$F$", at);
        if (leeway.lookups && next != std::string::npos) record.replace(at, next - at, "");
        if (record.ends_with("$F$q$F$")) record.erase(record.size() - 4, 1);
        out += record + "$R$";
    }
    return out;
}

/// An order changed by an accepted input holds together: its summary can be
/// asked for and its amounts read back, its lines export, the export loads
/// again and exports the same lines, and the deposit adds up. Only a
/// conversion rate the clerk set to zero (prices are exported in the
/// vendor's currency) or separators the host has changed since (a cell may
/// then hold one) may stop the export, with a reason.
inline void expectConsistent(zelt::OrderedItems& control, const std::string& input, const Leeway& leeway = {})
{
    const bool excused = !rateIsPositive(control) || leeway.separators;
    try {
        const std::string summary = control.GetSalesTaxesNFees();
        if (!excused) expectSummaryReadsBack(control, summary, input);
    } catch (const zelt::Error& e) {
        if (!excused) broken("the summary of an accepted input is refused", std::string(e.what()) + "\ninput:\n" + input);
    }
    std::string lines;
    try {
        lines = control.readData();
    } catch (const zelt::ExportError& e) {
        if (excused) return expectDepositEqualsItsParts(control, input);
        broken("the lines of an accepted input do not export", std::string(e.what()) + "\ninput:\n" + input);
    }
    std::string again;
    try {
        control.setReadData(lines);
        again = control.readData();
    } catch (const zelt::Error& e) {
        broken("the exported lines do not load and export again", std::string(e.what()) + "\nlines:\n" + lines +
                                                                       "\ninput:\n" + input);
    }
    if (!leeway.separators && comparable(again, leeway) != comparable(lines, leeway))
        broken("the exported lines load again to other cells", "first:\n" + lines + "\nthen:\n" + again + "\ninput:\n" + input);
    expectDepositEqualsItsParts(control, input);
}

/// Runs one input on the rig for `key`: a refusal (zelt::Error) must leave the
/// snapshot unchanged; an accepted input that changed something is checked
/// for consistency and the rig rebuilt. Returns whether the input was refused.
template <typename Call>
bool runGuarded(RigPool& pool, unsigned key, const std::string& input, Call call, const Leeway& leeway = {})
{
    Rig& rig = pool.get(key);
    bool refused = false;
    std::string why;
    try {
        call(rig);
    } catch (const zelt::Error& e) {
        refused = true;
        why = e.what();
    }
    rig.boxes->clearShown();
    const std::string after = controlSnapshot(*rig.control);
    if (after == rig.snapshot) return refused;
    if (refused) broken("a refused input changed the control", why + "\ninput:\n" + input);
    expectConsistent(*rig.control, input, leeway);
    pool.discard(key);
    return false;
}

} // namespace fuzzrig
