#include "GeneratedOrder.h"

#include <array>
#include <cstdio>
#include <random>

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

std::string variedLines(int lines, unsigned seed)
{
    static constexpr std::array<const char*, 4> units = {"EA", "BX", "DZ", "ST"};
    static constexpr std::array<const char*, 7> statuses = {"1", "2", "3", "4", "5", "6", "7"};
    // Words with accents and punctuation, put together into 1 to 60 characters.
    static constexpr std::array<const char*, 16> words = {
        "chaise",  "Élégante", "table", "d'appoint", "CAFÉ", "lamp", "desk", "œuvre",
        "mesh,",   "(2-pack)", "oak",   "blanc",     "naïve", "pens", "#4",   "über-soft"};
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto amount = [&](int whole) {
        std::string a = std::to_string(pick(whole));
        const int decimals = pick(4);
        if (decimals) {
            a += '.';
            for (int d = 0; d < decimals; ++d) a += static_cast<char>('0' + pick(10));
        }
        return a;
    };
    auto date = [&] {
        char buf[11];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", 2022 + pick(3), 1 + pick(12), 1 + pick(28));
        return std::string(buf);
    };
    std::string out;
    out.reserve(static_cast<std::size_t>(lines) * 190);
    for (int i = 1; i <= lines; ++i) {
        std::string n = std::to_string(i);
        std::string description;
        const std::size_t length = 1 + static_cast<std::size_t>(pick(60));
        while (description.size() < length) description += std::string(words[static_cast<std::size_t>(pick(16))]) + ' ';
        description.resize(length);
        while (!description.empty() && (static_cast<unsigned char>(description.back()) & 0xC0) == 0x80) description.pop_back();
        if (!description.empty() && static_cast<unsigned char>(description.back()) >= 0xC0) description.pop_back();
        if (description.empty()) description = "x";
        out += "70412$F$" + n + "$F$" + statuses[static_cast<std::size_t>(pick(7))] + "$F$3$F$0$F$$F$" +
               std::to_string(1 + pick(40)) + "$F$" + units[static_cast<std::size_t>(pick(4))] + "$F$MOD-" +
               std::to_string(pick(100000)) + "$F$Oak$F$Natural$F$Satin$F$" + description + "$F$" + amount(500) +
               "$F$" + date() + "$F$" + amount(2000) + "$F$1$F$A-" + std::to_string(pick(1000000)) + "$F$" +
               amount(2000) + "$F$" + date() + "$F$" + (pick(20) == 0 ? "-1" : "0") + "$F$$R$";
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
