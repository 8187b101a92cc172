#include "lineitems/LinePaste.h"

#include "core/ControlContext.h"
#include "core/LineColumns.h"
#include "lineitems/LineEntry.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace zelt {

namespace {

/// The columns of a pasted row, in order.
enum PasteColumn {
    Description,
    Model,
    Quantity,
    Unit,
    UnitPrice,
    UnitWeight,
    Carrier,
    AckPrice,
    AckNumber,
    kPasteColumns
};

/// Each pasted column's header and the grid column a copied line takes it from.
struct PasteColumnFact {
    const char* header;
    int gridColumn;
};
constexpr PasteColumnFact kPasteColumnFacts[kPasteColumns] = {
    {"Description", Col::Description},   {"Model", Col::ModelNo},      {"Quantity", Col::Quantity},
    {"Unit", Col::UnitOfMeasure},        {"Unit Price", Col::UnitPrice}, {"Unit Weight", Col::UnitWeight},
    {"Carrier", Col::CarrierID},         {"Acknowledgement Price", Col::AkwPrice},
    {"Acknowledgement Number", Col::Acknowledgement},
};

std::vector<std::string_view> cut(std::string_view text, char separator)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = text.find(separator, start);
        out.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) break;
        start = at + 1;
    }
    return out;
}

bool isHeader(const std::vector<std::string_view>& cells)
{
    std::string first(text::trim(cells.front()));
    std::transform(first.begin(), first.end(), first.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return first == "description";
}

/// Picks a lookup entry by its display text or, failing that, by its code.
std::optional<std::string> displayFor(const LookupLists& lists, const std::vector<LookupLists::Entry>& list,
                                      std::string_view given)
{
    for (const auto& e : list)
        if (LookupLists::displayText(e) == given) return LookupLists::displayText(e);
    return lists.displayForCode(list, given);
}

} // namespace

std::string LinePaste::copy(const std::vector<int>& rows) const
{
    const view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    std::string out;
    out.reserve((rows.size() + 1) * 96);
    for (int c = 0; c < kPasteColumns; ++c) {
        out += kPasteColumnFacts[c].header;
        out += c + 1 < kPasteColumns ? '\t' : '\n';
    }
    for (int row : rows) {
        for (int c = 0; c < kPasteColumns; ++c) {
            std::string_view cell = grid.text(row, kPasteColumnFacts[c].gridColumn);
            std::optional<std::string> carrier;
            if (c == Carrier && (carrier = lists.displayForCode(lists.carrierList, cell))) cell = *carrier;
            const std::size_t start = out.size();
            out += cell;
            for (std::size_t i = start; i < out.size(); ++i)
                if (out[i] == '\t' || out[i] == '\n' || out[i] == '\r') out[i] = ' ';
            out += c + 1 < kPasteColumns ? '\t' : '\n';
        }
    }
    return out;
}

int LinePaste::paste(std::string_view rows)
{
    view::Form& f = ctx_.form;
    const Mode mode = ctx_.state.mode;
    if (f.cmdAdd.caption() != "Add" || mode == Mode::ViewMode || mode == Mode::LineCancelMode) return 0;

    std::vector<LineDraft> valid;
    std::string refused;
    int refusedCount = 0;
    int rowNo = 0;
    for (std::string_view line : cut(rows, '\n')) {
        ++rowNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (text::trim(line).empty()) continue;
        auto cells = cut(line, '\t');
        if (rowNo == 1 && isHeader(cells)) continue;
        cells.resize(kPasteColumns);
        LineDraft draft = entry_.newLineDefaults();
        draft.description = cells[Description];
        draft.model = cells[Model];
        draft.quantity = cells[Quantity];
        draft.unitPrice = cells[UnitPrice];
        draft.ackPrice = cells[AckPrice];
        draft.ackNumber = cells[AckNumber];
        const LookupLists& lists = ctx_.lists;
        // A row names its unit: one left empty is refused, not taken as the first unit.
        const auto unit = displayFor(lists, lists.unitList, text::trim(cells[Unit]));
        draft.unit = unit.value_or(std::string());
        draft.unitSelected = unit.has_value() && !text::trim(cells[Unit]).empty();
        if (!text::trim(cells[UnitWeight]).empty()) draft.unitWeight = cells[UnitWeight];
        if (!text::trim(cells[Carrier]).empty()) {
            auto carrier = displayFor(lists, lists.carrierList, text::trim(cells[Carrier]));
            draft.carrier = carrier.value_or(std::string());
            draft.carrierSelected = carrier.has_value();
        }
        if (auto failure = entry_.check(draft, false)) {
            ++refusedCount;
            refused += "Row " + std::to_string(rowNo) + ", " + failure->fieldName + ": " + failure->message + "\n";
            continue;
        }
        valid.push_back(std::move(draft));
    }
    if (valid.empty() && refusedCount == 0) return 0;
    if (refusedCount > 0) {
        if (valid.empty()) {
            ctx_.message("No row can be added:\n" + refused, "Paste Lines", view::MessageBoxButtons::Ok,
                         view::MessageBoxIcon::Information);
            return 0;
        }
        const auto answer = ctx_.message(std::to_string(valid.size()) + " of " +
                                             std::to_string(valid.size() + static_cast<std::size_t>(refusedCount)) +
                                             " rows can be added. These rows were refused:\n" + refused +
                                             (valid.size() == 1 ? std::string("Add the valid row?")
                                                                : "Add the " + std::to_string(valid.size()) + " valid rows?"),
                                         "Paste Lines", view::MessageBoxButtons::YesNo,
                                         view::MessageBoxIcon::Question);
        if (answer != view::MessageBoxAnswer::Yes) return 0;
    }
    if (auto failure = entry_.addLines(valid, "Paste lines")) {
        ctx_.message(failure->message, failure->title, view::MessageBoxButtons::Ok, view::MessageBoxIcon::Information);
        return 0;
    }
    return static_cast<int>(valid.size());
}

} // namespace zelt
