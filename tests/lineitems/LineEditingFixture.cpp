#include "lineitems/LineEditingFixture.h"

namespace zelt::testing {

LineEditing::LineEditing()
{
    control->setZeltEvent("PurchaseOrder");
    load(Mode::UpdateMode, {LineSpec{}, lineWith({{&LineSpec::lineItem, "2"}}), lineWith({{&LineSpec::lineItem, "3"}})});
    boxes->clearShown();
}

void LineEditing::openValidLine(const std::string& description)
{
    clickAdd();
    field(1).setText(description);
    field(3).setText("2");
    field(4).setText("10");
}

view::MessageBoxRequest LineEditing::lastBox() const
{
    return boxes->shown().empty() ? view::MessageBoxRequest{} : boxes->shown().back();
}

std::vector<std::string> LineEditing::column(int col)
{
    std::vector<std::string> out;
    for (int r = 1; r < grid().rows(); ++r) out.push_back(cell(r, col));
    return out;
}

} // namespace zelt::testing
