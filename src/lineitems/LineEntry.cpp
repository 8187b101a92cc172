#include "lineitems/LineEntry.h"

#include "core/KeptRowNumbers.h"

#include "core/ControlContext.h"
#include "core/Field.h"
#include "core/HostInput.h"
#include "lineitems/EntryArea.h"
#include "core/LineColumns.h"
#include "lineitems/LineHistory.h"
#include "lineitems/LineRows.h"
#include "services/ComboContent.h"
#include "services/OrderEventRules.h"
#include "totals/TotalsRecalculation.h"
#include "zelt/text/RuntimeError.h"

#include <cmath>

namespace zelt {

namespace {

int indexOf(const view::ComboBox& combo, const std::string& text)
{
    for (int i = 0; i < combo.listCount(); ++i)
        if (combo.itemText(i) == text) return i;
    return -1;
}

} // namespace

void LineEntry::bind()
{
    ctx_.form.cmdAdd.Click = ctx_.guard([this] { cmdAdd_Click(); });
}

void LineEntry::cmdAdd_Click()
{
    const std::string& caption = ctx_.form.cmdAdd.caption();
    if (caption == "Add") openNewLine();
    else if (caption == "Add to Grid") checkAndWrite(true);
    else if (caption == "Update") checkAndWrite(false);
}

void LineEntry::openNewLine()
{
    view::Form& f = ctx_.form;
    view::Grid& grid = ctx_.grid();
    entryArea_.reset(true);
    f.txtField[Field::UnitWeight].setText(ctx_.fixed(0, 3));
    const int last = grid.rows() - 1;
    view::TextBox& date = f.txtField[Field::PriceListDate];
    date.setText(last >= 1 ? std::string(grid.text(last, Col::PriceListDate)) : std::string());
    f.DTPckrPriceListDate.setValue(date.text().empty() ? std::nullopt : text::Date::parse(date.text(), ctx_.locale));
    const std::string& ackDate = f.txtField[Field::AckDate].text();
    if (!ackDate.empty()) f.DTPckrAklwdgmntDate.setValue(text::Date::parse(ackDate, ctx_.locale));

    combos_.PopulateComboBoxes(ctx_.state.IsCenterLevel, true, true);
    for (int i : {Combo::Status, Combo::Unit})
        if (f.cboFld[i].listCount() > 0) f.cboFld[i].setListIndex(0);
    view::ComboBox& carrier = f.cboFld[Combo::Carrier];
    if (carrier.listCount() > 0) {
        int pick = -1;
        if (last >= 1)
            if (auto display = ctx_.lists.displayForCode(ctx_.lists.carrierList, grid.text(last, Col::CarrierID)))
                pick = indexOf(carrier, *display);
        carrier.setListIndex(pick);
    }

    f.cmdEdit.setEnabled(true);
    f.cmdEdit.setCaption("Cancel");
    f.cmdAdd.setCaption("Add to Grid");
    f.cmdDelete.setEnabled(false);
    f.cmdDelete.setVisible(false);
    grid.setEnabled(false);
    grid.setHighlightStyle(0);
    f.chkExempt.setEnabled(true);
    entryArea_.setExemptBox(false);
    f.txtField[Field::Description].setFocus();
    entryArea_.lineOpened();
}

LineDraft LineEntry::newLineDefaults() const
{
    const view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    const int last = grid.rows() - 1;
    LineDraft d;
    // A new line offers the status of code 1 first, as the status combo does.
    if (!lists.statusList.empty()) {
        std::size_t first = static_cast<std::size_t>(lists.statusPosition1);
        const auto& entry = first < lists.statusList.size() ? lists.statusList[first] : lists.statusList.front();
        d.status = LookupLists::displayText(entry);
        d.statusSelected = true;
    }
    if (!lists.unitList.empty()) {
        d.unit = LookupLists::displayText(lists.unitList.front());
        d.unitSelected = true;
    }
    if (last >= 1) {
        d.priceListDate = grid.text(last, Col::PriceListDate);
        if (auto display = lists.displayForCode(lists.carrierList, grid.text(last, Col::CarrierID))) {
            d.carrier = *display;
            d.carrierSelected = true;
        }
    }
    if (d.priceListDate.empty()) d.priceListDate = text::formatDateText(ctx_.state.vendorPriceListDate, ctx_.locale);
    d.unitWeight = ctx_.fixed(0, 3);
    // Rows that come from outside the entry area carry prices as the order
    // shows them: in the order's own currency, whatever line was selected.
    d.usaPrices = ctx_.state.orderCountry != COUNTRY::CANADA;
    return d;
}

std::optional<EntryFailure> LineEntry::check(LineDraft& draft, bool updating) const
{
    return EntryChecks(ctx_, updating ? ctx_.grid().row() : 0).check(draft);
}

void LineEntry::focus(EntryFocus where)
{
    view::Form& f = ctx_.form;
    view::Widget* target = nullptr;
    switch (where) {
    case EntryFocus::StatusCombo: target = &f.cboFld[Combo::Status]; break;
    case EntryFocus::Description: target = &f.txtField[Field::Description]; break;
    case EntryFocus::UnitWeight: target = &f.txtField[Field::UnitWeight]; break;
    case EntryFocus::UnitCombo: target = &f.cboFld[Combo::Unit]; break;
    case EntryFocus::Quantity: target = &f.txtField[Field::Quantity]; break;
    case EntryFocus::UnitPrice: target = &f.txtField[Field::UnitPrice]; break;
    case EntryFocus::AckPrice: target = &f.txtField[Field::AckPrice]; break;
    case EntryFocus::AckNumber: target = &f.txtField[Field::AckNumber]; break;
    case EntryFocus::AckPicker: target = &f.DTPckrAklwdgmntDate; break;
    case EntryFocus::IssueCombo: target = &f.cboFld[Combo::Issue]; break;
    case EntryFocus::PriceListPicker: target = &f.DTPckrPriceListDate; break;
    case EntryFocus::CarrierCombo: target = &f.cboFld[Combo::Carrier]; break;
    }
    target->setFocus();
}

void LineEntry::show(const EntryFailure& failure)
{
    ctx_.message(failure.message, failure.title, view::MessageBoxButtons::Ok,
                 failure.information ? view::MessageBoxIcon::Information : view::MessageBoxIcon::None);
    focus(failure.focus);
}

void LineEntry::checkAndWrite(bool adding)
{
    LineDraft draft = LineDraft::fromEntryArea(ctx_);
    const auto failure = check(draft, !adding);
    draft.writeReformattedFields(ctx_);
    if (failure) {
        show(*failure);
        return;
    }
    const int row = adding ? ctx_.grid().rows() : ctx_.grid().row();
    auto staged = stage(draft, adding, row);
    if (auto* refused = std::get_if<EntryFailure>(&staged)) {
        show(*refused);
        return;
    }

    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    int written = 0;
    history_.record(adding ? "Add line" : "Update line", [&] {
        written = write(std::get<StagedLine>(staged), adding);
        adjustRewards();
    });
    if (ctx_.isAcknowledgingSelectedLine()) {
        st.rememberedAckNumber = draft.ackNumber;
        st.rememberedAckDate = draft.ackDate;
    }
    if (st.mode == Mode::UpdateMode)
        f.OptVndrCntryID.forEach([](int, view::OptionButton& o) { o.setEnabled(true); });
    combos_.PopulateComboBoxes(false, false, false);
    totals_.fupdate();
    if (!adding) {
        rows_.removeLine(written, false);
        st.IsDirty = true;
    }
    view::Grid& grid = ctx_.grid();
    grid.setEnabled(true);
    grid.setCurrentCell(written, std::max(grid.col(), 0));
    grid.setHighlightStyle(1);
    entryArea_.reset(false);
    if (st.mode == Mode::LineCancelMode) {
        f.cmdAdd.setCaption("Update");
        f.cmdLineItemCan.setEnabled(true);
        f.cmdAdd.setEnabled(false);
    }
    f.cmdUpdateTaxes.setEnabled(true);
    entryArea_.setExemptBox(false);
    st.IsFirstInit = false;
    // The clerk goes on from the line just written, as after a delete or a cancel.
    if (grid.visible()) grid.setFocus();
}

namespace {

// A conversion the checks could not foresee (a conversion rate of 0) is
// reported on its field like a failed check; nothing is written.
EntryFailure refusedWrite(EntryFocus focus, const char* name, const std::string& why)
{
    return EntryFailure{"C", "Information Validation",
                        std::string("The ") + name + " of the line item cannot be written: " + why + ".", true, focus, name};
}

} // namespace

std::optional<EntryFailure> LineEntry::stagePrices(const LineDraft& d, StagedLine& out, text::FixedText& price) const
{
    const ControlState& st = ctx_.state;
    const COUNTRY country = st.orderCountry;
    const double rate = ctx_.lists.currencyConversionRate;
    auto converted = [&](double v) {
        if (d.usaPrices && country == COUNTRY::CANADA) return text::checked(v * rate);
        if (!d.usaPrices && country == COUNTRY::USA) return text::divide(v, rate);
        return v;
    };
    try {
        price = ctx_.fixedRead(converted(ctx_.number(d.unitPrice)), 2);
    } catch (const text::RuntimeError& e) {
        return refusedWrite(EntryFocus::UnitPrice, "unit price", e.description());
    }
    out.cells[Col::UnitPrice] = price.text;
    if (!st.orderStatusFlag) return std::nullopt;
    // An acknowledgement price left empty on a line that needs none is 0.
    auto ack = d.ackPrice.empty() ? std::optional<double>(0) : text::tryToNumber(d.ackPrice, ctx_.locale);
    if (!ack) return refusedWrite(EntryFocus::AckPrice, "Acknowledgement price", "it is not a number");
    try {
        const double akw = converted(*ack);
        if (!isAmountInRange(akw))
            return refusedWrite(EntryFocus::AckPrice, "Acknowledgement price", "it is beyond the currency range");
        out.cells[Col::AkwPrice] = ctx_.fixed(akw, 2);
    } catch (const text::RuntimeError& e) {
        return refusedWrite(EntryFocus::AckPrice, "Acknowledgement price", e.description());
    }
    return std::nullopt;
}

std::variant<LineEntry::StagedLine, EntryFailure> LineEntry::stage(const LineDraft& d, bool adding, int row) const
{
    const view::Grid& grid = ctx_.grid();
    const ControlState& st = ctx_.state;
    const LookupLists& lists = ctx_.lists;
    StagedLine out;
    auto& cell = out.cells;
    auto trimmed = [](const std::string& s) { return std::string(text::trim(s)); };

    if (adding) {
        cell[Col::LineItem] = std::to_string(rows_.nextLineNumber(grid.rows())) + "N";
        if (!st.orderStatusFlag) cell[Col::AkwPrice] = ctx_.fixed(0, 2);
    } else {
        const std::string current(grid.text(row, Col::LineItem));
        if (LineRows::isPlainNumber(current)) cell[Col::LineItem] = current + "U";
    }
    if (auto code = lists.codeForDisplay(lists.statusList, d.status)) cell[Col::Status] = *code;
    cell[Col::Description] = trimmed(d.description);
    cell[Col::ModelNo] = trimmed(d.model);
    cell[Col::Pattern] = trimmed(d.pattern);
    cell[Col::Color] = trimmed(d.color);
    cell[Col::Finish] = trimmed(d.finish);
    try {
        // The extended price is the product of the quantity and price as the
        // cells show them, as a loaded line's is: every line agrees with its
        // own cells and an Update that changes nothing moves nothing.
        const text::FixedText quantity = ctx_.fixedRead(ctx_.number(d.quantity), 2);
        cell[Col::Quantity] = quantity.text;
        text::FixedText price;
        if (auto refused = stagePrices(d, out, price)) return *refused;
        cell[Col::UnitOfMeasure] = d.unit;
        cell[Col::UnitWeight] = d.isRewards() ? "0" : ctx_.fixed(ctx_.number(d.unitWeight), 3);
        cell[Col::PriceListDate] = d.priceListDate;
        cell[Col::CarrierID] = lists.codeForDisplay(lists.carrierList, d.carrier).value_or(std::string());
        cell[Col::DirectionOrder] = d.direction ? "1" : "0";
        cell[Col::DirectionIssue] = d.direction ? d.issue : std::string();
        if (adding) cell[Col::CurrencyID] = d.usaPrices ? "1N" : "2N";
        // A status with no code in the list leaves an updated line's own Status.
        const std::string statusText = cell[Col::Status] ? *cell[Col::Status]
                                       : adding          ? std::string()
                                                         : std::string(grid.text(row, Col::Status));
        auto status = text::tryToNumber(statusText, ctx_.locale);
        const bool priced = status && lists.isPricedStatus(*status);
        const double extended = priced ? price.value * quantity.value : 0;
        if (!isAmountInRange(extended))
            return refusedWrite(EntryFocus::Quantity, "quantity", "the extended price is beyond the currency range");
        cell[Col::ExtPrice] = ctx_.fixed(extended, 2);
    } catch (const text::RuntimeError& e) {
        return refusedWrite(EntryFocus::Quantity, "quantity", e.description());
    }
    out.exemptRuleAllows = OrderEventRules::OrderEventAllowsTaxes(st.ZeltEvent);
    if (out.exemptRuleAllows) cell[Col::Exempt] = std::string(d.exempt ? kExemptMark : kNotExemptMark);
    cell[Col::Acknowledgement] = d.ackNumber;
    cell[Col::AcknowledgementDate] = d.ackDate;
    return out;
}

int LineEntry::write(const StagedLine& staged, bool adding, bool rebuildTracker)
{
    view::Grid& grid = ctx_.grid();
    int row = grid.row();
    if (adding) {
        grid.addRow();
        row = grid.rows() - 1;
    }
    for (int c = 0; c < Col::kCount; ++c)
        if (const auto& text = staged.cells[static_cast<std::size_t>(c)]) grid.setText(row, c, *text);
    grid.setAlignment(row, Col::Description, view::Grid::Alignment::LeftTop);
    grid.setAlignment(row, Col::ModelNo, view::Grid::Alignment::LeftTop);
    if (!staged.exemptRuleAllows) {
        ctx_.form.txtHiddenExemptTracker.setText("");
        return row;
    }
    if (adding) {
        grid.setAlignment(row, Col::Exempt, view::Grid::Alignment::CenterCenter);
        grid.setFontName(row, Col::Exempt, "Wingdings");
    }
    if (rebuildTracker) rows_.rebuildExemptTracker();
    return row;
}

std::optional<EntryFailure> LineEntry::addLines(const std::vector<LineDraft>& drafts, const std::string& stepName)
{
    std::vector<StagedLine> staged;
    staged.reserve(drafts.size());
    const int first = ctx_.grid().rows();
    for (std::size_t i = 0; i < drafts.size(); ++i) {
        // Each new line is numbered after the one staged before it.
        auto line = stage(drafts[i], true, first + static_cast<int>(i));
        if (auto* refused = std::get_if<EntryFailure>(&line)) return *refused;
        staged.push_back(std::get<StagedLine>(std::move(line)));
    }
    if (staged.empty()) return std::nullopt;
    // Line numbers follow on from the last line, one by one.
    int number = rows_.nextLineNumber(first);
    history_.record(stepName, [&] {
        bool trackerEmptied = false;
        for (StagedLine& line : staged) {
            line.cells[Col::LineItem] = std::to_string(number++) + "N";
            write(line, true, false);
            trackerEmptied = !line.exemptRuleAllows;
        }
        if (!trackerEmptied) rows_.rebuildExemptTracker();
        adjustRewards();
    });
    totals_.fupdate();
    ctx_.form.cmdUpdateTaxes.setEnabled(true);
    ctx_.markDirtyByUser();
    return std::nullopt;
}

void LineEntry::adjustRewards()
{
    // One pass over the lines finds the merchandise total and the rewards
    // lines with their sum. A line whose amount is not a number fails the
    // merchandise total first, then the rewards sum, as two passes would.
    view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    // The sums the totals take next: nothing to reduce means nothing to list.
    if (const LineSums::Totals* sums = ctx_.lineSums.totals(ctx_); sums && std::isfinite(sums->merchandise) &&
                                                                   !(std::fabs(sums->rewards) > sums->merchandise &&
                                                                     std::fabs(sums->rewards) > 0))
        return;
    const KeptRowNumbers<2> kept(grid, ctx_.locale, {Col::Status, Col::ExtPrice});
    std::array<double, 2> v;
    double merchandise = 0;
    double rewards = 0;
    bool merchandiseFailed = false, rewardsFailed = false;
    std::vector<int> rewardsRows;
    for (int r = 1; r < grid.rows(); ++r) {
        double status = 0, amount = 0;
        if (kept.read(r, v)) {
            status = v[0];
            amount = v[1];
            merchandise += lists.isMerchandiseStatus(status) ? amount : 0.0;
        } else {
            const auto read = ctx_.tryCellNumber(r, Col::Status);
            if (!read) continue;
            status = *read;
            const bool isMerchandise = lists.isMerchandiseStatus(status);
            if (!isMerchandise && !lists.isRewardsStatus(status)) continue;
            const auto extended = ctx_.tryCellNumber(r, Col::ExtPrice);
            if (!extended) {
                merchandiseFailed = merchandiseFailed || isMerchandise;
                rewardsFailed = rewardsFailed || !isMerchandise;
                continue;
            }
            amount = *extended;
            if (isMerchandise) merchandise += amount;
        }
        if (lists.isRewardsStatus(status) && !rewardsFailed) {
            rewards += amount;
            rewardsRows.push_back(r);
        }
    }
    if (merchandiseFailed || rewardsFailed) throw text::RuntimeError::typeMismatch();
    if (!(std::fabs(rewards) > merchandise && std::fabs(rewards) > 0)) return;
    const std::string reduced = ctx_.numberForm(-merchandise, ctx_.locale.defaultDecimals);
    for (int r : rewardsRows) {
        grid.setText(r, Col::UnitPrice, reduced);
        grid.setText(r, Col::ExtPrice, reduced);
    }
    ctx_.message("The applied Rewards value has been reduced to match the new merchandise total of (" +
                     text::formatCurrency(std::fabs(merchandise), ctx_.locale) + ")",
                 "");
}

} // namespace zelt
