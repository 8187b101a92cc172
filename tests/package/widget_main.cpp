// A Qt host that finds the installed package, puts the widget on a window and
// loads a line.
#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>

#include <QApplication>
#include <QTableView>

#include <iostream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    zelt::OrderedItemsWidget widget;
    widget.control().setViewMode(zelt::Mode::UpdateMode);
    widget.control().setReadData("7$F$1$F$1$F$3$F$0$F$$F$2$F$EA$F$M-1$F$$F$$F$$F$Chair$F$1.5$F$2024-01-05$F$"
                                 "10$F$1$F$$F$0$F$$F$0$F$$R$");
    widget.resize(1024, 700);
    widget.show();
    QApplication::processEvents();
    const int shown = widget.gridView()->model()->rowCount();
    std::cout << "widget rows " << shown << "\n";
    return shown == 1 ? 0 : 1;
}
