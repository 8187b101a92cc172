#include "support/OrderFixture.h"

namespace zelt::testing {

std::vector<std::string> LineSpec::fields() const
{
    return {orderId,     lineItem,   status,    carrier,  directionOrder, directionIssue, quantity,
            unit,        model,      pattern,   color,    finish,         description,    unitWeight,
            priceListDate, unitPrice, currencyId, acknowledgement, akwPrice, acknowledgementDate, exempt};
}

std::string LineSpec::record() const
{
    std::string out;
    for (const std::string& f : fields()) out += f + "$F$";
    return out.replace(out.size() - 3, 3, "$R$"); // no field separator after the last field
}

std::string lines(const std::vector<LineSpec>& specs)
{
    std::string out;
    for (const auto& s : specs) out += s.record();
    return out;
}

LineSpec lineWith(std::initializer_list<std::pair<LineField, const char*>> changes, LineSpec base)
{
    for (const auto& [field, value] : changes) base.*field = value;
    return base;
}

std::string lookupTables(const std::string& rate)
{
    std::string statuses = "Open$F$1$R$Back Ordered$F$2$R$Cancelled$F$3$R$Closed$F$4$R$Line Cancelled$F$5$R$"
                           "Received$F$6$R$Rewards$F$7$R$";
    std::string units = "Each$F$EA$R$Box$F$BX$R$Dozen$F$DZ$R$";
    std::string carriers = "UPS Ground$F$1$R$Club Pickup$F$2$R$FedEx$F$3$R$Freight Line$F$15$R$"
                           "Member Factory Pickup$F$22$R$";
    std::string issues = "Spring 2024$F$2024-03-01$R$Fall 2024$F$2024-09-01$R$";
    return statuses + "$T$" + units + "$T$" + carriers + "$T$" + issues + "$T$" + rate + "$R$$T$";
}

OrderFixture::OrderFixture()
{
    Services services;
    services.messageBoxes = boxes;
    services.clock = clock;
    control = std::make_unique<OrderedItems>(services);
}

std::vector<std::string> OrderFixture::cells(int row, std::initializer_list<int> cols)
{
    std::vector<std::string> out;
    for (int c : cols) out.push_back(cell(row, c));
    return out;
}

void OrderFixture::load(Mode mode, const std::vector<LineSpec>& specs)
{
    control->GetComboContent(lookupTables());
    control->setViewMode(mode);
    control->setReadData(lines(specs));
}

} // namespace zelt::testing
