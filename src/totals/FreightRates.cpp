#include "totals/FreightRates.h"

#include "core/ControlContext.h"
#include "core/Field.h"
#include "core/HostInput.h"
#include "totals/FeeIndex.h"
#include "zelt/text/Split.h"

#include <array>
#include <vector>

namespace zelt {

namespace {

/// The brackets the order's total weight falls in, lightest first: the rate
/// index and the heaviest weight of the bracket (inclusive). The lowest one
/// covers every load up to 500 lb.
struct Bracket {
    std::size_t rate;
    double above;
    double upTo;
};
constexpr std::array<Bracket, 4> kBrackets = {{
    {0, -1, 500},
    {1, 500, 1000},
    {2, 1000, 1999},
    {3, 1999, 1e308},
}};

} // namespace

void FreightRates::LetFreightInfo(std::string_view ptFreightRates, std::string_view ptSurcharges)
{
    ControlState& st = ctx_.state;
    const std::string& recordSep = st.recordSeparator;
    const std::string& fieldSep = st.fieldSeparator;

    // Everything the call reads is read before anything changes.
    std::array<double, 4> rates{};
    if (!ptFreightRates.empty()) {
        const HostInput in("ptFreightRates", ctx_.locale);
        auto records = text::splitRecords(ptFreightRates, recordSep);
        if (records.empty()) in.fail(1, std::nullopt, "no record: the rates must be followed by the record separator");
        auto fields = text::split(records[0], fieldSep);
        if (fields.size() < 5)
            in.fail(1, static_cast<int>(fields.size()),
                    "the rates record has " + std::to_string(fields.size()) + " fields; 5 are needed");
        for (std::size_t i = 0; i < rates.size(); ++i) rates[i] = in.amount(fields[i], 1, static_cast<int>(i), "the rate");
        in.number(fields[4], 1, 4, "field 4");
    }
    if (!ptSurcharges.empty()) {
        const HostInput in("ptSurcharges", ctx_.locale);
        auto records = text::splitRecords(ptSurcharges, recordSep);
        if (records.empty()) in.fail(1, std::nullopt, "no record: surcharges must be followed by the record separator");
        for (std::size_t r = 0; r < records.size(); ++r)
            if (text::split(records[r], fieldSep).size() < 2)
                in.fail(static_cast<int>(r) + 1, 1, "the surcharge record has no value");
    }

    st.freightRates = rates;
    view::Form& f = ctx_.form;
    if (f.chkAppFreight.checked() || ptSurcharges.empty()) return;
    if (!st.vendorFees.freightFromRates) return;
    for (double rate : rates)
        if (!(rate > 0)) return;
    // The totals boxes are the control's own: one that does not read ends the call.
    auto weight = text::tryToNumber(f.txtField[Field::TotalWeight].text(), ctx_.locale);
    auto merchandise = text::tryToNumber(f.txtField[Field::MerchandiseTotal].text(), ctx_.locale);
    if (!weight || !merchandise) return;
    for (const Bracket& b : kBrackets) {
        if (!(*weight > b.above && *weight <= b.upTo)) continue;
        const double freight = *weight * rates[b.rate];
        if (isAmountInRange(freight)) f.txtFee[Fee::Freight].setText(ctx_.fixed(freight, 2));
        return;
    }
}

std::string FreightRates::GetFreightInfo() const
{
    const std::string& sep = ctx_.state.fieldSeparator;
    std::string out;
    for (double rate : ctx_.state.freightRates) out += ctx_.fixed(rate, 4) + sep;
    return out + ctx_.fixed(0, 2) + sep;
}

} // namespace zelt
