#include "SampleOrder.h"

#include "EmbeddedSample.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace zelt::demo {

namespace {

std::string withoutLineBreaks(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
    return text;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Display width of UTF-8 text: one column per code point.
std::size_t width(const std::string& s)
{
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string pad(const std::string& s, std::size_t w, bool right)
{
    std::size_t n = width(s);
    std::string fill(w > n ? w - n : 0, ' ');
    return right ? fill + s : s + fill;
}

} // namespace

SampleOrder SampleOrder::embedded()
{
    return {withoutLineBreaks(kEmbeddedLookups), withoutLineBreaks(kEmbeddedLines)};
}

SampleOrder SampleOrder::fromFolder(const std::string& folder)
{
    return {withoutLineBreaks(readFile(folder + "/lookups.txt")), withoutLineBreaks(readFile(folder + "/lines.txt"))};
}

void loadSampleOrder(OrderedItems& control, const SampleOrder& order, Mode mode)
{
    control.setZeltEvent("PurchaseOrder");
    control.setPersonType("1");
    control.setCenterID("7");
    control.CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::CANADA));
    control.GetComboContent(order.lookups);
    control.fGetOderIDStatus(true);
    control.setViewMode(mode);
    control.setReadData(order.lines);
}

std::string orderSummary(const OrderedItems& control)
{
    const view::Form& f = control.form();
    const view::Grid& grid = f.grdOrdItems;
    // The visible columns of the grid plus the line number and status.
    const std::vector<std::pair<int, bool>> columns = {{1, true},   {2, true},   {6, true},   {7, false},
                                                       {8, false},  {12, false}, {15, true},  {18, true},
                                                       {20, true},  {21, false}};
    std::vector<std::size_t> widths;
    for (auto [col, right] : columns) {
        std::size_t w = 0;
        for (int r = 0; r < grid.rows(); ++r) w = std::max(w, width(grid.text(r, col)));
        widths.push_back(w);
    }
    std::ostringstream out;
    for (int r = 0; r < grid.rows(); ++r) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            auto [col, right] = columns[i];
            std::string text = grid.text(r, col);
            out << (i ? " | " : "") << pad(text, widths[i], right && r > 0);
        }
        bool greyed = r > 0 && grid.background(r, 6) == view::Color::buttonFace();
        out << (greyed ? "   (not priced: greyed)" : "") << "\n";
    }
    out << "\nMerchandise total ($): " << f.txtField[18].text() << "\n";
    out << "Total weight (lbs):    " << f.txtField[19].text() << "\n";
    out << "Total sales tax ($):   " << f.txtField[17].text() << "\n";
    out << "Conversion rate:       " << f.txtCurrConversionRate.text() << "\n";
    out << "Exempt rows:           " << control.ExemptItems() << "\n\nButtons:\n";
    for (const view::CommandButton* b : {&f.cmdAdd, &f.cmdEdit, &f.cmdDelete, &f.cmdLineItemCan, &f.cmdUpdateTaxes}) {
        out << "  " << pad(b->name(), 16, false) << pad("\"" + b->caption() + "\"", 28, false)
            << (b->visible() ? "shown" : "hidden") << ", " << (b->enabled() ? "enabled" : "disabled") << "\n";
    }
    out << "\n" << f.lblVersionNumber.caption() << "\n";
    return out.str();
}

} // namespace zelt::demo
