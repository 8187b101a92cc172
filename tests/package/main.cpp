// A host that finds the installed package, creates the control and loads a line.
#include <zelt/OrderedItems.h>

#include <iostream>

int main()
{
    zelt::OrderedItems control;
    control.setViewMode(zelt::Mode::UpdateMode);
    control.setReadData("7$F$1$F$1$F$3$F$0$F$$F$2$F$EA$F$M-1$F$$F$$F$$F$Chair$F$1.5$F$2024-01-05$F$"
                        "10$F$1$F$$F$0$F$$F$0$F$$R$");
    const auto& grid = control.form().grdOrdItems;
    std::cout << "rows " << grid.rows() << ", price " << grid.text(1, 15) << ", "
              << control.form().lblVersionNumber.caption() << "\n";
    return grid.rows() == 2 && grid.text(1, 15) == "10.00" ? 0 : 1;
}
