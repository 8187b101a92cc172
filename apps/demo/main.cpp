// A command-line host: creates the control, configures it, loads the sample
// order and prints what the clerk would see.
#include "SampleOrder.h"

#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: zelt-demo-cli [options]\n"
    "  --locale NAME       number conventions, e.g. fr-CA or en-US (default en-US)\n"
    "  --sample FOLDER     an order in the exchange files of examples/sample-order\n"
    "  --help              this text\n";

} // namespace

int main(int argc, char** argv)
{
    std::string sample;
    std::string localeName = "en-US";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--sample" && i + 1 < argc) sample = argv[++i];
        else if (arg == "--locale" && i + 1 < argc) localeName = argv[++i];
        else {
            std::cerr << "zelt-demo-cli: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }
    if (localeName != "en-US" && localeName != "fr-CA") {
        std::cerr << "zelt-demo-cli: the locales are en-US and fr-CA\n";
        return 2;
    }
    try {
        zelt::OrderedItems control;
        const zelt::text::Locale& locale = localeName == "fr-CA" ? zelt::text::Locale::frCA() : zelt::text::Locale::enUS();
        control.setLocale(locale);
        const auto order = sample.empty() ? zelt::demo::SampleOrder::embedded() : zelt::demo::SampleOrder::fromFolder(sample);
        zelt::demo::loadSampleOrder(control, order.inLocale(locale));
        std::cout << zelt::demo::orderSummary(control);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "zelt-demo-cli: " << e.what() << "\n";
        return 1;
    }
}
