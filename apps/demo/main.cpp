// A command-line host: creates the control, configures it, loads the sample
// order and prints what the clerk would see.
//
//   zelt-demo-cli [folder with lookups.txt and lines.txt]
#include "SampleOrder.h"

#include <iostream>

int main(int argc, char** argv)
{
    try {
        zelt::OrderedItems control;
        auto order = argc > 1 ? zelt::demo::SampleOrder::fromFolder(argv[1]) : zelt::demo::SampleOrder::embedded();
        zelt::demo::loadSampleOrder(control, order);
        std::cout << zelt::demo::orderSummary(control);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "zelt-demo-cli: " << e.what() << "\n";
        return 1;
    }
}
