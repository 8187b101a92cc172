#include "GeneratedOrder.h"

#include <array>

namespace zelt::bench {

std::string generatedLookups()
{
    return "Open$F$1$R$Back Ordered$F$2$R$Cancelled$F$3$R$Closed$F$4$R$Line Cancelled$F$5$R$Received$F$6$R$"
           "Rewards$F$7$R$$T$Each$F$EA$R$Box$F$BX$R$Dozen$F$DZ$R$Set$F$ST$R$$T$UPS Ground$F$1$R$Club Pickup$F$2$R$"
           "FedEx$F$3$R$$T$Spring 2024$F$2024-03-01$R$$T$1.25$R$$T$";
}

std::string generatedLines(int lines)
{
    static constexpr std::array<const char*, 4> units = {"EA", "BX", "DZ", "ST"};
    static constexpr std::array<const char*, 5> statuses = {"1", "1", "6", "2", "1"};
    static constexpr std::array<const char*, 3> descriptions = {
        "Oak conference table", "Ergonomic mesh chair with adjustable lumbar support", "Pens"};
    std::string out;
    out.reserve(static_cast<std::size_t>(lines) * 190);
    for (int i = 1; i <= lines; ++i) {
        auto k = static_cast<std::size_t>(i);
        std::string n = std::to_string(i);
        out += "70412$F$" + n + "$F$" + statuses[k % statuses.size()] + "$F$3$F$0$F$$F$" + std::to_string(1 + i % 9) +
               "$F$" + units[k % units.size()] + "$F$MOD-" + n + "$F$Oak$F$Natural$F$Satin$F$" +
               descriptions[k % descriptions.size()] + "$F$" + std::to_string(i % 50) + ".25$F$2024-01-05$F$" +
               std::to_string(10 + i % 990) + ".99$F$1$F$A-" + n + "$F$" + std::to_string(10 + i % 990) +
               ".99$F$2024-01-12$F$" + (i % 7 == 0 ? "-1" : "0") + "$F$$R$";
    }
    return out;
}

void loadGeneratedOrder(OrderedItems& control, const std::string& lines, Mode mode)
{
    control.GetComboContent(generatedLookups());
    control.setViewMode(mode);
    control.setReadData(lines);
}

} // namespace zelt::bench
