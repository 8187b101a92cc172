#include "services/ComboContent.h"

#include "core/ControlContext.h"
#include "core/HostInput.h"
#include "zelt/InputError.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace zelt {

namespace {

constexpr std::string_view kMember = "GetComboContent";
constexpr std::array<std::string_view, 4> kTableNames = {"statuses", "units", "carriers", "Direction issues"};

// A separator argument replaces the current one unless it is empty or, blanks
// removed, the default.
std::string chooseSeparator(std::string_view argument, std::string_view fallback, std::string_view current)
{
    if (argument.empty() || text::trim(argument) == fallback) return std::string(current);
    return std::string(argument);
}

std::vector<LookupLists::Entry> readTable(std::string_view table, int tableNumber, const std::string& recordSep,
                                          const std::string& fieldSep)
{
    std::vector<LookupLists::Entry> entries;
    auto records = text::splitRecords(table, recordSep);
    entries.reserve(records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
        auto fields = text::split(records[r], fieldSep);
        if (fields.size() < 2)
            throw InputError(std::string(kMember), static_cast<int>(r) + 1, static_cast<int>(fields.size()),
                             "table " + std::to_string(tableNumber) + " (" +
                                 std::string(kTableNames[static_cast<std::size_t>(tableNumber)]) +
                                 "): a record needs a display text and a code");
        entries.emplace_back(fields.begin(), fields.end());
    }
    return entries;
}

/// Codes that go into a line's cell and out with the lines (units and
/// carriers) must not make a cell that reads back cut short. A code that ends
/// its record can end with the start of a field separator ("EA$F$R$").
void refuseSeparatorStarts(const std::vector<LookupLists::Entry>& entries, int tableNumber, std::size_t field,
                           const std::string& recordSep, const std::string& fieldSep)
{
    for (std::size_t r = 0; r < entries.size(); ++r)
        if (text::separatorStartsWithin(entries[r][field], fieldSep, recordSep))
            throw InputError(std::string(kMember), static_cast<int>(r) + 1, static_cast<int>(field),
                             "table " + std::to_string(tableNumber) + " (" +
                                 std::string(kTableNames[static_cast<std::size_t>(tableNumber)]) + "): " +
                                 quoteInput(entries[r][field]) +
                                 " ends with the start of a separator; the lines could not be exported");
}

} // namespace

void ComboContent::GetComboContent(std::string_view ptCmbPopulate, std::string_view ptFieldSeparator,
                                   std::string_view ptRecordSeparator, std::string_view ptTableSeparator)
{
    ControlState& st = ctx_.state;
    std::string fieldSep = chooseSeparator(ptFieldSeparator, "$F$", st.fieldSeparator);
    std::string recordSep = chooseSeparator(ptRecordSeparator, "$R$", st.recordSeparator);
    std::string tableSep = chooseSeparator(ptTableSeparator, "$T$", st.tableSeparator);

    // The new lists, positions and rate are built aside; the control changes
    // only once all of them are read.
    auto tables = text::splitRecords(ptCmbPopulate, tableSep);
    if (tables.size() < 5)
        throw InputError(std::string(kMember), std::nullopt, std::nullopt,
                         "the text holds " + std::to_string(tables.size()) +
                             " tables; five are needed (statuses, units, carriers, Direction issues, "
                             "conversion rate), each followed by the table separator");
    LookupLists next = ctx_.lists;
    next.statusList = readTable(tables[0], 0, recordSep, fieldSep);
    next.unitList = readTable(tables[1], 1, recordSep, fieldSep);
    next.carrierList = readTable(tables[2], 2, recordSep, fieldSep);
    const bool noIssues = tables[3].empty();
    if (!noIssues) next.issueList = readTable(tables[3], 3, recordSep, fieldSep);
    refuseSeparatorStarts(next.unitList, 1, 1, recordSep, fieldSep);
    refuseSeparatorStarts(next.carrierList, 2, 1, recordSep, fieldSep);
    auto rateRecords = text::split(tables[4], recordSep);
    if (rateRecords.empty())
        throw InputError(std::string(kMember), 1, std::nullopt, "table 4 holds no conversion rate");
    const std::string rateText(text::trim(rateRecords[0]));
    const double rate = readConversionRate(rateText);

    next.currencyConversionRate = rate;
    next.vendorConversionRate = st.vendorCountry == static_cast<std::int16_t>(COUNTRY::CANADA) ? rate : 1.0;
    // Active status positions; with repeated codes the last entry wins.
    for (std::size_t i = 0; i < next.statusList.size(); ++i) {
        const auto& e = next.statusList[i];
        auto pos = static_cast<std::int16_t>(std::min<std::size_t>(i, INT16_MAX));
        if (LookupLists::codeIs(e, 1, ctx_.locale)) next.statusPosition1 = pos;
        else if (LookupLists::codeIs(e, 7, ctx_.locale)) next.statusPosition7 = pos;
        else if (LookupLists::codeIs(e, 6, ctx_.locale)) next.statusPosition6 = pos;
    }
    for (std::size_t i = 0; i < next.carrierList.size(); ++i) {
        const auto& e = next.carrierList[i];
        if (LookupLists::codeIs(e, 2, ctx_.locale)) next.carrierPosition2 = std::to_string(i);
        else if (LookupLists::codeIs(e, 15, ctx_.locale)) next.carrierPosition15 = std::to_string(i);
    }

    // Apply.
    st.fieldSeparator = std::move(fieldSep);
    st.recordSeparator = std::move(recordSep);
    st.tableSeparator = std::move(tableSep);
    ctx_.lists = std::move(next);
    view::Form& f = ctx_.form;
    if (noIssues) {
        f.chkDirection.setEnabled(false);
        f.chkDirection.setBackColor(view::Color::buttonFace());
    } else {
        f.cboFld[4].clear();
        for (const auto& e : ctx_.lists.issueList) f.cboFld[4].addItem(LookupLists::displayText(e));
    }
    f.txtCurrConversionRate.setText(st.orderCountry == COUNTRY::CANADA ? rateText : "1");
}

double ComboContent::readConversionRate(const std::string& rateText) const
{
    // Digits with at most one decimal separator of the locale: the form the
    // conversion-rate box holds and every reading of it agrees on.
    const std::string& point = ctx_.locale.decimalSeparator;
    bool plain = !rateText.empty();
    bool seenPoint = false;
    bool digit = false;
    for (std::size_t i = 0; plain && i < rateText.size();) {
        if (rateText[i] >= '0' && rateText[i] <= '9') {
            digit = true;
            ++i;
        } else if (!seenPoint && rateText.compare(i, point.size(), point) == 0) {
            seenPoint = true;
            i += point.size();
        } else {
            plain = false;
        }
    }
    auto rate = plain && digit ? text::tryToNumber(rateText, ctx_.locale) : std::nullopt;
    if (!rate)
        throw InputError(std::string(kMember), 1, std::nullopt,
                         "table 4: the conversion rate " + quoteInput(rateText) +
                             " is not a number in the form the rate box takes (digits and at most one decimal separator \"" +
                             point + "\")");
    if (*rate <= 0 || !isAmountInRange(*rate))
        throw InputError(std::string(kMember), 1, std::nullopt,
                         "table 4: the conversion rate " + quoteInput(rateText) +
                             " must be greater than 0 and inside the currency range");
    return *rate;
}

void ComboContent::PopulateComboBoxes(bool isCenterLevel, bool limitedStatuses, bool showCombos, bool /*unused*/)
{
    view::Form& f = ctx_.form;
    const LookupLists& lists = ctx_.lists;
    try {
        for (int i : {1, 2, 3}) f.cboFld[i].setVisible(showCombos);
        for (int i : {0, 5, 8}) f.txtField[i].setVisible(!showCombos);
        if (!showCombos) return;

        auto statusAt = [&](std::size_t pos) -> const LookupLists::Entry& {
            if (pos >= lists.statusList.size()) throw text::RuntimeError::subscriptOutOfRange();
            return lists.statusList[pos];
        };
        view::ComboBox& status = f.cboFld[1];
        status.clear();
        if (!limitedStatuses) {
            for (const auto& e : lists.statusList) status.addItem(LookupLists::displayText(e));
        } else {
            status.addItem(LookupLists::displayText(statusAt(static_cast<std::size_t>(lists.statusPosition1))));
            const std::string& points = ctx_.state.RewardsPoints;
            if (points != "-" && points != "0") status.addItem(LookupLists::displayText(statusAt(6)));
        }

        view::ComboBox& unit = f.cboFld[2];
        unit.clear();
        for (const auto& e : lists.unitList) unit.addItem(LookupLists::displayText(e));

        view::ComboBox& carrier = f.cboFld[3];
        carrier.clear();
        auto carrierAt = [&](const std::string& position) -> const LookupLists::Entry& {
            auto pos = static_cast<std::size_t>(text::leadingNumber(position));
            if (pos >= lists.carrierList.size()) throw text::RuntimeError::subscriptOutOfRange();
            return lists.carrierList[pos];
        };
        const VendorFeeRules& rules = ctx_.state.vendorFees;
        if (!isCenterLevel) {
            for (const auto& e : lists.carrierList) carrier.addItem(LookupLists::displayText(e));
        } else if (rules.freightFromRates) {
            if (!lists.carrierPosition2.empty())
                carrier.addItem(LookupLists::displayText(carrierAt(lists.carrierPosition2)));
        } else {
            for (const auto& e : lists.carrierList) carrier.addItem(LookupLists::displayText(e));
            auto removeCarrier = [&](const std::string& position) {
                const std::string& text = LookupLists::displayText(carrierAt(position));
                carrier.setText(text);
                if (carrier.listIndex() >= 0) carrier.removeItem(carrier.listIndex());
            };
            if (!lists.carrierPosition2.empty()) removeCarrier(lists.carrierPosition2);
            if (rules.homeDeliveryTyped && !lists.carrierPosition15.empty()) removeCarrier(lists.carrierPosition15);
        }
        if (ctx_.state.UsesZeltD && carrier.listCount() > 0) carrier.setListIndex(0);
    } catch (const text::RuntimeError& e) {
        ctx_.reportFailure("PopulateComboBoxes module", e);
    }
}

} // namespace zelt
